// A fresh data folder for the saved records of one test, removed afterwards.
#pragma once
#include <string>
#include "temp_folder.h"

class ScopedDataDir {
public:
    ScopedDataDir();
    ~ScopedDataDir();
    ScopedDataDir(const ScopedDataDir&) = delete;
    ScopedDataDir& operator=(const ScopedDataDir&) = delete;

    const std::string& path() const { return folder.path(); }

private:
    TempFolder folder;
};
