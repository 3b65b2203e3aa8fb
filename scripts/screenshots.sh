#!/bin/sh
# Screenshots of every window, taken from the real program under a virtual display the
# way a user reaches them: File Open of a sample, then each "&Data Entry" entry, the
# column view, the plan, profile and section views, then the "&Help" entries and the
# About dialog.
#   scripts/screenshots.sh [BUILD_DIR] [OUT_DIR] [SAMPLE]
# Each window is shot at a scale factor of 1 and of 2 (OUT_DIR/scale1, OUT_DIR/scale2;
# KV_SHOT_SCALES="1" for one of them). Needs xvfb, xdotool and imagemagick (installed
# with apt-get when missing).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-$here/build/screenshots}
sample=${3:-$here/tests/data/bridge_english.dat}
display=${KV_SHOT_DISPLAY:-:77}

need=""
command -v Xvfb >/dev/null || need="$need xvfb"
command -v xdotool >/dev/null || need="$need xdotool"
command -v import >/dev/null || need="$need imagemagick"
if [ -n "$need" ]; then
  if [ "$(id -u)" = 0 ]; then apt-get install -y $need; else sudo apt-get install -y $need; fi
fi

mkdir -p "$out"
xvfb=""
home=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

# Waits for a window whose title is exactly $1 and prints its id.
window() {
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "no window \"$1\"" >&2
  return 1
}

# Shoots the window titled $1 into $2.png.
shoot() {
  id=$(window "$1") || return 0
  xdotool windowraise "$id"
  sleep 0.5
  import -window "$id" "$shots/$2.png"
  echo "$shots/$2.png"
}

# Every window at scale factor $1, into $out/scale$1.
shoot_all() {
scale=$1
shots="$out/scale$scale"
mkdir -p "$shots"
Xvfb "$display" -screen 0 $((1600 * scale))x$((1000 * scale))x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
rm -rf "$home" && mkdir -p "$home"
sleep 1
# A fresh user: no stored window places, no recent files.
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_SCALE_FACTOR="$scale" "$build/bin/wexa-kelvara" >/dev/null 2>&1 &
app=$!

main=$(window "Wexa Kelvara.*")
xdotool windowfocus --sync "$main" 2>/dev/null || true
shoot "$(xdotool getwindowname "$main")" main

# File Open: the file name box of the dialog takes the whole path.
xdotool key --window "$main" ctrl+o
sleep 1
xdotool type --delay 20 "$sample"
xdotool key Return
sleep 1.5
main_title=$(xdotool getwindowname "$main")

# Each "&Data Entry" entry by its access key, then its window.
for entry in "d Description" "h Horizontal_Alignment" "v Vertical_Alignment" \
    "c Cross-Slope_and_Transition_Data" "r Reference_Line" "g Girder_Line" \
    "b Bent_Line_Data" "e Dead_Load_Deflection" "o Roadway_Approaches"; do
  key=${entry%% *}
  title=$(echo "${entry#* }" | tr _ ' ')
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key alt+d
  sleep 0.4
  xdotool key "$key"
  sleep 1
  shoot "$title" "$(echo "$title" | tr ' ' _ | tr -d -)"
done

# "&View", "&Columns": the lines as Save would write them, with every editor opened above.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+v
sleep 0.4
xdotool key c
sleep 1
shoot "Columns" columns

# "&View", "&Plan", "P&rofile" and "&Section": the drawings of the structure.
for entry in "p Plan" "r Profile" "s Section"; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key alt+v
  sleep 0.4
  xdotool key "${entry%% *}"
  sleep 1.5
done
for title in Plan Profile Section; do
  shoot "$title" "$(echo "$title" | tr A-Z a-z)"
done

# Help: its contents, a search, the About dialog and its System Info.
help() {
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key alt+h
  sleep 0.4
  xdotool key "$1"
  sleep 1.5
}
help c
shoot "Wexa_Kelvara Help.*" help_contents
help s
xdotool type --delay 20 "Radius"
xdotool key Return
sleep 1
shoot "Wexa_Kelvara Help.*" help_search
help a
shoot "About Wexa_Kelvara" about
xdotool key alt+s
sleep 1.5
shoot "System Information" system_info
xdotool key Escape
echo "main window: $main_title"
kill "$app" 2>/dev/null || true
app=""
kill "$xvfb" 2>/dev/null || true
xvfb=""
sleep 0.5
}

for scale in ${KV_SHOT_SCALES:-1 2}; do
  shoot_all "$scale"
done
