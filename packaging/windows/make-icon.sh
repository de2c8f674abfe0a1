#!/bin/sh
# Writes a Windows icon file (.ico) that holds the given square PNG pictures as they are, which
# Windows reads since Vista: a header, one entry per picture, then the pictures.
# usage: make-icon.sh OUT.ico PICTURE.png SIZE [PICTURE.png SIZE]...
set -eu
out=$1
shift
# The little-endian bytes of a number, as printf escapes: le16 N, le32 N.
le16() { printf '\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '\\%03o\\%03o\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
count=$(($# / 2))
{
    printf "\\000\\000$(le16 1)$(le16 $count)"
    offset=$((6 + 16 * count))
    pictures="$*"
    while [ $# -gt 0 ]; do
        size=$(wc -c <"$1")
        side=$(($2 % 256)) # 256 is written as 0
        printf "$(printf '\\%03o' "$side")$(printf '\\%03o' "$side")\\000\\000$(le16 1)$(le16 32)$(le32 "$size")$(le32 "$offset")"
        offset=$((offset + size))
        shift 2
    done
    set -- $pictures
    while [ $# -gt 0 ]; do
        cat "$1"
        shift 2
    done
} >"$out"
