#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window of a built quorrix in English, its browser in a
# copy of examples/ and every document of that folder in the print list. The program runs
# on a virtual X display against the SolidWorks stand-in, with settings of its own (so the
# stored settings are the defaults), and is driven from outside like a user would: the
# window gets the keyboard and Shift+Insert adds all files of the browser to the print list.
# Nothing is built here.
#
#   tools/screenshot.sh [path/to/quorrix] [output.png]
#
# A picture of an option window instead: QUORRIX_SCREENSHOT_KEYS are the keys that open it
# from the main window (for example F5), QUORRIX_SCREENSHOT_TITLE its title (a regular
# expression), and QUORRIX_SCREENSHOT_CLICK, optionally, "x y" of a click inside it that
# opens a further window titled QUORRIX_SCREENSHOT_SUBTITLE, which is then the one taken.
# QUORRIX_SCREENSHOT_MENU, optionally, is "x y" of a click into the main window's menu bar
# before the keys, for windows that only a menu entry opens (Down and Return pick it).
# QUORRIX_SCREENSHOT_STORE names a settings store file (current-user.ini) the program starts
# with, such as tools/screenshot-settings.ini, whose printer rows use the CUPS queue "PDF" of
# tools/cups-test-queue.sh.
#
# Defaults: build/native/src/app/quorrix and docs/screenshot.png. Needs these Debian
# packages (not part of build.sh, the tests do not take pictures):
#   apt-get install -y --no-install-recommends xvfb xdotool imagemagick
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/native/src/app/quorrix}
output=${2:-$root/docs/screenshot.png}
# The size of the window in the picture, in pixels.
width=${QUORRIX_SCREENSHOT_WIDTH:-1100}
height=${QUORRIX_SCREENSHOT_HEIGHT:-720}

for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing: apt-get install xvfb xdotool imagemagick" >&2
        exit 2
    fi
done
if [ ! -x "$program" ]; then
    echo "$program was not built." >&2
    exit 2
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
case "$output" in /*) ;; *) output=$PWD/$output ;; esac

# The run's own files (display, logs, the stand-in's configuration) go to work; the user's
# world goes to a home of its own, which the folder tree shows. /home/quorrix reads best in
# the picture; where it cannot be made, the home goes into work.
work=$(mktemp -d "${TMPDIR:-/tmp}/quorrix-screenshot.XXXXXX")
user_home=$work/home
if [ ! -e /home/quorrix ] && mkdir /home/quorrix 2>/dev/null; then
    user_home=/home/quorrix
fi
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
    if [ "$user_home" = /home/quorrix ]; then rm -rf /home/quorrix; fi
}
trap cleanup EXIT

folder="$user_home/Projects/GP25 Gear pump"
mkdir -p "$user_home/.config" "$user_home/.local/share" "$user_home/.cache" "$folder"
if [ -n "${QUORRIX_SCREENSHOT_STORE:-}" ]; then
    mkdir -p "$user_home/.config/QUORRIX"
    cp "$QUORRIX_SCREENSHOT_STORE" "$user_home/.config/QUORRIX/current-user.ini"
fi
find "$root/examples" -maxdepth 1 -type f \( -iname '*.sldprt' -o -iname '*.sldasm' \
    -o -iname '*.slddrw' \) -exec cp {} "$folder/" \;
cat >"$work/swsim.ini" <<'EOF'
[Installation]
Installed=1
Revision=30.0.0
ActivePrinter=Office Laser
EOF

# A display of its own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

start_program() {
    (cd "$folder" && exec env -u SESSION_MANAGER HOME="$user_home" \
        XDG_CONFIG_HOME="$user_home/.config" XDG_DATA_HOME="$user_home/.local/share" \
        TMPDIR="$user_home/.cache" QUORRIX_SWSIM_CONFIG="$work/swsim.ini" \
        QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 "$program") >"$work/quorrix.log" 2>&1 &
    program_pid=$!
}

# Waits for the main window, titled QUORRIX, and sets window. A message box at start ("no
# printer is installed" where the machine has none) is answered with OK by the keys given
# (which button has the keyboard first is up to Qt). Fails when the program ends first.
wait_for_window() {
    local keys=$1 box
    window=
    for _ in $(seq 150); do
        kill -0 "$program_pid" 2>/dev/null || return 1
        window=$(xdotool search --onlyvisible --name '^QUORRIX$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return 0
        box=$(xdotool search --onlyvisible --name '^QUORRIX - ' 2>/dev/null | head -n 1) || true
        if [ -n "$box" ]; then
            # shellcheck disable=SC2086 # one word per key
            xdotool windowfocus --sync "$box" sleep 0.3 key --clearmodifiers $keys || true
            sleep 0.5
        fi
        sleep 0.2
    done
    echo "The main window did not appear." >&2
    exit 1
}

# OK has the keyboard, or Cancel has it and OK comes next.
for keys in "space" "Tab space"; do
    start_program
    if wait_for_window "$keys"; then break; fi
    wait "$program_pid" 2>/dev/null || true
    program_pid=
done
if [ -z "$window" ]; then
    echo "quorrix ended before its main window appeared:" >&2
    cat "$work/quorrix.log" >&2
    exit 1
fi

# Without a window manager the window neither gets the keyboard nor moves by itself.
xdotool windowsize --sync "$window" "$width" "$height" windowmove --sync "$window" 0 0
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers --window "$window" shift+Insert
# The list shows at once; give the window time to paint it.
sleep 1.5

# Waits for a visible window whose title matches and sets found.
wait_for_title() {
    found=
    for _ in $(seq 50); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && return 0
        sleep 0.2
    done
    echo "No window titled $1 appeared." >&2
    exit 1
}

target=$window
if [ -n "${QUORRIX_SCREENSHOT_KEYS:-}" ]; then
    if [ -n "${QUORRIX_SCREENSHOT_MENU:-}" ]; then
        # shellcheck disable=SC2086 # x and y
        xdotool mousemove --window "$window" $QUORRIX_SCREENSHOT_MENU click 1
        sleep 0.5
    fi
    # shellcheck disable=SC2086 # one word per key
    xdotool key --clearmodifiers --window "$window" $QUORRIX_SCREENSHOT_KEYS
    wait_for_title "$QUORRIX_SCREENSHOT_TITLE"
    target=$found
    xdotool windowmove --sync "$target" 0 0
    sleep 0.5
    xdotool windowfocus --sync "$target"
    if [ -n "${QUORRIX_SCREENSHOT_CLICK:-}" ]; then
        # shellcheck disable=SC2086 # x and y
        xdotool mousemove --window "$target" $QUORRIX_SCREENSHOT_CLICK click 1
        wait_for_title "$QUORRIX_SCREENSHOT_SUBTITLE"
        target=$found
        xdotool windowmove --sync "$target" 0 0
    fi
    sleep 1
fi

mkdir -p "$(dirname "$output")"
# Some windows of a program without a window manager cannot be read by their id; those are
# cut out of the whole screen at their place instead.
if ! import -window "$target" "png:$output" 2>"$work/import.log"; then
    eval "$(xdotool getwindowgeometry --shell "$target")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "png:$output" \
        || { cat "$work/import.log" "$work/quorrix.log" >&2; exit 1; }
fi
echo "Wrote $output"
