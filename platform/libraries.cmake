pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
target_link_libraries(platform PRIVATE PkgConfig::FREETYPE)
