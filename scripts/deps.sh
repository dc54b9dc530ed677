#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing needs.
# Usage: scripts/deps.sh run|test|bench|installer. Safe to run again: only
# what is missing is installed.
set -euo pipefail

common=(cmake ninja-build g++ git g++-mingw-w64-x86-64-posix wine64 xvfb imagemagick x11-utils nlohmann-json3-dev)
case "${1:-test}" in
  run) wanted=("${common[@]}") ;;
  test) wanted=("${common[@]}" googletest clang libclang-rt-14-dev xdotool cloc libstb-dev nsis python3 procps) ;;
  installer) wanted=(cmake ninja-build g++-mingw-w64-x86-64-posix nlohmann-json3-dev nsis) ;;
  bench) wanted=(cmake ninja-build g++ nlohmann-json3-dev) ;;
  *) echo "usage: $0 run|test|bench|installer" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
