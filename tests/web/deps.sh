#!/usr/bin/env bash
# The page's libraries as scripts/web-deps builds them: a small program compiled with em++ against
# them, linked with all three and run under Node.js (tests/web/deps_check.cpp says what it checks).
#   tests/web/deps.sh [PREFIX]   PREFIX: the folder scripts/web-deps prints (default: run it)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

[[ $# -le 1 ]] || { echo "usage: tests/web/deps.sh [PREFIX]" >&2; exit 2; }
prefix="${1:-$("$root/scripts/web-deps" | tail -n 1)}"
for library in libfreetype.a libpng16.a libz.a; do
  [[ -f "$prefix/lib/$library" ]] || { echo "tests/web/deps.sh: $prefix/lib/$library is missing" >&2; exit 2; }
done
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
[[ -f "$font" ]] || { echo "tests/web/deps.sh: $font is missing (Debian's fonts-liberation2)" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Debian's Emscripten finds its JavaScript tools among Debian's node modules.
export NODE_PATH=/usr/share/nodejs
em++ -std=c++20 -O1 -Wall -Wextra -Werror -I"$prefix/include" -I"$prefix/include/freetype2" "$here/deps_check.cpp" \
  -L"$prefix/lib" -lfreetype -lpng16 -lz --embed-file "$font@/font.ttf" -o "$scratch/deps_check.js"
# Node.js's own fetch would try to fetch the .wasm as a URL; Emscripten reads it as a file without.
node --no-experimental-fetch "$scratch/deps_check.js" /font.ttf
