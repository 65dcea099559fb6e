#!/usr/bin/env bash
# Start-up time of the program on an X server of its own (Xvfb, no window
# manager), from the start of the process:
#  - without a document: to the main window mapped and to the chooser
#    "Wybierz blankiet" mapped (the chooser waits for its 500 ms timer);
#  - with a transfer document on the command line: to the main window mapped
#    and to the first painted preview (the coupon's grid lines, long runs of
#    the form colour R 234 G 88 B 0, found in a window dump).
# Every run starts with empty config and runtime folders (a first start).
# Polling costs a few milliseconds per look, so figures are that coarse.
#
# Usage: bench/startup.sh [path/to/wplatomat] [runs]
#   default program: build/release/wplatomat (scripts/run.sh builds it)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

program=$(realpath "${1:-build/release/wplatomat}")
runs=${2:-7}
# A version-7 transfer document (kind 5) in the default form colour.
document=$(realpath fuzz/corpus/blankfile/version7.wpt)
deadline_s=30

[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
[ "$(od -An -tx1 -N4 "$document" | tr -d ' \n')" = "05000700" ] \
    || { echo "$document is not a version-7 transfer document" >&2; exit 1; }
ensure_packages xvfb x11-apps x11-utils

# shellcheck source=bench/XvfbSession.sh
source bench/XvfbSession.sh

# The byte pattern of 100 form-coloured pixels in a dump of this server:
# pixel size and byte order come from the dump's own header.
grid_pattern() {
    local header bpp order pixel
    xwd -display "$display" -root -silent -out "$work/probe.xwd"
    read -r -a header <<<"$(od -An -tu4 --endian=big -N52 "$work/probe.xwd" | tr '\n' ' ')"
    order=${header[7]}
    bpp=${header[11]}
    if [ "$order" = 0 ]; then pixel='\x00\x58\xea'; else pixel='\xea\x58\x00'; fi
    case "$bpp" in
        24) ;;
        32) if [ "$order" = 0 ]; then pixel="$pixel."; else pixel=".$pixel"; fi ;;
        *) echo "unexpected $bpp bits per pixel in the dump" >&2; exit 1 ;;
    esac
    echo "(?s)(?:$pixel){100}"
}
pattern=$(grid_pattern)

painted() {
    xwd -display "$display" -id "$1" -silent -out "$work/window.xwd" 2>/dev/null \
        && LC_ALL=C grep -qaP "$pattern" "$work/window.xwd"
}

# Starts the program, waits for the main window and then for $1 ("chooser"
# or "preview"); sets main_ms and done_ms.
measure() {
    local what=$1; shift
    local home=$work/run
    rm -rf "$home"; mkdir -p "$home/config" "$home/runtime"; chmod 700 "$home/runtime"
    local t0 t_main='' t_done='' main='' id='' now
    t0=$(now_us)
    DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
        "$program" "$@" >"$work/program.log" 2>&1 &
    app_pid=$!
    while [ -z "$t_done" ]; do
        now=$(now_us)
        if (( now - t0 > deadline_s * 1000000 )); then
            echo "timed out waiting for the $what; program output:" >&2
            cat "$work/program.log" >&2
            exit 1
        fi
        kill -0 "$app_pid" 2>/dev/null || { echo "the program ended" >&2; cat "$work/program.log" >&2; exit 1; }
        if [ -z "$main" ]; then
            main=$(mapped_window "Wplatomat")
            [ -n "$main" ] && t_main=$(now_us)
            continue
        fi
        case "$what" in
            chooser) id=$(mapped_window "Wybierz blankiet"); [ -n "$id" ] && t_done=$(now_us) ;;
            preview) painted "$main" && t_done=$(now_us) ;;
        esac
    done
    kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=
    main_ms=$(( (t_main - t0) / 1000 ))
    done_ms=$(( (t_done - t0) / 1000 ))
}

summary() {
    sort -n | awk '{ v[NR] = $1 } END { printf "min %d  median %d  max %d ms\n", v[1], v[int((NR + 1) / 2)], v[NR] }'
}

echo "program: $program"
echo "display: $display (Xvfb 1024x768x24), $runs runs each"
printf '%-4s %-28s %-28s\n' run "main window / chooser (ms)" "main window / preview (ms)"
: >"$work/chooser"; : >"$work/preview"
for i in $(seq "$runs"); do
    measure chooser
    chooser="$main_ms / $done_ms"; echo "$done_ms" >>"$work/chooser"
    measure preview "$document"
    printf '%-4s %-28s %-28s\n' "$i" "$chooser" "$main_ms / $done_ms"
    echo "$done_ms" >>"$work/preview"
done
echo "to the chooser on screen:      $(summary <"$work/chooser")"
echo "to the first painted preview:  $(summary <"$work/preview")"
