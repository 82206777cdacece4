#include "packer.h"
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include "builderror.h"
#include "sourcetext.h"

extern char** environ;

namespace assets {

int Packer::run(const std::vector<std::string>& arguments, const std::filesystem::path& directory,
                const std::filesystem::path& log) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t child = 0;
    int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) throw BuildError("cannot start " + arguments[0] + " (install the 7zip package)");
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Packer::pack(const std::filesystem::path& stage, const std::vector<std::string>& names,
                  const std::filesystem::path& archive) {
    std::filesystem::path work = stage.parent_path();
    std::filesystem::path list = work / (stage.filename().string() + ".list");
    std::filesystem::path log = work / (stage.filename().string() + ".log");
    std::filesystem::path fresh = archive.string() + ".new";
    std::string listText;
    for (const std::string& name : names) listText += name + "\n";
    writeFile(list, listText);
    std::filesystem::remove(fresh);
    std::filesystem::create_directories(archive.parent_path());
    int status = run({"7zz", "a", "-t7z", "-m0=LZMA", "-ms=off", "-mtm=off", "-mtc=off", "-mta=off", "-mtr=off",
                      "-mmt=1", "-spd", "-bd", "-y", std::filesystem::absolute(fresh).string(),
                      "@" + std::filesystem::absolute(list).string()},
                     stage, log);
    if (status != 0) throw BuildError("7zz failed to pack " + archive.string() + ":\n" + readFile(log, Place{}));

    if (run({"7zz", "l", "-slt", std::filesystem::absolute(fresh).string()}, stage, log) != 0)
        throw BuildError("7zz cannot list " + fresh.string());
    std::istringstream listing(readFile(log, Place{}));
    std::set<std::string> stored;
    bool items = false;
    for (std::string line; std::getline(listing, line);) {
        if (line == "----------") items = true;
        if (items && line.starts_with("Path = ")) stored.insert(line.substr(7));
    }
    std::set<std::string> wanted(names.begin(), names.end());
    if (stored != wanted)
        throw BuildError("the packed archive does not hold exactly the entries made (" + std::to_string(stored.size()) +
                         " stored, " + std::to_string(wanted.size()) + " made)");
    std::filesystem::rename(fresh, archive);
}

}  // namespace assets
