#!/bin/bash
# Time from process start to the main window shown, against an empty Qt dialog started the
# same way (same executable, same libraries). Runs under Xvfb when there is no display.
#
#   bench/bench_startup.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a build configured with -DQUILLON_BUILD_BENCH=ON (default build-bench).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-30}
exe=$build/bench/bench_startup
if [[ ! -x $exe ]]; then
    echo "no $exe: configure with -DQUILLON_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release and build" >&2
    exit 1
fi

if [[ -z ${DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    if command -v xvfb-run >/dev/null; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
    fi
    export QT_QPA_PLATFORM=offscreen
fi

# A settings profile of its own, so that the user's is not read.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {
    local i
    for ((i = 0; i < runs; i++)); do
        (QUILLON_BENCH_T0=$(date +%s%N) exec "$exe" "$@")
    done
}

# One unmeasured start of each warms the file cache.
"$exe" empty >/dev/null
"$exe" editor "$root/examples" >/dev/null

empty=$(measure empty | median)
editor=$(measure editor "$root/examples" | median)
ratio=$(awk -v a="$editor" -v b="$empty" 'BEGIN { printf "%.2f", a / b }')
echo "start to window shown, median of $runs runs (${QT_QPA_PLATFORM:-xcb}):"
echo "  empty QDialog:        $empty ms"
echo "  quillon main window:  $editor ms (examples/ listed)"
echo "  ratio:                $ratio (limit 1.5)"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }'
