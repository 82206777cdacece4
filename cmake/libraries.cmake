# Image decoding in the renderer: libpng and libjpeg.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(mossyard_core PUBLIC PNG::PNG JPEG::JPEG)
# Libraries the program's own code calls: the data archive's 7z reader.
pkg_check_modules(LIBARCHIVE REQUIRED IMPORTED_TARGET libarchive)
target_link_libraries(mossyard_core PUBLIC PkgConfig::LIBARCHIVE)
# The data archive's packed header is unpacked by liblzma before the 7z reader sees it.
pkg_check_modules(LIBLZMA REQUIRED IMPORTED_TARGET liblzma)
target_link_libraries(mossyard_core PUBLIC PkgConfig::LIBLZMA)
