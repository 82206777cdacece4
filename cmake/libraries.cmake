# Image decoding in the renderer: libpng and libjpeg.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(mossyard_core PUBLIC PNG::PNG JPEG::JPEG)
