# Warnings are errors in the project's own builds (its presets, scripts/test and CI turn this on),
# never in a user's or a packager's: another compiler's new warning must not break their build.
option(TOLVANE_WERROR "Treat warnings in the project's own code as errors" OFF)

# Every target of ours calls this: the warnings we hold our code to, the root as include path, and
# source files named from the root in what the program says of itself (a failed check's message).
function(tolvane_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${TOLVANE_WERROR}>:-Werror>
                                           -fmacro-prefix-map=${PROJECT_SOURCE_DIR}/=)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A library of the project: its sources, warnings on, reachable as <folder>/<File>.h.
function(tolvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  tolvane_defaults(${name})
  if(ARG_LINKS)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  endif()
endfunction()

# A build whose every test also runs under AddressSanitizer and UndefinedBehaviorSanitizer; any
# report stops the program, so a test that provokes one fails.
option(TOLVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TOLVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The libFuzzer build of the session fuzz target (clang only): everything is instrumented for
# coverage and built with the same sanitizers. Comparisons are not traced: the target's bytes
# choose among a few operations, so tracing would only slow every session down.
option(TOLVANE_FUZZ "Build the session fuzz target with libFuzzer (needs clang)" OFF)
if(TOLVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-sanitize-coverage=trace-cmp)
  add_link_options(-fsanitize=address,undefined)
endif()
