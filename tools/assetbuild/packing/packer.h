// Packs the staged entries into the 7z archive with the external 7zz: one folder per entry,
// LZMA for everything but the pictures, which are stored, no filters, no time stamps or
// attributes, so the same entries always give the same bytes.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace assets {

class Packer {
public:
    // Writes `archive` from the files `names` below `stage`, then lists it back and checks
    // that it holds exactly those names.
    static void pack(const std::filesystem::path& stage, const std::vector<std::string>& names,
                     const std::filesystem::path& archive);

    // Lists `archive` back (7zz's output going to `log`) and refuses a coder other than Copy or
    // LZMA; with names given, also an archive that does not hold exactly those.
    static void verify(const std::filesystem::path& archive, const std::vector<std::string>& names,
                       const std::filesystem::path& log);

private:
    // Adds the named files below `stage` to `archive` with one coder.
    static void add(const std::filesystem::path& stage, const std::vector<std::string>& names,
                    const std::string& method, const std::filesystem::path& archive);
    // Runs a program in `directory`; its output goes to `log`. Answers the exit status.
    static int run(const std::vector<std::string>& arguments, const std::filesystem::path& directory,
                   const std::filesystem::path& log);
};

}  // namespace assets
