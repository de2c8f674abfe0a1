# The C libraries of the web page, built for WebAssembly from Debian's source packages by
# scripts/web-deps into a prefix outside the source tree; scripts/web passes it as
# TOLVANE_WEB_PREFIX.
set(TOLVANE_WEB_PREFIX "" CACHE PATH "Where scripts/web-deps installed FreeType, libpng and zlib for the page")
if(NOT EXISTS "${TOLVANE_WEB_PREFIX}/lib/libfreetype.a")
  message(FATAL_ERROR "The web page needs TOLVANE_WEB_PREFIX, the folder scripts/web-deps prints "
                      "(it holds lib/libfreetype.a); scripts/web sets it")
endif()

add_library(Tolvane::ZLib STATIC IMPORTED)
set_target_properties(Tolvane::ZLib PROPERTIES IMPORTED_LOCATION "${TOLVANE_WEB_PREFIX}/lib/libz.a"
  INTERFACE_INCLUDE_DIRECTORIES "${TOLVANE_WEB_PREFIX}/include")

add_library(Tolvane::PNG STATIC IMPORTED)
file(GLOB tolvane_web_libpng "${TOLVANE_WEB_PREFIX}/lib/libpng16.a" "${TOLVANE_WEB_PREFIX}/lib/libpng.a")
list(GET tolvane_web_libpng 0 tolvane_web_libpng)
set_target_properties(Tolvane::PNG PROPERTIES IMPORTED_LOCATION "${tolvane_web_libpng}"
  INTERFACE_INCLUDE_DIRECTORIES "${TOLVANE_WEB_PREFIX}/include"
  INTERFACE_LINK_LIBRARIES Tolvane::ZLib)

add_library(Tolvane::FreeType STATIC IMPORTED)
set_target_properties(Tolvane::FreeType PROPERTIES IMPORTED_LOCATION "${TOLVANE_WEB_PREFIX}/lib/libfreetype.a"
  INTERFACE_INCLUDE_DIRECTORIES "${TOLVANE_WEB_PREFIX}/include/freetype2")

# The stage ends the program by throwing from a handler and catching it around the handler:
# WebAssembly needs exceptions built in for that. WebAssembly's own exceptions (every browser of
# the last years has them) cost nothing until one is thrown; the older kind, emulated through
# JavaScript, sent every call that might throw through a JavaScript trampoline.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
