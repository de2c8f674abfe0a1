#!/bin/bash
# The Debian package as a user meets it: apt installs it together with what it depends on, the
# installed game answers --version from the PATH and plays the desktop smoke story, and removing
# the package leaves nothing of it behind. It changes the machine's packages, so it runs as root
# only, and scripts/test runs it in CI only.
# usage: apt_story.sh PACKAGE.deb
set -u
deb=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
fail() { echo "FAIL: $*"; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
remove() { apt-get purge -y -qq tolvane >>"$log" 2>&1; }
trap 'remove; rm -f "$log"' EXIT

remove
apt-get install -y -qq --no-install-recommends "$deb" >"$log" 2>&1 || fail "apt could not install $deb: $(cat "$log")"
version=$(dpkg-deb -f "$deb" Version)
mapfile -t installed < <(dpkg -L tolvane)

[ "$(PATH=/usr/games:/usr/bin:/bin command -v tolvane)" = /usr/games/tolvane ] || fail "tolvane is not in /usr/games"
[ "$(/usr/games/tolvane --version)" = "tolvane $version" ] || fail "the installed game's version"
[ "$(/usr/bin/tolvane-script --version)" = "tolvane-script $version" ] || fail "the installed runner's version"
[ "$(man -w tolvane)" = /usr/share/man/man6/tolvane.6.gz ] || fail "man does not find tolvane(6)"
"$here/../desktop/desktop_smoke.sh" /usr/games/tolvane || fail "the installed game did not play the smoke story"

apt-get purge -y -qq tolvane >"$log" 2>&1 || fail "apt could not remove the package: $(cat "$log")"
if dpkg -s tolvane >/dev/null 2>&1; then fail "dpkg still knows the package"; fi
# Every file of the package is gone, and every folder too, unless another package owns it.
for path in "${installed[@]}"; do
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        dpkg -S "$path" >/dev/null 2>&1 || fail "the folder $path was left behind"
    elif [ -e "$path" ] || [ -L "$path" ]; then
        fail "$path was left behind"
    fi
done
echo "the package installed, played and went away without a trace (${#installed[@]} paths)"
