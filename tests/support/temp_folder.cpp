#include "temp_folder.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mossyard-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    root = name.data();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path path = file(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
