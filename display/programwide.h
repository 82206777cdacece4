// Objects the display layer makes once, on first use, and keeps: the loaded libraries, what
// detection found, the device's model and processor. They go when the last display closes (the
// program closes its one display at exit), so a device met later is looked at afresh.
#pragma once
#include <memory>

class ProgramWide {
public:
    template <typename T>
    static T& Get() {
        static std::unique_ptr<T> instance;
        if (!instance) {
            instance = std::make_unique<T>();
            Remember([] { instance.reset(); });
        }
        return *instance;
    }

    // Destroys every object made through Get, the newest first.
    static void ReleaseAll();

private:
    static void Remember(void (*release)());
};
