#!/usr/bin/env bash
# Sets up a fresh machine, builds the configurator and starts it: under the
# running X display, or under a virtual one (Xvfb) when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DYUNT_TESTS=OFF -DYUNT_BENCH=OFF
program="$root/build-release/app/yuntcfg"
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program"
else
  exec xvfb-run -a "$program"
fi
