#!/usr/bin/env bash
# Builds the benchmarks optimised and prints every figure as "name: value".
# Usage: scripts/bench.sh [FIGURE...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target vantor_bench vantor-tool >/dev/null
build/bench/tests/bench/vantor_bench "$@"
# The window's paint time and wake-ups, measured on the Windows build under Wine.
scripts/bench-window.sh "$@"
