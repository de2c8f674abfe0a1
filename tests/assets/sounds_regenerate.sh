#!/bin/bash
# Regenerates the sounds into a scratch folder and compares them with the committed ones.
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$source_dir/tools/make-sounds" --out "$scratch" >/dev/null
diff -r "$scratch" "$source_dir/assets/sounds"
