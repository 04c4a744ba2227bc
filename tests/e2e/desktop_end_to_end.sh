#!/usr/bin/env bash
# Drives the real editor in its own X server, as a user at the keyboard would: open a photo,
# step to Sepia, apply, save, quit; start again and continue with the picture. The album's
# pictures must be the very bytes velmora-cli writes for the same work.
#
# usage: desktop_end_to_end.sh VELMORA VELMORA_CLI PHOTO
# Exit 77 (skipped) only when the X server cannot start.
set -euo pipefail
# shellcheck source=scripts/x-session
source "$(dirname "$0")/../../scripts/x-session"

app=$1 cli=$2 photo=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-e2e.XXXXXX")
trap 'x_session_stop; rm -rf "$work"' EXIT

for tool in xauth xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing; scripts/bootstrap installs it"
done
if ! x_session_start "$work" 2>"$work/why"; then
    echo "SKIPPED: the X server (Xvfb) cannot start: $(cat "$work/why")" >&2
    exit 77
fi
x_session_home "$work/home"
album=$HOME/Pictures/Velmora
settings=$XDG_CONFIG_HOME/Velmora/settings.ini
album_holds() { local files=("$album"/*.jpg); [[ -e ${files[0]} && ${#files[@]} -ge $1 ]]; }

# One photo, three keys to the third effect of the second group (Mono: Black and White,
# Dramatic Black and White, Sepia), applied and saved.
app_start "$app" "$photo"
app_keys Down Right Right
app_keys Return
xdotool key ctrl+s
await "Ctrl+S wrote no picture into $album" album_holds 1
app_quit
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
app_start "$app"
app_click 180 76
xdotool key ctrl+s
await "Ctrl+S after Continue Editing wrote no picture" album_holds 2
app_quit
"$cli" apply "${saved[0]}" -o "$work/again.jpg" || fail "velmora-cli could not re-encode ${saved[0]}"
pictures=("$album"/*.jpg)
((${#pictures[@]} == 2)) || fail "two saves left ${#pictures[@]} pictures: ${pictures[*]}"
again=${pictures[0]}
[[ $again != "${saved[0]}" ]] || again=${pictures[1]}
cmp -s "$again" "$work/again.jpg" ||
    fail "continuing did not edit the saved picture: $again differs from its re-encoding"

echo "PASS: the album holds velmora-cli's Sepia picture, and the next start continued with it"
