# Debian's own source packages, downloaded and verified for the builds of libraries that Debian
# does not ship for a target (the web page's, the Windows programs'). Sourced by scripts/web-deps
# and scripts/windows, which define `say` and `fail` (one line on standard error; fail also exits
# with status 1).
#
# The sources come from the deb-src entries of the machine's own Debian mirrors, through a private
# sources list, so the machine's apt set-up is neither read for sources nor changed. apt checks each
# file against the mirror's signed index; debian_source_verify checks each again against its .dsc
# before unpacking. Only the upstream tarballs are built, without Debian's packaging.

# Checks every file the .dsc names against its SHA-256 there.
debian_source_verify() {
  local dsc="$1" folder
  folder=$(dirname "$dsc")
  local listed=0
  while read -r sum _ name; do
    [[ -n "$name" ]] || continue
    [[ -f "$folder/$name" ]] || fail "$name, named in $(basename "$dsc"), was not downloaded"
    [[ "$(sha256sum "$folder/$name" | cut -d' ' -f1)" == "$sum" ]] \
      || fail "$name does not match the SHA-256 in $(basename "$dsc"): refusing to build it"
    listed=$((listed + 1))
  done < <(awk '/^Checksums-Sha256:/ { inside = 1; next } /^[^ ]/ { inside = 0 } inside { print $1, $2, $3 }' "$dsc")
  [[ $listed -gt 0 ]] || fail "$(basename "$dsc") lists no SHA-256 checksums"
}

# Makes the private sources list under CACHE/apt and reads the mirrors' source indexes; the
# downloads of debian_source_fetch go under CACHE/sources.
debian_sources_open() {
  debian_sources_cache="$1"
  local apt_dir="$debian_sources_cache/apt"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

  # Debian's mirrors as this machine knows them, as deb-src: Debian's own entry in deb822 form
  # (sources.list.d/debian.sources), or else the classic sources.list. Other repositories in
  # sources.list.d are left out: the sources come from Debian only.
  local debian_sources=/etc/apt/sources.list.d/debian.sources sources
  if [[ -f "$debian_sources" ]] && grep -q '^Types:' "$debian_sources"; then
    sources="$apt_dir/debian.sources" # apt tells a list in deb822 form by its name's ending
    sed -E 's/^Types:.*/Types: deb-src/' "$debian_sources" > "$sources"
  elif [[ -f /etc/apt/sources.list ]] && grep -qE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
    sources="$apt_dir/sources.list"
    sed -nE 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' /etc/apt/sources.list > "$sources"
  else
    fail "found no Debian mirror in $debian_sources or /etc/apt/sources.list"
  fi
  debian_apt_options=(-o "Dir::Etc::sourcelist=$sources" -o Dir::Etc::sourceparts=/dev/null
                      -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
                      -o APT::Sandbox::User=root -qq)

  say "reading the source indexes of the Debian mirrors"
  apt-get "${debian_apt_options[@]}" update >&2 || fail "apt-get could not read the mirrors' source indexes"
}

# Downloads the newest version of a source package the mirrors serve whole (a security mirror
# can list a version it no longer holds), verifies it, and unpacks its upstream tarball. Sets
# source_dir to the unpacked sources and source_version to the version.
debian_source_fetch() {
  local package="$1" version folder
  local versions
  versions=$(apt-cache "${debian_apt_options[@]}" showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -Vru)
  [[ -n "$versions" ]] || fail "the mirrors have no source package $package"
  for version in $versions; do
    folder="$debian_sources_cache/sources/$package/$version"
    if [[ ! -f "$folder/fetched" ]]; then
      rm -rf "$folder" && mkdir -p "$folder"
      (cd "$folder" && apt-get "${debian_apt_options[@]}" source --download-only "$package=$version" >/dev/null 2>&1) || continue
      touch "$folder/fetched"
    fi
    local dsc
    dsc=$(ls "$folder"/*.dsc)
    debian_source_verify "$dsc"
    # The upstream tarball, as the .dsc names it (beside it may lie tarballs of extra parts).
    local upstream
    upstream=$(awk '/^Checksums-Sha256:/ { inside = 1; next } /^[^ ]/ { inside = 0 }
                    inside && $3 ~ /\.orig\.tar\.[a-z0-9]+$/ { print $3 }' "$dsc")
    [[ -n "$upstream" ]] || fail "$(basename "$dsc") names no upstream tarball"
    rm -rf "$folder/unpacked" && mkdir -p "$folder/unpacked"
    tar -xf "$folder/$upstream" -C "$folder/unpacked" --strip-components=1
    say "$package $version: verified against $(basename "$dsc") and unpacked"
    source_dir="$folder/unpacked"
    source_version="$version"
    return 0
  done
  fail "could not download any version of $package (${versions//$'\n'/ }) from the mirrors"
}

# FreeType as the programs use it: they read the outlines of TrueType fonts in font units and draw
# them themselves, so FreeType's TrueType driver and the SFNT tables are all they need, with no
# renderer, no hinting (so no bytecode interpreter) and no font variations. FreeType takes its
# module list from ftmodule.h and its options from ftoption.h; both are set here, in the unpacked
# sources at SOURCE_DIR.
freetype_outlines_only() {
  local source_dir="$1"
  cat > "$source_dir/include/freetype/config/ftmodule.h" <<'MODULES'
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
MODULES
  sed -i -E 's@^#define (TT_CONFIG_OPTION_BYTECODE_INTERPRETER|TT_CONFIG_OPTION_GX_VAR_SUPPORT)$@/* & */@' \
    "$source_dir/include/freetype/config/ftoption.h"
}
