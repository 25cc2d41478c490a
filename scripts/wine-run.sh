#!/usr/bin/env bash
# Runs a Windows program under wine with a Russian locale, its DLLs found in the
# given folders: scripts/wine-run.sh DLL_FOLDERS PROGRAM [ARGUMENT...]
# (DLL_FOLDERS: Unix folders, :-separated). The wine prefix is build/windows/wine
# unless WINEPREFIX names another; it is made on first use.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dll_folders=$1
shift
export WINEPREFIX=${WINEPREFIX:-$top/build/windows/wine}
# No Mono or Gecko downloads, and no menu entries or file associations of the host's
# desktop made for what the installer registers.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
winepath=""
IFS=':' read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
  [[ -n $folder ]] && winepath+="${winepath:+;}$(winepath -w "$folder" 2>/dev/null)"
done
export WINEPATH=$winepath
exec wine "$@"
