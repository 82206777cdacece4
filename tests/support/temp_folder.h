// A folder of its own for one test case, removed with its contents at the end.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return root; }
    // The host path of a file in the folder.
    std::string file(const std::string& name) const { return root + "/" + name; }
    // Writes a file, making the folders on its way.
    void write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string read(const std::string& name) const;

private:
    std::string root;
};
