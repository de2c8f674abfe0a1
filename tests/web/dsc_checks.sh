#!/bin/bash
# scripts/web-deps builds nothing that does not match its .dsc: a source file altered or missing
# after the download is refused with one line and status 1.
# usage: dsc_checks.sh WEB_DEPS
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
web_deps=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

head -c 4096 /dev/urandom > "$scratch/zlib_1.0.orig.tar.xz"
printf 'Debian packaging\n' > "$scratch/zlib_1.0-1.debian.tar.xz"
cat > "$scratch/zlib_1.0-1.dsc" <<DSC
Format: 3.0 (quilt)
Source: zlib
Version: 1.0-1
Checksums-Sha256:
 $(sha256sum "$scratch/zlib_1.0.orig.tar.xz" | cut -d' ' -f1) 4096 zlib_1.0.orig.tar.xz
 $(sha256sum "$scratch/zlib_1.0-1.debian.tar.xz" | cut -d' ' -f1) 17 zlib_1.0-1.debian.tar.xz
Files:
 0123456789abcdef0123456789abcdef 4096 zlib_1.0.orig.tar.xz
DSC

# Runs web-deps --verify; sets status and err.
verify() {
  err=$("$web_deps" --verify "$1" 2>&1 >/dev/null)
  status=$?
}

verify "$scratch/zlib_1.0-1.dsc"
[[ $status -eq 0 ]] || fail "matching files refused: $err"

cp "$scratch/zlib_1.0.orig.tar.xz" "$scratch/kept"
printf 'x' >> "$scratch/zlib_1.0.orig.tar.xz"
verify "$scratch/zlib_1.0-1.dsc"
[[ $status -eq 1 && "$err" == *"zlib_1.0.orig.tar.xz does not match the SHA-256"* && $(wc -l <<<"$err") -eq 1 ]] \
    || fail "an altered tarball: status $status, $err"

mv "$scratch/kept" "$scratch/zlib_1.0.orig.tar.xz"
rm "$scratch/zlib_1.0-1.debian.tar.xz"
verify "$scratch/zlib_1.0-1.dsc"
[[ $status -eq 1 && "$err" == *"was not downloaded"* ]] || fail "a missing file: status $status, $err"

printf 'Source: zlib\nFiles:\n 0123 1 a\n' > "$scratch/empty.dsc"
verify "$scratch/empty.dsc"
[[ $status -eq 1 && "$err" == *"lists no SHA-256 checksums"* ]] || fail "a .dsc without checksums: status $status, $err"

for arguments in "--verify" "--verify $scratch/none.dsc" "--frobnicate"; do
    # shellcheck disable=SC2086
    "$web_deps" $arguments >/dev/null 2>&1
    status=$?
    [[ $status -eq 2 ]] || fail "scripts/web-deps $arguments: status $status, not 2"
done

[[ $failures -eq 0 ]] && echo "every .dsc check held"
exit $((failures > 0))
