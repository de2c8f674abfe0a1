# The C libraries of the Windows programs, built for MinGW-w64 from Debian's source packages by
# scripts/windows into a prefix outside the source tree, which it passes as TOLVANE_WINDOWS_PREFIX.
# Everything is linked statically, the C and C++ runtimes included, so that the programs need no
# DLL beside them.
set(TOLVANE_WINDOWS_PREFIX "$ENV{TOLVANE_WINDOWS_PREFIX}" CACHE PATH
    "Where scripts/windows installed SDL2, SDL2_image, SDL2_mixer and FreeType for Windows")
if(NOT EXISTS "${TOLVANE_WINDOWS_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "The Windows build needs TOLVANE_WINDOWS_PREFIX, the folder `scripts/windows --libraries` "
                      "prints (it holds lib/libSDL2.a); scripts/windows sets it")
endif()

# SDL and what it takes from Windows. SDL2main is left out: the programs' own main is the entry
# point, which MinGW's start-up code calls in a program for the GUI subsystem too.
add_library(Tolvane::SDL2 STATIC IMPORTED)
set_target_properties(Tolvane::SDL2 PROPERTIES IMPORTED_LOCATION "${TOLVANE_WINDOWS_PREFIX}/lib/libSDL2.a"
  INTERFACE_INCLUDE_DIRECTORIES "${TOLVANE_WINDOWS_PREFIX}/include/SDL2"
  INTERFACE_COMPILE_DEFINITIONS SDL_MAIN_HANDLED
  INTERFACE_LINK_LIBRARIES "user32;gdi32;winmm;imm32;ole32;oleaut32;version;uuid;advapi32;setupapi;shell32;dinput8")

foreach(library IN ITEMS SDL2_image SDL2_mixer)
  add_library(Tolvane::${library} STATIC IMPORTED)
  set_target_properties(Tolvane::${library} PROPERTIES IMPORTED_LOCATION "${TOLVANE_WINDOWS_PREFIX}/lib/lib${library}.a"
    INTERFACE_LINK_LIBRARIES Tolvane::SDL2)
endforeach()

add_library(Tolvane::FreeType STATIC IMPORTED)
set_target_properties(Tolvane::FreeType PROPERTIES IMPORTED_LOCATION "${TOLVANE_WINDOWS_PREFIX}/lib/libfreetype.a"
  INTERFACE_INCLUDE_DIRECTORIES "${TOLVANE_WINDOWS_PREFIX}/include/freetype2")

# Unicode is the programs' only character set: the wide Windows API is what they call.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)
