#!/usr/bin/env bash
# Sets up a fresh machine, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole test suite headless; then
# builds the fuzz targets with clang in a build of their own and runs each
# over its seeds and for a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-test" -DCMAKE_BUILD_TYPE=Debug -DYUNT_SANITIZE=ON -DYUNT_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
(cd "$root/build-test" && ctest --output-on-failure --parallel "$(nproc)" --timeout 300 "$@")

# Only the fuzz targets and what they link are built here.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DYUNT_FUZZ=ON -DYUNT_TESTS=OFF -DYUNT_BENCH=OFF "${launcher[@]}"
cmake --build "$root/build-fuzz" --parallel "$(nproc)" --target fuzz
"$root/scripts/fuzz.sh" "$root/build-fuzz" 4
