#!/usr/bin/env bash
# Runs a Windows program under wine with a Russian locale (or PASSCAT_WINE_LOCALE's),
# its DLLs found in the given folders: scripts/wine-run.sh DLL_FOLDERS PROGRAM [ARGUMENT...]
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
# Wine takes a process's regional settings (the decimal separator, the code page) from
# LANG and LC_ALL; they are set for wine alone, as this machine may lack that locale.
locale=${PASSCAT_WINE_LOCALE:-ru_RU.UTF-8}
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  env LANG="$locale" LC_ALL="$locale" wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
# Wine brings the prefix's regional settings in line with LANG as a program that loads
# user32 starts, after that program has read them (cmd.exe loads none): a changed
# locale takes a first such program of its own.
if [[ $(cat "$WINEPREFIX/.passcat-locale" 2>/dev/null) != "$locale" ]]; then
  env LANG="$locale" LC_ALL="$locale" wine rundll32.exe user32.dll,GetMessagePos >/dev/null 2>&1 || true
  echo "$locale" >"$WINEPREFIX/.passcat-locale"
fi
# The folders by the names drive Z: (the Unix root in every prefix) gives them: no
# winepath run of wine's for each, which costs time and may fail.
winepath=""
IFS=':' read -r -a folders <<<"$dll_folders"
for folder in "${folders[@]}"; do
  [[ -n $folder ]] && winepath+="${winepath:+;}Z:${folder//\//\\}"
done
export WINEPATH=$winepath
# Wine hands a Windows program no QT_ variable of the host's (a host Qt's settings),
# but passes WINEQT_... on as QT_...: those given to this script are passed so.
for name in $(compgen -e); do
  [[ $name == QT_* ]] && export "WINE$name=${!name}"
done
exec env LANG="$locale" LC_ALL="$locale" wine "$@"
