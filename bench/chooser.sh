#!/usr/bin/env bash
# The chooser "Wybierz blankiet" on screen, from the start of the process,
# against a minimal Qt program (bench/minimal/MinimalDialog.cpp) that shows a
# main window and a dialog on the same 500 ms timer; runs alternate between
# the two. Ours starts as a second start: its settings are already there and
# unchanged. Then one more such start under strace counts the saves of the
# registry file, which should be none.
#
# Usage: bench/chooser.sh [runs]   (builds both programs in build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

runs=${1:-9}
deadline_s=30
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev libcairo2-dev pkg-config xvfb x11-utils strace
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWPLATOMAT_TESTS=OFF >/dev/null
cmake --build build/bench --target wplatomat minimal_dialog >/dev/null
program=$(realpath build/bench/wplatomat)
minimal=$(realpath build/bench/bench/minimal_dialog)

# shellcheck source=bench/XvfbSession.sh
source bench/XvfbSession.sh
home=$work/run
mkdir -p "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
run_env=(DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime")

# Every top-level window the server maps, with the time it did, from one
# client that only listens: asking the server about its windows while a
# program starts would compete with that program for the server, and the more
# so the more the program has to ask of it.
maps=$work/maps
: >"$maps"
stdbuf -oL xev -display "$display" -root -event substructure 2>/dev/null | while IFS= read -r line; do
    case $line in
        MapNotify*) map=1 ;;
        *", window "*)
            if [ -n "${map:-}" ]; then
                t=$EPOCHREALTIME id=${line#*, window } map=
                echo "${t//[.,]/} ${id%%,*}" >>"$maps"
            fi ;;
    esac
done &
watcher=$!
trap 'kill "$watcher" 2>/dev/null; cleanup' EXIT

# Milliseconds from starting "$@" to the mapping of a window named $title.
time_to() {
    local title=$1; shift
    local t0 t id name
    t0=$(now_us)
    # A session of its own, so that a tracer and what it traces end together.
    setsid env "${run_env[@]}" "$@" >"$work/program.log" 2>&1 &
    app_pid=$!
    for (( ; ; )); do
        while read -r t id; do
            (( t > t0 )) || continue
            # Ids come again in later runs: the name is asked for this run's window.
            name=$(xwininfo -display "$display" -id "$id" 2>/dev/null | grep -m1 "Window id")
            if [[ $name == *" \"$title"* ]]; then
                kill -9 -- -"$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=
                echo $(( (t - t0) / 1000 ))
                return
            fi
        done <"$maps"
        if (( $(now_us) - t0 > deadline_s * 1000000 )) || ! kill -0 "$app_pid" 2>/dev/null; then
            echo "no window \"$title\"; output:" >&2
            cat "$work/program.log" >&2
            exit 1
        fi
        sleep 0.005
    done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The first start writes the settings the later ones find unchanged.
time_to "Wybierz blankiet" "$program" >/dev/null
: >"$work/ours"; : >"$work/minimal"
printf '%-4s %-12s %-12s\n' run "ours (ms)" "minimal (ms)"
for i in $(seq "$runs"); do
    ours=$(time_to "Wybierz blankiet" "$program"); echo "$ours" >>"$work/ours"
    least=$(time_to "Minimal dialog" "$minimal"); echo "$least" >>"$work/minimal"
    printf '%-4s %-12s %-12s\n' "$i" "$ours" "$least"
done
ours=$(median <"$work/ours"); least=$(median <"$work/minimal")
ratio=$(awk -v a="$ours" -v b="$least" 'BEGIN { printf "%.3f", a / b }')
echo "median: ours $ours ms, minimal $least ms, ours / minimal $ratio"

registry=$home/config/KORVEX/Wplatomat/registry.txt
time_to "Wybierz blankiet" strace -f -qq -e trace=rename,renameat,renameat2 -o "$work/strace" "$program" >/dev/null
saves=$(grep -cF "\"$registry\"" "$work/strace" || true)
echo "saves of the registry file on a start with nothing changed: $saves (of $(grep -c rename "$work/strace") renames)"
