# Small helpers that keep every folder's CMakeLists.txt to a few lines.

# Adds the folders that exist and hold a CMakeLists.txt, in the order given.
function(vw_add_folders)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
    endif()
  endforeach()
endfunction()

# The windows of a folder: every .cpp that has a form description (.form) beside it, the parts a
# large window is split into, named after it (GridConsoleLinks.cpp beside GridConsole.form), and
# the routines that read the windows, which the folder names with vw_library's WINDOW_ROUTINES.
function(vw_window_sources out dir)
  file(GLOB forms CONFIGURE_DEPENDS ${dir}/*.form)
  get_property(routines GLOBAL PROPERTY VW_WINDOW_ROUTINES)
  set(sources)
  foreach(routine IN LISTS routines)
    get_filename_component(routine_dir ${routine} DIRECTORY)
    if(routine_dir STREQUAL dir)
      list(APPEND sources ${routine})
    endif()
  endforeach()
  foreach(form IN LISTS forms)
    string(REGEX REPLACE "\\.form$" "" base "${form}")
    file(GLOB parts CONFIGURE_DEPENDS ${base}*.cpp)
    list(APPEND sources ${parts})
  endforeach()
  list(REMOVE_DUPLICATES sources)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# vw_library(<target> [OWN_WINDOWS] [DEPS <targets...>] [WINDOW_ROUTINES <files...>])
# A static library of every .cpp in the calling folder but its windows (which the program's window
# library links, see app/); includes are rooted at the repository root. WINDOW_ROUTINES names the
# folder's files that read the windows: they go with the windows. OWN_WINDOWS keeps the windows in
# the library: a component library's dialogs belong to it, not to the program.
function(vw_library target)
  cmake_parse_arguments(ARG "OWN_WINDOWS" "" "DEPS;SOURCES;WINDOW_ROUTINES" ${ARGN})
  foreach(routine IN LISTS ARG_WINDOW_ROUTINES)
    set_property(GLOBAL APPEND PROPERTY VW_WINDOW_ROUTINES ${CMAKE_CURRENT_SOURCE_DIR}/${routine})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(windows)
  if(NOT ARG_OWN_WINDOWS)
    vw_window_sources(windows ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  if(windows)
    list(REMOVE_ITEM sources ${windows})
  endif()
  list(APPEND sources ${ARG_SOURCES})
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# vw_test(<name> [DEPS <targets...>])
# One test program per area: every .cpp in the calling folder, linked with GoogleTest.
function(vw_test name)
  cmake_parse_arguments(ARG "" "" "DEPS;PROPERTIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  if(NOT ${name} MATCHES "_main$")
    target_link_libraries(${name} PRIVATE vw_test_main)
  endif()
  set(properties)
  if(ARG_PROPERTIES)
    set(properties PROPERTIES ${ARG_PROPERTIES})
  endif()
  # Test names are the program's own, without parameter values: those may print as raw bytes
  # that change from build to build, and a name must stay the same for -R and --rerun-failed.
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    ${properties})
endfunction()

# vw_bench(<name> [DEPS <targets...>]): a Google Benchmark program of every .cpp in the folder.
function(vw_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
