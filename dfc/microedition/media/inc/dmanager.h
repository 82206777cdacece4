#pragma once

namespace dfc::microedition::media {

// The shared sound device.
class DManager {
public:
    static void openSound();
    static void closeSound();
    static bool isSoundOpen();
    // Suspending or resuming opens the device first when it is not open yet.
    static void suspendSound();
    static void resumeSound();
};

}  // namespace dfc::microedition::media
