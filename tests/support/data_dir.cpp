#include "data_dir.h"
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

ScopedDataDir::ScopedDataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mossyard-data-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root = pattern;
    setenv("MOSSYARD_DATA_DIR", root.c_str(), 1);
}

ScopedDataDir::~ScopedDataDir() {
    unsetenv("MOSSYARD_DATA_DIR");
    std::error_code error;
    std::filesystem::remove_all(root, error);
}
