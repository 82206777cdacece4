# mossyard_library(NAME FOLDERS folder... [PUBLIC library...] [PRIVATE library...])
# A static library of the folders' sources. Its own headers are PUBLIC: whoever links it uses
# them. The libraries it links are PUBLIC when its headers include theirs, PRIVATE otherwise.
function(mossyard_library name)
  cmake_parse_arguments(arg "" "" "FOLDERS;PUBLIC;PRIVATE" ${ARGN})
  set(sources "")
  set(includes "")
  foreach(folder IN LISTS arg_FOLDERS)
    set(dir ${CMAKE_SOURCE_DIR}/${folder})
    if(EXISTS ${dir}/inc)
      file(GLOB found CONFIGURE_DEPENDS ${dir}/src/*.cpp)
      list(APPEND includes ${dir}/inc)
    else()
      file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
      list(APPEND includes ${dir})
    endif()
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${includes})
  target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
  add_dependencies(${name} include_graph_check)
endfunction()

# mossyard_include_check(folder...)
# The include paths keep a library from the headers of the libraries it does not link when
# they are named plainly, not when they are reached by a path ("../tanks/gamemain.h"). So
# tools/include-graph runs before any library is built, again when a source of the folders
# changes, and a wrong arrow fails the build.
function(mossyard_include_check)
  set(sources "")
  foreach(folder IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*)
    list(APPEND sources ${found})
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/include-graph.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/include-graph --quiet ${CMAKE_SOURCE_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/include-graph ${sources}
    COMMENT "Checking the includes between the layers")
  add_custom_target(include_graph_check DEPENDS ${stamp})
endfunction()
