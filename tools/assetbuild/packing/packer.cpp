#include "packer.h"
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include "core/builderror.h"
#include "core/sourcetext.h"

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

namespace {

// Pictures are compressed already: LZMA gains nothing on them and slows every read.
bool storedAsIs(const std::string& name) { return name.ends_with(".png") || name.ends_with(".jpg"); }

// The game's reader knows these coders only; 7-Zip's automatic filters (Delta on sounds, BCJ)
// would add others.
bool readableMethod(const std::string& method) {
    return method.empty() || method == "Copy" || (method.starts_with("LZMA:") && method.find(' ') == std::string::npos);
}

}  // namespace

void Packer::pack(const std::filesystem::path& stage, const std::vector<std::string>& names,
                  const std::filesystem::path& archive) {
    std::filesystem::path work = stage.parent_path();
    std::filesystem::path log = work / (stage.filename().string() + ".log");
    std::filesystem::path fresh = archive.string() + ".new";
    std::filesystem::remove(fresh);
    std::filesystem::create_directories(archive.parent_path());
    std::vector<std::string> compressed, asIs;
    for (const std::string& name : names) (storedAsIs(name) ? asIs : compressed).push_back(name);
    add(stage, compressed, "LZMA", fresh);
    add(stage, asIs, "Copy", fresh);
    verify(fresh, names, log);
    std::filesystem::rename(fresh, archive);
}

void Packer::add(const std::filesystem::path& stage, const std::vector<std::string>& names, const std::string& method,
                 const std::filesystem::path& archive) {
    if (names.empty()) return;
    std::filesystem::path work = stage.parent_path();
    std::filesystem::path list = work / (stage.filename().string() + "." + method + ".list");
    std::filesystem::path log = work / (stage.filename().string() + ".log");
    std::string listText;
    for (const std::string& name : names) listText += name + "\n";
    writeFile(list, listText);
    int status = run({"7zz", "a", "-t7z", "-m0=" + method, "-mf=off", "-ms=off", "-mtm=off", "-mtc=off", "-mta=off",
                      "-mtr=off", "-mmt=1", "-spd", "-bd", "-y", std::filesystem::absolute(archive).string(),
                      "@" + std::filesystem::absolute(list).string()},
                     stage, log);
    if (status != 0) throw BuildError("7zz failed to pack " + archive.string() + ":\n" + readFile(log, Place{}));
}

void Packer::verify(const std::filesystem::path& archive, const std::vector<std::string>& names,
                    const std::filesystem::path& log) {
    if (run({"7zz", "l", "-slt", std::filesystem::absolute(archive).string()}, log.parent_path(), log) != 0)
        throw BuildError("7zz cannot list " + archive.string());
    std::istringstream listing(readFile(log, Place{}));
    std::set<std::string> stored;
    std::string path;
    bool items = false;
    for (std::string line; std::getline(listing, line);) {
        if (line == "----------") items = true;
        if (!items) continue;
        if (line.starts_with("Path = ")) stored.insert(path = line.substr(7));
        if (line.starts_with("Method = ") && !readableMethod(line.substr(9)))
            throw BuildError(archive.string() + ": " + path + " is packed with " + line.substr(9) +
                             "; the game reads only Copy and LZMA");
    }
    std::set<std::string> wanted(names.begin(), names.end());
    if (!names.empty() && stored != wanted)
        throw BuildError("the packed archive does not hold exactly the entries made (" + std::to_string(stored.size()) +
                         " stored, " + std::to_string(wanted.size()) + " made)");
}

}  // namespace assets
