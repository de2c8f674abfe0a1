# The project's folders of code, listed once: the build adds them in this order, and the format
# and include checks (cmake/CheckFormat.cmake, cmake/CheckIncludes.cmake) read the same lists.
# Each folder named here must have its CMakeLists.txt.

# What every front end builds on: the stage, the games, the drawing, what plays the stage in real
# time, and the script runner's library, in the order they build on each other.
set(TOLVANE_SHARED_FOLDERS stage launcher roadcross aliens helicopter results boxset cli assets draw play script)
# The desktop: its front end, the programs' mains and the developers' tools.
set(TOLVANE_DESKTOP_FOLDERS desktop app tools)
# The web page, built with Emscripten instead of the desktop.
set(TOLVANE_WEB_FOLDERS web)
# Code that is checked like the rest but added by the build only on request.
set(TOLVANE_TEST_FOLDERS tests bench)

set(TOLVANE_ALL_FOLDERS ${TOLVANE_SHARED_FOLDERS} ${TOLVANE_DESKTOP_FOLDERS} ${TOLVANE_WEB_FOLDERS} ${TOLVANE_TEST_FOLDERS})

# Adds each folder to the build; a folder without its CMakeLists.txt is a mistake in the list.
function(tolvane_add_folders)
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${folder}/CMakeLists.txt)
      message(FATAL_ERROR "${folder}/ is listed in cmake/Folders.cmake but has no CMakeLists.txt")
    endif()
    add_subdirectory(${folder})
  endforeach()
endfunction()
