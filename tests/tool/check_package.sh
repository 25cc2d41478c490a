#!/usr/bin/env bash
# Builds the Debian package of a build tree with cpack and checks what it holds: the
# programs, the manual page, the desktop file, the icons, the AppStream metainfo and a
# Depends line with the Qt libraries; then unpacks it into a scratch root and runs the
# installed passcat-cli there.
#   check_package.sh BUILD_DIR EXAMPLES_DIR WINDOW(ON|OFF)
set -euo pipefail
build=$1
examples=$2
window=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(echo "$work"/passcat_*.deb)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')

failed=0
expect() { # expect WHAT TEXT PATTERN
  if ! grep -qE -- "$3" <<<"$2"; then
    echo "the package lacks $1 (no line matching $3)"
    failed=1
  fi
}
expect "its name" "$info" '^ Package: passcat$'
expect "its version" "$info" '^ Version: [0-9]+\.[0-9]+\.[0-9]+$'
expect "a maintainer" "$info" '^ Maintainer: .+<.+@.+>$'
expect "a description" "$info" '^ Description: .+'
expect "Qt Core among its dependencies" "$info" '^ Depends: .*libqt6core6'
expect "the command line" "$contents" '^\./usr/bin/passcat-cli$'
expect "the manual page" "$contents" '^\./usr/share/man/man1/passcat-cli\.1\.gz$'
if [[ $window == ON ]]; then
  expect "Qt Widgets among its dependencies" "$info" '^ Depends: .*libqt6widgets6'
  expect "the window" "$contents" '^\./usr/bin/passcat$'
  expect "the desktop file" "$contents" '^\./usr/share/applications/passcat\.desktop$'
  expect "the track types" "$contents" '^\./usr/share/mime/packages/passcat\.xml$'
  expect "Qt's Russian texts recommended" "$info" '^ Recommends: .*qt6-translations-l10n'
  expect "the icons" "$contents" '^\./usr/share/icons/hicolor/48x48/apps/passcat\.png$'
  expect "the scalable icon" "$contents" '^\./usr/share/icons/hicolor/scalable/apps/passcat\.svg$'
  expect "the metainfo" "$contents" '^\./usr/share/metainfo/.+\.metainfo\.xml$'
fi

# The installed files at work, from a scratch root: the libraries are the system's.
root="$work/root"
dpkg -x "$deb" "$root"
version=$("$root/usr/bin/passcat-cli" --version)
expect "a passcat-cli that tells its version" "$version" '^passcat-cli [0-9]+\.[0-9]+\.[0-9]+$'
report=$("$root/usr/bin/passcat-cli" "$examples/passes.txt" -o - | head -c 100000 | wc -l)
[[ $report -gt 10 ]] || { echo "the installed passcat-cli wrote no report"; failed=1; }
"$root/usr/bin/passcat-cli" "$examples/passes.txt" -o /dev/null --charts "$work/charts" \
  && [[ -f $work/charts/001.svg ]] || { echo "the installed passcat-cli drew no chart"; failed=1; }
manual=$(zcat "$root/usr/share/man/man1/passcat-cli.1.gz")
expect "a manual page made from the help" "$manual" '^\.TH PASSCAT-CLI "1"'
expect "the options in the manual page" "$manual" 'list\\-regions'
if [[ $window == ON ]] && command -v appstreamcli >/dev/null; then
  for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; failed=1; }
  done
fi
exit $failed
