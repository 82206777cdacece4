// Runs the asset builder on a data tree and reports how it ended.
#pragma once
#include <filesystem>
#include <string>
#include "temp_folder.h"

namespace assettest {

struct ToolRun {
    int status = -1;
    std::string output;  // what it printed, errors included
};

// Builds `data` into `archive` (staging beside it).
ToolRun runBuilder(const std::filesystem::path& data, const std::filesystem::path& archive);
// Builds a data tree of one folder whose manifest is the one line given, beside one source
// file of the given name and bytes, into out/game.dat of the folder.
ToolRun buildOneSource(const TempFolder& folder, const std::string& manifestLine, const std::string& source,
                       const std::string& bytes);
// Runs a shell command, its output collected.
ToolRun runCommand(const std::string& command);
std::string readBytes(const std::filesystem::path& path);

}  // namespace assettest
