#include "assettool.h"
#include "temp_folder.h"
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace assettest {

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

ToolRun runCommand(const std::string& command) {
    TempFolder logFolder;
    std::string log = logFolder.file("log");
 int status = std::system((command + " > '" + log + "' 2>&1").c_str());
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(log)};
}

ToolRun runBuilder(const std::filesystem::path& data, const std::filesystem::path& archive) {
    std::string tool = std::string(MOSSYARD_BINARY_DIR) + "/tools/assetbuild";
    return runCommand("'" + tool + "' build '" + data.string() + "' '" + archive.string() + "' --stage '" +
                      archive.string() + ".stage'");
}

ToolRun buildOneSource(const TempFolder& folder, const std::string& manifestLine, const std::string& source,
                       const std::string& bytes) {
    folder.write("data/t/manifest.txt", manifestLine + "\n");
    folder.write("data/t/" + source, bytes);
    return runBuilder(folder.file("data"), folder.file("out/game.dat"));
}

}  // namespace assettest
