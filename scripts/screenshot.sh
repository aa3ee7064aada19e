#!/usr/bin/env bash
# Builds the editor and lets it draw the README screenshot, docs/screenshot.png,
# on a virtual X display.
#
#   scripts/screenshot.sh [build dir]        (default: build)
#
# Needs xvfb-run. The picture is the real main window: the program clicks
# the layer and palette buttons and presses on the draw area itself.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build}"
case "$build" in
  /*) ;;
  *) build="$root/$build" ;;
esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build"
fi
cmake --build "$build" -j2 --target make_screenshot

out="$root/docs/screenshot.png"
mkdir -p "$root/docs"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  env QT_QPA_PLATFORM=xcb "$build/bin/make_screenshot" "$out" "$build/bin"
echo "screenshot: $out"
