// Runs the asset builder on a data tree and reports how it ended.
#pragma once
#include <filesystem>
#include <string>

namespace assettest {

struct ToolRun {
    int status = -1;
    std::string output;  // what it printed, errors included
};

// A fresh empty folder below the system's temporary folder, removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return folder; }

private:
    std::filesystem::path folder;
};

// Builds `data` into `archive` (staging beside it).
ToolRun runBuilder(const std::filesystem::path& data, const std::filesystem::path& archive);
// Runs a shell command, its output collected.
ToolRun runCommand(const std::string& command);
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace assettest
