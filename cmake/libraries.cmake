# Image decoding in the renderer: libpng and libjpeg.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(render PRIVATE PNG::PNG JPEG::JPEG)
# The data archive's LZMA folders, and its packed header, are unpacked by liblzma.
pkg_check_modules(LIBLZMA REQUIRED IMPORTED_TARGET liblzma)
target_link_libraries(dfc PRIVATE PkgConfig::LIBLZMA)
# The tests make pictures and archives of their own with the same libraries.
target_link_libraries(mossyard_core INTERFACE PNG::PNG JPEG::JPEG PkgConfig::LIBLZMA)
