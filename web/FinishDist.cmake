# After each link of the page: makes dist/ as a web host serves it.
#   cmake -DSTAGE=... -DDIST=... -DTEMPLATE=... -DSOURCE=... -DICONS=... [-DBROTLI=...] -P FinishDist.cmake
#
# The program's two files take names that carry a hash of both, so that a browser never mixes an
# old tolvane.js with a new tolvane.wasm and may keep them for ever; index.html, the service worker
# and the manifest keep their names and are asked for afresh. Every file also lies compressed
# beside itself (.gz, and .br with Debian's brotli) for any static host to send as it is.
foreach(variable IN ITEMS STAGE DIST TEMPLATE SOURCE ICONS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "FinishDist.cmake needs -D${variable}=...")
  endif()
endforeach()

file(SHA256 "${STAGE}/tolvane.js" js_hash)
file(SHA256 "${STAGE}/tolvane.wasm" wasm_hash)
string(SHA256 version "${js_hash}${wasm_hash}")
string(SUBSTRING "${version}" 0 12 version)
set(js "tolvane-${version}.js")
set(wasm "tolvane-${version}.wasm")
file(SIZE "${STAGE}/tolvane.wasm" wasm_bytes)

file(REMOVE_RECURSE "${DIST}")
file(MAKE_DIRECTORY "${DIST}")
file(COPY_FILE "${STAGE}/tolvane.js" "${DIST}/${js}")
file(COPY_FILE "${STAGE}/tolvane.wasm" "${DIST}/${wasm}")
file(COPY_FILE "${SOURCE}/manifest.webmanifest" "${DIST}/manifest.webmanifest")
set(icons tolvane.svg tolvane-48.png tolvane-192.png tolvane-512.png)
foreach(icon IN LISTS icons)
  file(COPY_FILE "${ICONS}/${icon}" "${DIST}/${icon}")
endforeach()

file(READ "${TEMPLATE}" page)
string(REPLACE "%WASM_BYTES%" "${wasm_bytes}" page "${page}")
string(REPLACE "%WASM_FILE%" "${wasm}" page "${page}")
string(REPLACE "%JS_FILE%" "${js}" page "${page}")
file(WRITE "${DIST}/index.html" "${page}")

# The service worker keeps every file of this version, the page itself under its folder's name.
set(kept "'./'")
foreach(file IN ITEMS ${js} ${wasm} manifest.webmanifest ${icons})
  string(APPEND kept ", './${file}'")
endforeach()
file(READ "${SOURCE}/sw.js" worker)
string(REPLACE "%VERSION%" "${version}" worker "${worker}")
string(REPLACE "%FILES%" "${kept}" worker "${worker}")
file(WRITE "${DIST}/sw.js" "${worker}")

file(GLOB files RELATIVE "${DIST}" "${DIST}/*")
foreach(file IN LISTS files)
  if(file MATCHES "\\.png$")
    continue() # compressed already
  endif()
  file(ARCHIVE_CREATE OUTPUT "${DIST}/${file}.gz" PATHS "${DIST}/${file}" FORMAT raw COMPRESSION GZip
       COMPRESSION_LEVEL 9 MTIME 0)
  if(BROTLI)
    execute_process(COMMAND "${BROTLI}" --best --keep --force --output=${DIST}/${file}.br "${DIST}/${file}"
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "brotli could not compress ${file}")
    endif()
  endif()
endforeach()
