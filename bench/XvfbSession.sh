# Sourced by the start-up scripts: a work folder and an X server of their own
# (Xvfb, no window manager) on a display number it picks itself, both gone at
# exit with the program under test ($app_pid), and helpers to watch windows.

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    grep -q . "$work/display" 2>/dev/null && break
    sleep 0.1
done
display=:$(tr -d '\n' <"$work/display")
[ "$display" != ":" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }

now_us() { local t=$EPOCHREALTIME; echo "${t//[.,]/}"; }

# The id of a mapped top-level window whose name starts with $1, or nothing.
mapped_window() {
    local id
    for id in $(xwininfo -display "$display" -root -children 2>/dev/null | grep -F " \"$1" | awk '{print $1}'); do
        if xwininfo -display "$display" -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
            echo "$id"
            return
        fi
    done
}

