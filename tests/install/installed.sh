#!/bin/bash
# `cmake --install` puts a program that carries its own pictures, a desktop entry and its icons
# under the prefix; the installed program then starts from any folder.
# usage: installed.sh BUILD_DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/tolvane share/applications/tolvane.desktop share/icons/hicolor/48x48/apps/tolvane.png \
            share/icons/hicolor/256x256/apps/tolvane.png share/icons/hicolor/scalable/apps/tolvane.svg; do
    [ -e "$prefix/$file" ] || { echo "FAIL: $file was not installed"; exit 1; }
done
grep -qx "Categories=Game;ArcadeGame;" "$prefix/share/applications/tolvane.desktop" || { echo "FAIL: not a game"; exit 1; }
grep -qx "Name=Tolvane box set" "$prefix/share/applications/tolvane.desktop" || { echo "FAIL: wrong name"; exit 1; }

# Away from the source and build trees, and without a display, the program gets as far as
# asking for one: nothing it needs is missing.
cd /
message=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tolvane" 2>&1 || true)
[[ "$message" == "tolvane: cannot open the display"* && $(wc -l <<<"$message") -eq 1 ]] \
    || { echo "FAIL: the installed program said: $message"; exit 1; }
echo "installed and ready"
