#!/usr/bin/env bash
# Builds the Windows installer build/windows/vantor-setup.exe: installs the
# Debian packages it needs, builds the Windows program and runs makensis.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh installer
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Vantor3
makensis -V2 -WX -DSOURCE_DIR="$PWD" -DPROGRAM_DIR="$PWD/build/windows" \
  -DOUTFILE="$PWD/build/windows/vantor-setup.exe" installer/vantor.nsi
echo "Installer: build/windows/vantor-setup.exe ($(stat -c %s build/windows/vantor-setup.exe) bytes)"
