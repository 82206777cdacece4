#include "data_dir.h"
#include <cstdlib>

ScopedDataDir::ScopedDataDir() { setenv("MOSSYARD_DATA_DIR", folder.path().c_str(), 1); }

ScopedDataDir::~ScopedDataDir() { unsetenv("MOSSYARD_DATA_DIR"); }
