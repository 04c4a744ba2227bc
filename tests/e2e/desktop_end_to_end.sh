#!/usr/bin/env bash
# Drives the real editor in its own X server, as a user at the keyboard would: open a photo,
# step to Sepia, apply, save, quit; start again and continue with the picture. The album's
# pictures must be the very bytes velmora-cli writes for the same work.
#
# usage: desktop_end_to_end.sh VELMORA VELMORA_CLI PHOTO
# Exit 77 (skipped) only when the X server cannot start.
set -euo pipefail

app=$1 cli=$2 photo=$3
limit=20 # seconds any one step may take

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-e2e.XXXXXX")
xvfb_pid='' app_pid=''
finish() {
    local pid
    for pid in $app_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -s $work/app.log ]] && sed 's/^/  velmora: /' "$work/app.log" >&2
    exit 1
}

# Polls `condition` (a command) every 0.1 s until it holds or the limit passes.
await() {
    local what=$1 deadline=$((SECONDS + limit))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what (nothing after ${limit} s)"
        sleep 0.1
    done
}

skip() {
    echo "SKIPPED: the X server (Xvfb) cannot start: $*" >&2
    exit 77
}
command -v Xvfb >/dev/null || skip "it is not installed (scripts/bootstrap installs it)"
for tool in xauth xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing; scripts/bootstrap installs it"
done

# The server picks a free display and writes its number when it is ready; its screen is
# mapped to a file, so the test can see when the picture stops changing.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
export XAUTHORITY=$work/xauthority
xauth -q -f "$XAUTHORITY" add :0 . "$cookie" 2>/dev/null # the server takes any display's cookie
mkdir "$work/screen"
Xvfb -displayfd 3 -auth "$XAUTHORITY" -nolisten tcp -fbdir "$work/screen" \
    -screen 0 400x700x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + 10))
until grep -q '^[0-9]' "$work/display" 2>/dev/null; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || ((SECONDS >= deadline)); then
        skip "$(cat "$work/xvfb.log")"
    fi
    sleep 0.05
done
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"

# A new user: nothing of the real settings or album is read or written.
home=$work/home
mkdir -m 700 "$home" "$work/runtime"
album=$home/Pictures/Velmora
settings=$home/.config/Velmora/settings.ini
unset VELMORA_SETTINGS VELMORA_ALBUM WAYLAND_DISPLAY QT_SCALE_FACTOR SESSION_MANAGER
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb

screen_sum() { cksum <"$work/screen/Xvfb_screen0"; }
# The screen has changed since `before` and then held still for half a second: whatever
# the last input started (an apply, a transition) is over.
settled_after() {
    local before=$1 now same=0 changed=0 deadline=$((SECONDS + limit))
    while ((SECONDS < deadline)); do
        now=$(screen_sum)
        if [[ $now != "$before" ]]; then
            changed=1 same=0 before=$now
        elif ((changed && ++same >= 5)); then
            return 0
        fi
        sleep 0.1
    done
    fail "the screen did not change and settle after $2"
}

start() {
    "$app" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    window=$(timeout "$limit" xdotool search --sync --onlyvisible --name '^Velmora$' | head -1) ||
        fail "no Velmora window appeared"
    settled_after "" "the start"
    timeout "$limit" xdotool windowfocus --sync "$window" || fail "the window took no focus"
}

keys() {
    local before
    before=$(screen_sum)
    xdotool key --delay 50 "$@"
    settled_after "$before" "the keys $*"
}

quit() {
    xdotool key ctrl+q
    local deadline=$((SECONDS + limit)) status=0
    while kill -0 "$app_pid" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "Ctrl+Q did not end the program"
        sleep 0.1
    done
    wait "$app_pid" || status=$?
    app_pid=''
    ((status == 0)) || fail "the program ended with status $status"
}

album_holds() { local files=("$album"/*.jpg); [[ -e ${files[0]} && ${#files[@]} -ge $1 ]]; }

# One photo, three keys to the second effect after the group's first (Mono: Black and White,
# Dramatic Black and White, Sepia), applied and saved.
start "$photo"
keys Down Right Right
keys Return
xdotool key ctrl+s
await "Ctrl+S wrote no picture into $album" album_holds 1
quit
saved=("$album"/*.jpg)
((${#saved[@]} == 1)) || fail "one save left ${#saved[@]} pictures: ${saved[*]}"

"$cli" apply -e Sepia "$photo" -o "$work/sepia.jpg" || fail "velmora-cli could not apply Sepia"
cmp -s "${saved[0]}" "$work/sepia.jpg" ||
    fail "the album picture ${saved[0]} is not the one velmora-cli writes for Sepia"

# What the next start offers to continue with: the picture just saved, byte for byte.
[[ -f $settings ]] || fail "quitting left no settings file at $settings"
grep -qx 'saved=true' "$settings" || fail "the settings file does not say it was saved"
grep '^image=' "$settings" | cut -d= -f2- | base64 -d >"$work/stored.jpg" 2>/dev/null || true
cmp -s "$work/stored.jpg" "${saved[0]}" ||
    fail "the picture kept for next time is not the one just edited"

# Second start, no photo: the menu's first row continues with it; saving it again writes
# that picture once more, as velmora-cli re-encodes it.
start
before=$(screen_sum)
xdotool mousemove --window "$window" 180 76 click 1
settled_after "$before" "a click on Continue Editing"
xdotool key ctrl+s
await "Ctrl+S after Continue Editing wrote no picture" album_holds 2
quit
"$cli" apply "${saved[0]}" -o "$work/again.jpg" || fail "velmora-cli could not re-encode ${saved[0]}"
pictures=("$album"/*.jpg)
((${#pictures[@]} == 2)) || fail "two saves left ${#pictures[@]} pictures: ${pictures[*]}"
again=${pictures[0]}
[[ $again != "${saved[0]}" ]] || again=${pictures[1]}
cmp -s "$again" "$work/again.jpg" ||
    fail "continuing did not edit the saved picture: $again differs from its re-encoding"

echo "PASS: the album holds velmora-cli's Sepia picture, and the next start continued with it"
