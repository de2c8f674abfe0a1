# After each link of the page: writes dist/index.html from its template, with the size of the
# module that it shows the progress of while it loads.
#   cmake -DTEMPLATE=... -DDIST=... -P FinishDist.cmake
file(SIZE "${DIST}/tolvane.wasm" wasm_bytes)
file(READ "${TEMPLATE}" page)
string(REPLACE "%WASM_BYTES%" "${wasm_bytes}" page "${page}")
file(WRITE "${DIST}/index.html" "${page}")
