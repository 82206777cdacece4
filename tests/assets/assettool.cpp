#include "assettool.h"
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace assettest {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mossyard-assets-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    folder = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

ToolRun runCommand(const std::string& command) {
    TempFolder logFolder;
    std::filesystem::path log = logFolder.path() / "log";
 int status = std::system((command + " > '" + log.string() + "' 2>&1").c_str());
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(log)};
}

ToolRun runBuilder(const std::filesystem::path& data, const std::filesystem::path& archive) {
    std::string tool = std::string(MOSSYARD_BINARY_DIR) + "/tools/assetbuild";
    return runCommand("'" + tool + "' build '" + data.string() + "' '" + archive.string() + "' --stage '" +
                      archive.string() + ".stage'");
}

}  // namespace assettest
