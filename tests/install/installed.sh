#!/bin/bash
# `cmake --install` puts the two programs (the game carries its own pictures), their manual pages,
# the desktop entry with its icons, the AppStream metadata and the licence under the prefix; the
# metadata and the desktop entry pass their validators, the manual pages format without a
# warning, and the installed program starts from any folder.
# usage: installed.sh BUILD_DIR VERSION
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*"; exit 1; }

for file in bin/tolvane bin/tolvane-script share/man/man6/tolvane.6.gz share/man/man1/tolvane-script.1.gz \
            share/applications/tolvane.desktop share/icons/hicolor/48x48/apps/tolvane.png \
            share/icons/hicolor/256x256/apps/tolvane.png share/icons/hicolor/scalable/apps/tolvane.svg \
            share/metainfo/org.tolvane.boxset.metainfo.xml share/doc/tolvane/LICENSE share/doc/tolvane/copyright \
            share/doc/tolvane/changelog.gz; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
grep -qx "Categories=Game;ArcadeGame;" "$prefix/share/applications/tolvane.desktop" || fail "not a game"
grep -qx "Name=Tolvane box set" "$prefix/share/applications/tolvane.desktop" || fail "wrong name"

desktop-file-validate "$prefix/share/applications/tolvane.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.tolvane.boxset.metainfo.xml" >"$prefix/appstream" \
    || fail "appstreamcli validate: $(cat "$prefix/appstream")"
for page in man6/tolvane.6.gz man1/tolvane-script.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    MANWIDTH=80 man -l "$prefix/share/man/$page" 2>/dev/null | grep -q "$2" || fail "$page does not name version $2"
done

# Away from the source and build trees, and without a display, the programs answer: nothing they
# need is missing.
cd /
[ "$("$prefix/bin/tolvane" --version)" = "tolvane $2" ] || fail "the installed program's version"
message=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tolvane" 2>&1 || true)
[[ "$message" == "tolvane: cannot open the display"* && $(wc -l <<<"$message") -eq 1 ]] \
    || fail "the installed program said: $message"
[ "$(echo "print program.active" | "$prefix/bin/tolvane-script")" = Mainform ] || fail "the installed runner"
echo "installed and ready"
