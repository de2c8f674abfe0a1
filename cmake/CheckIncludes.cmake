cmake_minimum_required(VERSION 3.25)
# Fails when a file of the project includes a folder that its own folder may not build on, when
# a folder that every front end shares includes a platform's headers, or when a folder of code is
# missing from cmake/Folders.cmake. CONTRIBUTING.md's map of folders says the same in words.
include(${SOURCE_DIR}/cmake/Folders.cmake)

# The project's folders each folder may include, beside itself.
set(games launcher roadcross aliens helicopter results)
set(may_include_stage "")
foreach(game IN LISTS games)
  set(may_include_${game} stage)
endforeach()
set(may_include_boxset stage ${games})
set(may_include_cli "")
set(may_include_assets "")
set(may_include_draw stage assets)
set(may_include_play stage cli)
set(may_include_script stage ${games} boxset cli)
set(may_include_desktop stage assets cli draw play)
set(may_include_web ${TOLVANE_SHARED_FOLDERS})
set(may_include_app ${TOLVANE_SHARED_FOLDERS} desktop)
set(may_include_tools ${TOLVANE_SHARED_FOLDERS} desktop)
set(may_include_tests ${TOLVANE_SHARED_FOLDERS} desktop web)
set(may_include_bench ${TOLVANE_SHARED_FOLDERS} desktop)

# What only a front end may include: a platform's own headers.
set(platform_header "^[ \t]*#[ \t]*include[ \t]*<(SDL|X11/|emscripten|windows\\.h|fontconfig/)")

set(faults "")
foreach(folder IN LISTS TOLVANE_ALL_FOLDERS)
  if(NOT DEFINED may_include_${folder})
    list(APPEND faults "${folder}/ has no line in cmake/CheckIncludes.cmake saying what it may include")
    continue()
  endif()
  file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.in)
  list(FILTER files EXCLUDE REGEX "/node_modules/")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_.-]+)/")
        set(included ${CMAKE_MATCH_1})
        if(included IN_LIST TOLVANE_ALL_FOLDERS AND NOT included STREQUAL folder
           AND NOT included IN_LIST may_include_${folder})
          list(APPEND faults "${name}: ${folder}/ may not include ${included}/ (${line})")
        endif()
      elseif(folder IN_LIST TOLVANE_SHARED_FOLDERS AND line MATCHES "${platform_header}")
        list(APPEND faults "${name}: ${folder}/ is shared by every front end and includes no platform (${line})")
      endif()
    endforeach()
  endforeach()
endforeach()

# Every folder of code at the top is a listed one; build folders (with their CMakeCache.txt) and
# hidden ones are not the project's own.
file(GLOB tops RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(top IN LISTS tops)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${top} OR top MATCHES "^\\." OR EXISTS ${SOURCE_DIR}/${top}/CMakeCache.txt
     OR top IN_LIST TOLVANE_ALL_FOLDERS)
    continue()
  endif()
  file(GLOB_RECURSE code ${SOURCE_DIR}/${top}/*.cpp ${SOURCE_DIR}/${top}/*.h)
  if(code)
    list(APPEND faults "${top}/ holds code but is not listed in cmake/Folders.cmake")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n" message)
  message(FATAL_ERROR "${message}")
endif()
