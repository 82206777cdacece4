// Runs the asset builder on a data tree and reports how it ended.
#pragma once
#include <filesystem>
#include <string>

namespace assettest {

struct ToolRun {
    int status = -1;
    std::string output;  // what it printed, errors included
};

// Builds `data` into `archive` (staging beside it).
ToolRun runBuilder(const std::filesystem::path& data, const std::filesystem::path& archive);
// Runs a shell command, its output collected.
ToolRun runCommand(const std::string& command);
std::string readBytes(const std::filesystem::path& path);

}  // namespace assettest
