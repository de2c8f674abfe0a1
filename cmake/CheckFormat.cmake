cmake_minimum_required(VERSION 3.25)
# Fails when a C++ source of the project differs from what clang-format makes of it. The folders
# are those of cmake/Folders.cmake.
include(${SOURCE_DIR}/cmake/Folders.cmake)
set(patterns "")
foreach(folder IN LISTS TOLVANE_ALL_FOLDERS)
  list(APPEND patterns ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
endforeach()
file(GLOB_RECURSE sources ${patterns})
list(FILTER sources EXCLUDE REGEX "/node_modules/")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Some sources are not formatted; run tools/format")
endif()
