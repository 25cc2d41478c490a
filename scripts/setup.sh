#!/usr/bin/env bash
# Installs what passcat needs to build and test on Debian 12, as root; installs
# nothing when everything is there already.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev fonts-dejavu-core
  libexpat1-dev libgeographiclib-dev libzip-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
  locales help2man dpkg-dev appstream
  poppler-utils unzip
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests of the locale's decimal comma run under ru_RU.UTF-8, and the manual page
# gets its Russian section names there. Listed in /etc/locale.gen, it survives a
# later locale-gen.
if ! locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'; then
  echo "Generating the ru_RU.UTF-8 locale"
  if [[ -f /etc/locale.gen ]] && command -v locale-gen >/dev/null; then
    grep -qE '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen \
      || echo "ru_RU.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen
  else
    "${sudo_cmd[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
  fi
fi
