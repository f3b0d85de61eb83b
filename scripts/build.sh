#!/usr/bin/env bash
# Configures and builds into the given folder. Compiles go through ccache
# when it is installed, keyed by paths relative to the checkout so that a
# fresh clone reuses what an earlier one compiled.
#   scripts/build.sh <build-dir> [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" "$@"
cmake --build "$dir" --parallel "$(nproc)"
