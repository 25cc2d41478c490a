#!/usr/bin/env bash
# Cross-builds the Windows x64 release on Debian 12, as root: installs the tools that
# are missing, builds Qt 6 base and the other libraries from Debian's sources once into
# ${XDG_CACHE_HOME:-$HOME/.cache}/passcat/windows/<name>-<version>, then builds
# passcat and writes build/windows/passcat-<version>-windows-x64.zip and
# build/windows/passcat-<version>-setup.exe.
# Usage: bash scripts/build-windows.sh [STAGE...]   (no stage: all of them, in order)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/passcat/windows
sources=$cache/sources
out=$top/build/windows
triplet=x86_64-w64-mingw32
toolchain=$top/scripts/mingw-w64-x86_64.cmake
jobs=$(nproc)

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

# One line a stage, with its time.
stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - started)) s"
}

install_tools() {
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    cmake ninja-build pkg-config nsis zip unzip dpkg-dev
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    wine wine64 xvfb xauth imagemagick
  )
  local missing=() package
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  # The POSIX thread model: std::thread and std::mutex need it.
  "${sudo_cmd[@]}" update-alternatives --set $triplet-gcc /usr/bin/$triplet-gcc-posix >/dev/null
  "${sudo_cmd[@]}" update-alternatives --set $triplet-g++ /usr/bin/$triplet-g++-posix >/dev/null
}

# apt-get source needs deb-src entries; where there are none, the Debian entries of the
# binary packages (this release's suites, same mirrors) are repeated as source entries.
add_source_entries() {
  if apt-get indextargets --no-release-info 2>/dev/null | grep -q '^Identifier: Sources$'; then
    return
  fi
  local codename list=/etc/apt/sources.list.d/passcat-deb-src.sources
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "No deb-src entries in the APT sources: adding $list for $codename"
  {
    # deb822 files: each stanza of type deb for this release, as deb-src.
    for file in /etc/apt/sources.list.d/*.sources; do
      [[ -f $file && $file != "$list" ]] || continue
      awk -v codename="$codename" '
        function flush() {
          if (stanza != "" && types ~ /(^| )deb( |$)/ && suites ~ "(^| )" codename "(-[a-z]+)?( |$)") {
            sub(/Types:[^\n]*/, "Types: deb-src", stanza); print stanza
          }
          stanza = ""; types = ""; suites = ""
        }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        { stanza = stanza $0 "\n" }
        /^Types:/ { types = substr($0, 7) " " }
        /^Suites:/ { suites = substr($0, 8) " " }
        END { flush() }' "$file"
    done
    # One-line entries: deb lines of this release, as deb-src stanzas.
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
      | awk -v codename="$codename" '$1 == "deb" {
          i = 2; signed = ""
          if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
          if ($(i + 1) !~ "^" codename "(-[a-z]+)?$") next
          printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $i, $(i + 1)
          for (j = i + 2; j <= NF; j++) printf " %s", $j
          printf "\n\n" }'
  } | "${sudo_cmd[@]}" tee "$list" >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
}

# The Debian version of a source package: the candidate of one of its binaries, less
# a binary-only rebuild suffix.
debian_version() {
  apt-cache policy "$1" | awk '/Candidate:/ { sub(/\+b[0-9]+$/, "", $2); print $2 }'
}

# Unpacks Debian's source of package=version into $sources once; prints its folder.
unpacked_source() {
  local package=$1 version=$2
  local folder=$sources/$package-$version
  if [[ ! -f $folder.stamp ]]; then
    rm -rf "$folder" "$sources/tmp-$package"
    mkdir -p "$sources/tmp-$package"
    (cd "$sources/tmp-$package" && apt-get source -qq "$package=$version" >/dev/null)
    local unpacked
    unpacked=$(find "$sources/tmp-$package" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    mv "$unpacked" "$folder"
    rm -rf "$sources/tmp-$package"
    touch "$folder.stamp"
  fi
  echo "$folder"
}

qt_version=$(debian_version qt6-base-dev)
qt_prefix=$cache/qt6-base-$qt_version

build_qt() {
  [[ -f $qt_prefix/.finished ]] && { echo "cached: $qt_prefix"; return; }
  local source
  source=$(unpacked_source qt6-base "$qt_version")
  local build=$cache/build/qt6-base-$qt_version
  rm -rf "$build" "$qt_prefix"
  mkdir -p "$build"
  (cd "$build" && nice "$source/configure" -prefix "$qt_prefix" -release -opensource -confirm-license \
    -xplatform win32-g++ \
    -qt-host-path /usr -nomake examples -nomake tests -no-pch \
    -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -no-libjpeg -no-gif -no-ico \
    -no-opengl -no-dbus -no-feature-sql -no-feature-network -no-feature-concurrent \
    -no-feature-xml -no-feature-printsupport -no-feature-tabletevent -no-feature-direct2d \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  nice cmake --build "$build" --parallel "$jobs"
  cmake --install "$build" >/dev/null
  rm -rf "$build"
  touch "$qt_prefix/.finished"
}

all_stages=(install_tools add_source_entries build_qt)
mkdir -p "$cache" "$sources" "$out"
for name in "${@:-${all_stages[@]}}"; do
  stage "$name" "$name"
done
