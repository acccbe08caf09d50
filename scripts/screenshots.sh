#!/usr/bin/env bash
# Pictures of the window before, during and after a run on the built-in
# simulator, in English and in Japanese, taken under Xvfb.
#   scripts/screenshots.sh [BUILD_DIR]    (default: build)
# Writes out/screenshots/{en,ja}-{before,during,after}.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="$root/out/screenshots"
mkdir -p "$out"
bash "$root/scripts/setup.sh" xvfb xauth fonts-noto-cjk
cmake --build "$build" --target kt520-screenshots >/dev/null
shoot() {  # language, folder holding its 520Language.ini
  local data
  data="$(mktemp -d)"
  xvfb-run -a -s "-screen 0 1400x1000x24" \
    "$build/bin/kt520-screenshots" "$out/$1" --simulate --sim-speed 20 \
    --program-folder "$2" --data-folder "$data"
  rm -rf "$data"
}
shoot en "$build/bin"
shoot ja "$build/bin/lang/ja"
