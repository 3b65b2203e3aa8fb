#!/usr/bin/env bash
# Start-up of the whole program against a bare Qt main window, measured from outside: each
# is started in turn under a virtual display (A B A B ...) with an empty settings store, and
# timed from its start to the moment its main window maps (a MapNotify on the root window,
# watched with xev). Prints every run, the medians and their ratio.
#
# With --memory, it also opens the largest file the grids hold in the program, every editor
# from "&Data Entry", the three post-processor dialogs from "Run" and the About dialog with
# the keyboard, and prints the program's peak resident memory (VmHWM) beside the bare
# window's, and what each holds at the end by kind.
#
#   bench/startup_window.sh [--memory] [BUILD_DIR] [ROUNDS]
#   bench/startup_window.sh --program PATH ...   time that program instead of BUILD_DIR's
# Needs xvfb, x11-utils (xev) and xdotool; installs them with apt-get when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
memory=0
program=""
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --memory) memory=1 ;;
    --program) program=$2; shift ;;
    *) args+=("$1") ;;
  esac
  shift
done
build=${args[0]:-$here/build}
rounds=${args[1]:-10}
program=${program:-$build/bin/wexa-kelvara}
bare=$build/bin/kelvara_bare_window

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xev >/dev/null || need+=(x11-utils)
command -v xdotool >/dev/null || need+=(xdotool)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get install -y -qq "${need[@]}"
fi
for p in "$program" "$bare" "$build/bin/kelvara_largest_file"; do
  [ -x "$p" ] || { echo "no $p (build the bench targets first)" >&2; exit 1; }
done

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "${XEV_PID:-}" ] && kill "$XEV_PID" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
coproc XEV { exec xev -root -event substructure; }

# Waits for the next top-level window that maps (not a menu or tooltip) and prints the
# time it was seen.
wait_map() {
  local line
  while IFS= read -r -t 30 line <&"${XEV[0]}"; do
    case "$line" in
      MapNotify*)
        IFS= read -r -t 5 line <&"${XEV[0]}"
        case "$line" in *"override NO"*) echo "$EPOCHREALTIME"; return 0 ;; esac ;;
    esac
  done
  echo "no window mapped" >&2
  return 1
}
# Drops the events of the run before.
drain() {
  local line
  while IFS= read -r -t 0.2 line <&"${XEV[0]}"; do :; done
}

# Starts $1 (with the rest as arguments) with a fresh settings store, leaves it running
# as $pid and the milliseconds until its window mapped in $ms.
start() {
  rm -rf "$work/home"
  mkdir -p "$work/home"
  drain
  local t0 t1
  t0=$EPOCHREALTIME
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$@" >/dev/null 2>&1 &
  pid=$!
  t1=$(wait_map)
  ms=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
}
stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start of each first, so both find the libraries in the page cache.
start "$program"; stop
start "$bare"; stop
a=() b=()
for i in $(seq "$rounds"); do
  start "$program"; stop; a+=("$ms")
  start "$bare"; stop; b+=("$ms")
  echo "round $i: program ${a[-1]} ms, bare window ${b[-1]} ms"
done
ma=$(printf '%s\n' "${a[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
echo "median: program $ma ms, bare window $mb ms, ratio $(awk -v a="$ma" -v b="$mb" 'BEGIN { printf "%.2f", a / b }')"

[ "$memory" -eq 1 ] || exit 0

# The largest file the grids hold, as the benchmarks make it.
largest=$work/largest.dat
"$build/bin/kelvara_largest_file" --tables "$largest"

hwm() { awk '/VmHWM/ { print $2 }' "/proc/$1/status"; }
# Where the resident memory is: the process's own (heap, stacks), the windows' images
# shared with the X server, and the mapped program and libraries.
kinds() {
  awk '/RssAnon/ { a = $2 } /RssShmem/ { s = $2 } /RssFile/ { f = $2 }
    END { printf "own %d kB, window images %d kB, program and libraries %d kB", a, s, f }' "/proc/$1/status"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.6; }

start "$program" "$largest"
sleep 1
main=$(xdotool search --onlyvisible --name '^Wexa Kelvara' | head -1)
for entry in d h v c r g b e o; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  keys alt+d "$entry"
done
# File, Run: Project Coordinates, Camber, Stick Figure (the first entry is highlighted).
for down in 1 2 3; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  keys alt+f Down Down Down Down Right $(printf 'Down %.0s' $(seq "$down")) Return
done
xdotool windowfocus --sync "$main" 2>/dev/null || true
keys alt+h a
sleep 1
windows=$(xdotool search --onlyvisible --pid "$pid" --name '.' 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done | sort -u | paste -sd '|')
program_kb=$(hwm "$pid")
program_kinds=$(kinds "$pid")
stop
start "$bare"
sleep 2
bare_kb=$(hwm "$pid")
bare_kinds=$(kinds "$pid")
stop
echo "windows open: $windows"
echo "peak resident memory: program $program_kb kB, bare window $bare_kb kB, ratio $(awk -v a="$program_kb" -v b="$bare_kb" 'BEGIN { printf "%.2f", a / b }')"
echo "resident at the end: program $program_kinds; bare window $bare_kinds"
