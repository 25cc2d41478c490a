#!/usr/bin/env bash
# Cross-builds the Windows x64 release on Debian 12, as root: installs the tools that
# are missing, builds Qt 6 base and the other libraries from Debian's sources once into
# ${XDG_CACHE_HOME:-$HOME/.cache}/passcat/windows/<name>-<version>, then builds
# passcat and writes build/windows/passcat-<version>-windows-x64.zip and
# build/windows/passcat-<version>-setup.exe.
# Usage: bash scripts/build-windows.sh [STAGE...]   (no stage: all of them, in order)
set -euo pipefail
shopt -s inherit_errexit

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

# What the Linux build needs (Debian's Qt gives the host tools, and the tests want the
# ru_RU.UTF-8 locale), then the cross tools, the installer maker and wine.
install_tools() {
  bash "$top/scripts/setup.sh"
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    nsis zip wine wine64 x11-utils imagemagick
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

# The Debian versions of a source package, best first: debian_versions SOURCE BINARY.
# That of the binary as installed comes first (Qt's host tools must match it), then
# the sources offered, newest first.
debian_versions() {
  local installed
  installed=$(dpkg-query -W -f='${Status} ${Version}' "$2" 2>/dev/null | awk '/install ok installed/ { print $4 }')
  installed=${installed%+b[0-9]*}
  apt-cache showsrc --only-source "$1" | awk '/^Version:/ { print $2 }' | sort -V -r \
    | awk -v installed="$installed" '$0 == installed { print; next } { rest = rest $0 "\n" } END { printf "%s", rest }'
}

# Unpacks Debian's source of a package once into $sources/<name>-<version> and sets
# source_folder and source_version; the first version whose files are to be had wins
# (a mirror may lack a superseded security update's files).
unpack_source() {
  local package=$1 binary=$2 version
  for version in $(debian_versions "$package" "$binary"); do
    source_version=$version
    source_folder=$sources/$package-${version#*:}
    [[ -f $source_folder.stamp ]] && return
  done
  for version in $(debian_versions "$package" "$binary"); do
    source_version=$version
    source_folder=$sources/$package-${version#*:}
    rm -rf "$source_folder" "$sources/tmp-$package"
    mkdir -p "$sources/tmp-$package"
    if (cd "$sources/tmp-$package" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
      mv "$(find "$sources/tmp-$package" -mindepth 1 -maxdepth 1 -type d | head -n 1)" "$source_folder"
      rm -rf "$sources/tmp-$package"
      touch "$source_folder.stamp"
      return
    fi
    echo "The source of $package $version is not to be had; trying an older one"
  done
  echo "No source of $package to be had" >&2
  return 1
}

# Qt, as the host tools it is built with: qt6-base at the version of Debian's Qt.
build_qt() {
  unpack_source qt6-base qt6-base-dev
  local installed
  installed=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  if [[ $source_version != "${installed%+b[0-9]*}" ]]; then
    echo "The source of qt6-base $installed, the host Qt's version, is not to be had" >&2
    return 1
  fi
  qt_prefix=$cache/qt6-base-$source_version
  [[ -f $qt_prefix/.finished ]] && { echo "cached: $qt_prefix"; return; }
  # The Windows platform uses the DirectWrite 3 font database where DirectWrite 3 is
  # there, but Qt Gui builds it only with Direct2D too: the same guard in both.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$source_folder/src/plugins/platforms/windows/qwindowsintegration.cpp"
  local build=$cache/build/qt6-base-$source_version
  rm -rf "$build" "$qt_prefix"
  mkdir -p "$build"
  (cd "$build" && nice "$source_folder/configure" -prefix "$qt_prefix" -release -opensource -confirm-license \
    -xplatform win32-g++ -qt-host-path /usr -nomake examples -nomake tests -no-pch \
    -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -no-libjpeg -no-gif -no-ico \
    -no-opengl -no-dbus -no-feature-sql -no-feature-network -no-feature-concurrent \
    -no-feature-xml -no-feature-printsupport -no-feature-tabletevent -no-feature-direct2d \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  nice cmake --build "$build" --parallel "$jobs"
  cmake --install "$build" >/dev/null
  rm -rf "$build"
  touch "$qt_prefix/.finished"
}

# A CMake library from Debian's source, built once into $cache/<name>-<version>, which
# it sets as library_prefix: cmake_library SOURCE BINARY SUBFOLDER [CMAKE_OPTION...]
cmake_library() {
  local name=$1 binary=$2 subfolder=$3
  shift 3
  unpack_source "$name" "$binary"
  library_prefix=$cache/$name-${source_version#*:}
  [[ -f $library_prefix/.finished ]] && { echo "cached: $library_prefix"; return; }
  local build=$cache/build/$name-${source_version#*:}
  rm -rf "$build" "$library_prefix"
  nice cmake -S "$source_folder/$subfolder" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$library_prefix" "$@" >/dev/null
  nice cmake --build "$build" --parallel "$jobs"
  cmake --install "$build" --strip >/dev/null
  rm -rf "$build"
  touch "$library_prefix/.finished"
}

# The libraries are DLLs (bundled beside the programs), so that their headers need no
# static-linking definitions; GoogleTest, only for the tests, is static. Sets
# library_prefixes.
build_libraries() {
  # Debian's zlib source lacks win32/, whose version resource zlib's MinGW build compiles.
  unpack_source zlib zlib1g-dev
  local zlib_rc=$source_folder/win32/zlib1.rc
  [[ -s $zlib_rc ]] || { mkdir -p "${zlib_rc%/*}" && printf '1 VERSIONINFO\nFILEVERSION 1,2,13,0\nBEGIN\nEND\n' >"$zlib_rc"; }
  cmake_library zlib zlib1g-dev . -DSKIP_INSTALL_FILES=ON
  library_prefixes=$library_prefix
  # Debian's security fixes test XML_DTD == 1, as Expat's configure build defines it;
  # its CMake build defines it empty.
  unpack_source expat libexpat1-dev
  sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$source_folder/expat/expat_config.h.cmake"
  cmake_library expat libexpat1-dev expat \
    -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF
  library_prefixes+=";$library_prefix"
  cmake_library geographiclib libgeographiclib-dev . -DBUILD_SHARED_LIBS=ON \
    -DBUILD_DOCUMENTATION=OFF -DBUILD_MANPAGES=OFF -DEXAMPLEDIR=
  library_prefixes+=";$library_prefix"
  PASSCAT_WINDOWS_PREFIXES=$library_prefixes cmake_library libzip libzip-dev . \
    -DBUILD_SHARED_LIBS=ON -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=OFF
  library_prefixes+=";$library_prefix"
  cmake_library googletest libgtest-dev . -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
  library_prefixes+=";$library_prefix"
}

# passcat itself, with its tests (run under wine by scripts/test-windows.sh), in
# build/windows/build. ctest runs the test programs through scripts/wine-run.sh,
# their DLLs found where they were built.
build_passcat() {
  [[ -n ${qt_prefix:-} ]] || build_qt >/dev/null
  [[ -n ${library_prefixes:-} ]] || build_libraries >/dev/null
  local prefixes="$qt_prefix;$library_prefixes" pkgconfig="" dll_folders="" prefix
  IFS=';' read -r -a prefix_list <<<"$prefixes"
  for prefix in "${prefix_list[@]}"; do
    pkgconfig+="${pkgconfig:+:}$prefix/lib/pkgconfig:$prefix/share/pkgconfig"
    dll_folders+="$prefix/bin:"
  done
  dll_folders+=$(echo /usr/lib/gcc/$triplet/*-posix):/usr/$triplet/lib
  # Qt's Russian texts where the Windows Qt looks for them, for the build tree's
  # programs and tests (the bundle has its own copy).
  install -D -m 644 /usr/share/qt6/translations/qtbase_ru.qm "$qt_prefix/translations/qtbase_ru.qm"
  export PASSCAT_WINDOWS_PREFIXES=$prefixes PKG_CONFIG_LIBDIR=$pkgconfig
  nice cmake -S "$top" -B "$out/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefixes" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$top/scripts/wine-run.sh;$dll_folders" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
  # The programs first, then the tests.
  nice cmake --build "$out/build" --parallel "$jobs" --target passcat passcat-cli passcat-cli-charts
  nice cmake --build "$out/build" --parallel "$jobs"
}

# The DLLs a Windows program or DLL loads, by name, as its import table lists them.
imported_dlls() {
  $triplet-objdump -p "$1" | awk '/DLL Name:/ { print $3 }'
}

# The folder of programs and everything they load, and the zip of it.
bundle() {
  [[ -n ${qt_prefix:-} ]] || build_qt >/dev/null
  [[ -n ${library_prefixes:-} ]] || build_libraries >/dev/null
  local version bundle_dir
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")
  bundle_dir=$out/passcat-$version-windows-x64
  rm -rf "$bundle_dir"
  mkdir -p "$bundle_dir/platforms" "$bundle_dir/styles" "$bundle_dir/translations" "$bundle_dir/licences"
  cp "$out/build/gui/passcat.exe" "$out/build/cli/passcat-cli.exe" "$out/build/cli/passcat-cli-charts.dll" "$bundle_dir/"
  # The window's platform and style, and the charts' platform without a display.
  cp "$qt_prefix/plugins/platforms/qwindows.dll" "$qt_prefix/plugins/platforms/qoffscreen.dll" "$bundle_dir/platforms/"
  cp "$qt_prefix"/plugins/styles/*.dll "$bundle_dir/styles/"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$bundle_dir/translations/"
  printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$bundle_dir/qt.conf"

  # Every DLL they load that is not Windows' own, found among the libraries built
  # here and MinGW's runtime.
  local search=("$qt_prefix/bin") prefix
  IFS=';' read -r -a prefix_list <<<"$library_prefixes"
  for prefix in "${prefix_list[@]}"; do search+=("$prefix/bin"); done
  search+=(/usr/lib/gcc/$triplet/*-posix /usr/$triplet/lib)
  local pending=("$bundle_dir"/*.exe "$bundle_dir"/*.dll "$bundle_dir"/*/*.dll) file dll folder
  while ((${#pending[@]})); do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(imported_dlls "$file"); do
      [[ -f $bundle_dir/$dll ]] && continue
      for folder in "${search[@]}"; do
        if [[ -f $folder/$dll ]]; then
          cp "$folder/$dll" "$bundle_dir/"
          pending+=("$bundle_dir/$dll")
          break
        fi
      done
    done
  done
  $triplet-strip --strip-unneeded "$bundle_dir"/*.exe "$bundle_dir"/*.dll "$bundle_dir"/*/*.dll

  # The licences of what is bundled.
  local licences=$bundle_dir/licences name
  for name in qt6-base expat geographiclib libzip zlib; do
    cp "$(ls -d "$sources/$name"-*/ | grep -v '\.stamp' | sort -V | tail -n 1)debian/copyright" "$licences/$name.txt"
  done
  cp "$(ls -d "$sources"/qt6-base-*/ | tail -n 1)LICENSES/LGPL-3.0-only.txt" "$licences/LGPL-3.0.txt"
  cp /usr/share/common-licenses/GPL-3 "$licences/GPL-3.0.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/mingw-w64-gcc-runtime.txt"
  cp /usr/share/doc/mingw-w64-common/copyright "$licences/mingw-w64-winpthreads.txt"
  cp /usr/share/doc/fonts-dejavu-core/copyright "$licences/dejavu-fonts.txt"
  { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$top/packaging/windows/README.txt"; } >"$bundle_dir/README.txt"
  for file in "$licences"/*.txt; do sed -i 's/\r\?$/\r/' "$file"; done

  local zip=$out/passcat-$version-windows-x64.zip
  rm -f "$zip"
  (cd "$out" && zip -qr -9 -X "$zip" "${bundle_dir##*/}")
  echo "bundle: $(du -sm "$bundle_dir" | cut -f1) MB; $zip: $(du -m "$zip" | cut -f1) MB"
}

# The NSIS installer of the bundle, in Russian.
installer() {
  local version bundle_dir
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")
  bundle_dir=$out/passcat-$version-windows-x64
  local files=$out/installer-files.nsh removals=$out/installer-removals.nsh path relative
  : >"$files"
  : >"$removals"
  local folder file
  while IFS= read -r folder; do
    relative=${folder#"$bundle_dir"}
    echo "SetOutPath \"\$INSTDIR${relative//\//\\}\"" >>"$files"
    while IFS= read -r file; do
      echo "File \"$file\"" >>"$files"
      relative=${file#"$bundle_dir"}
      echo "Delete \"\$INSTDIR${relative//\//\\}\"" >>"$removals"
    done < <(find "$folder" -maxdepth 1 -type f | sort)
  done < <(find "$bundle_dir" -type d | sort)
  find "$bundle_dir" -mindepth 1 -type d | sort -r | while IFS= read -r path; do
    relative=${path#"$bundle_dir"}
    echo "RMDir \"\$INSTDIR${relative//\//\\}\"" >>"$removals"
  done
  makensis -V2 -DVERSION="$version" -DICON="$top/gui/resources/passcat.ico" \
    -DSIZE_KB="$(du -sk "$bundle_dir" | cut -f1)" -DFILES="$files" -DREMOVALS="$removals" \
    -DOUTFILE="$out/passcat-$version-setup.exe" "$top/packaging/windows/installer.nsi"
  echo "$out/passcat-$version-setup.exe: $(du -m "$out/passcat-$version-setup.exe" | cut -f1) MB"
}

# All of it in one function, called on the last line with the exit after it: bash reads
# that line whole before it runs, so a script edited while it runs goes on as it was.
main() {
  local all_stages=(install_tools add_source_entries build_qt build_libraries build_passcat bundle installer)
  local started=$SECONDS name
  mkdir -p "$cache" "$sources" "$out"
  for name in "${@:-${all_stages[@]}}"; do
    stage "$name" "$name"
  done
  echo "== all: $((SECONDS - started)) s"
}

main "$@"; exit
