#!/usr/bin/env bash
# Installs every Debian package the project needs. Safe to run again: it only
# asks apt for what is missing.
set -euo pipefail

packages=(
  g++ clang libclang-rt-14-dev cmake ninja-build git pkg-config clang-format
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
)
here=$(cd "$(dirname "$0")" && pwd)
# Later parts of the project list more packages, one a line.
if [ -f "$here/packages.txt" ]; then
  while read -r p; do
    [ -n "$p" ] && [ "${p:0:1}" != "#" ] && packages+=("$p")
  done <"$here/packages.txt"
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "setup: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
