pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
target_link_libraries(platform PRIVATE PkgConfig::FREETYPE)
# Music modules are rendered by libxmp.
pkg_check_modules(XMP REQUIRED IMPORTED_TARGET libxmp)
target_link_libraries(platform PRIVATE PkgConfig::XMP)
