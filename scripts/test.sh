#!/usr/bin/env bash
# Sets up a fresh machine, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole test suite headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-test" -DCMAKE_BUILD_TYPE=Debug -DYUNT_SANITIZE=ON -DYUNT_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
cd "$root/build-test"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300 "$@"
