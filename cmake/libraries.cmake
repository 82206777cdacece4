# Libraries the program's own code calls: the data archive's 7z reader.
pkg_check_modules(LIBARCHIVE REQUIRED IMPORTED_TARGET libarchive)
target_link_libraries(mossyard_core PUBLIC PkgConfig::LIBARCHIVE)
