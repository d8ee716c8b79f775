#!/usr/bin/env bash
# Start-up figures of the desktop program on an X server (Xvfb when there is no display):
# process start -> splash mapped, splash hand-over -> main window mapped and painted with 203
# channels, resident memory with the main window shown; median of 5 runs after one warm-up.
# Then the grid's full redraw. Run after a build: bench/gui_startup.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bin="${1:-build}/bin"
for tool in hvt7300 hvt_gui_bench window_map_probe; do
  [[ -x "$bin/$tool" ]] || { echo "error: $bin/$tool is missing (build first; window_map_probe needs libx11-dev)" >&2; exit 1; }
done
if [[ -z "${DISPLAY:-}" ]]; then
  command -v Xvfb >/dev/null || { echo "error: no display and no Xvfb (apt-get install xvfb)" >&2; exit 1; }
  Xvfb :97 -screen 0 1400x900x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb' EXIT
  export DISPLAY=:97
  sleep 1
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"; [[ -n "${xvfb:-}" ]] && kill $xvfb' EXIT
# A fresh settings folder each time, so no saved geometry or port differs between runs.
"$bin/hvt_gui_bench" full-file "$scratch/full.dat"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for run in 0 1 2 3 4 5; do
  HOME="$scratch/home$run" XDG_CONFIG_HOME="$scratch/home$run" HVT7300_SPLASH_MS=300 HVT7300_REPORT_STARTUP=1 \
    "$bin/window_map_probe" 1 20 "$bin/hvt7300" "$scratch/full.dat" >"$scratch/run$run" 2>&1 || true
done
for figure in splash_mapped_ms main_mapped_after_handover_ms main_painted_after_handover_ms rss_kib; do
  values="$(for run in 1 2 3 4 5; do awk -v f="$figure" '$1 == f { print $2 }' "$scratch/run$run"; done)"
  printf '%-32s median %-8s runs: %s\n' "$figure" "$(echo "$values" | median)" "$(echo $values)"
done
"$bin/hvt_gui_bench" redraw
