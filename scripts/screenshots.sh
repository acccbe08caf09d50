#!/usr/bin/env bash
# Pictures of the window before, during and after a run on the built-in
# simulator, and of the card dialog showing the measurement the run saved to
# its card, in English and in Japanese, at the window's own size and held at
# 1024x768, taken under Xvfb.
#   scripts/screenshots.sh [BUILD_DIR]    (default: build)
# Writes out/screenshots/{en,ja}[-1024x768]-{before,during,after,card}.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="$root/out/screenshots"
mkdir -p "$out"
bash "$root/scripts/setup.sh" xvfb xauth fonts-noto-cjk
cmake --build "$build" --target kt520-screenshots >/dev/null
shoot() {  # picture name, folder holding its 520Language.ini, screen size, [window size]
  local data
  data="$(mktemp -d)"
  # The card browser opens where Folder.INI says: on the simulator's card.
  printf '%s\r\n' "$data/card" >"$data/Folder.INI"
  xvfb-run -a -s "-screen 0 $3x24" \
    "$build/bin/kt520-screenshots" "$out/$1" ${4:+--window-size "$4"} --simulate --sim-speed 20 \
    --sim-card "$data/card" --program-folder "$2" --data-folder "$data"
  rm -rf "$data"
}
shoot en "$build/bin" 1400x1000
shoot ja "$build/bin/lang/ja" 1400x1000
shoot en-1024x768 "$build/bin" 1024x768 1024x768
shoot ja-1024x768 "$build/bin/lang/ja" 1024x768 1024x768
