#!/usr/bin/env bash
# Times the whole `klvtool render` process on a fully populated 99 x 99 level
# (every cell a surface and a piece, a third of them animated) drawn with the
# bundled sets, using hyperfine.
#
#   bench/render_bench.sh [BUILD_DIR] [extra hyperfine options]
#
# BUILD_DIR defaults to build; it needs the targets klvtool, make_bench_level
# and klv_default_sets built.
set -euo pipefail

build=${1:-build}
shift || true
bin="$build/bin"
for program in "$bin/klvtool" "$bin/make_bench_level"; do
  [[ -x $program ]] || { echo "render_bench.sh: $program is not built" >&2; exit 1; }
done
[[ -f $bin/dxg/land.dxg ]] || { echo "render_bench.sh: the bundled sets in $bin/dxg are not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/make_bench_level" "$work/bench99.klv" 99 "$bin/dxg"

hyperfine --warmup 2 --runs 15 "$@" \
  "$bin/klvtool render $work/bench99.klv $work/out.png" \
  "$bin/klvtool render $work/bench99.klv $work/out.png --frame 6"
ls -l "$work/out.png"
