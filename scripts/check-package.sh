#!/usr/bin/env bash
# Builds the Debian package with the hardening flags of dpkg-buildflags, runs lintian
# on it (an error fails the check), installs it with apt-get, and checks the installed
# programs: both --version texts, kelvara check on an installed sample, the editor
# started under Xvfb, and a geometry run through the editor's menu that finds the
# installed engine stand-ins and shows their listing.
#   scripts/check-package.sh [build-dir]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-package}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

need=(cmake ninja-build g++ qt6-base-dev libgl1-mesa-dev nlohmann-json3-dev dpkg-dev file
      xvfb xdotool imagemagick lintian)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# Fortify, stack protector, relro, bind now and PIE, as Debian builds its own packages.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_TESTS=OFF \
      -DKV_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" -j2
(cd "$build" && cpack)
deb=$(ls "$build"/wexa-kelvara_*_"$(dpkg --print-architecture)".deb)

# Debian's own checker: errors fail the check; its whole report is kept beside the package.
lintian --pedantic --display-info --fail-on error "$deb" | tee "$build/lintian.txt" || fail_lintian=1
if [ "${fail_lintian:-0}" = 1 ]; then
  echo "FAILED: lintian reports errors (see $build/lintian.txt)" >&2
  exit 1
fi
echo "lintian: $(grep -c '^[EW]:' "$build/lintian.txt" || true) errors and warnings"

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "$deb"

fail() { echo "FAILED: $*" >&2; exit 1; }
version=$(sed -n 's/^project(WexaKelvara VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ "$(kelvara --version)" = "kelvara $version" ] || fail "kelvara --version"
[ "$(wexa-kelvara --version)" = "wexa-kelvara $version" ] || fail "wexa-kelvara --version"
kelvara check /usr/share/wexa-kelvara/samples/bridge_english.dat || fail "kelvara check"
[ -f /usr/libexec/wexa-kelvara/help/index.html ] || fail "help document not in the program folder"
echo "versions, check and help document: ok"

# No period in the folder: the run takes the name up to the first period as its base.
work=$(mktemp -d /tmp/kvcheckXXXXXX)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# A display number nobody else holds.
n=93
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
display=:$n
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
HOME=$work wexa-kelvara >"$work/app.log" 2>&1 &
app=$!
sleep 3
kill -0 $app 2>/dev/null || fail "wexa-kelvara did not stay up"
win=$(xdotool search --sync --onlyvisible --name '^Wexa Kelvara$' | head -1)
[ -n "$win" ] || fail "no main window"
echo "editor window: ok"

# File > Run > Geometry on a copy of the installed sample.
cp /usr/share/wexa-kelvara/samples/bridge_english.dat "$work/bridge.dat"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
xdotool key alt+f
sleep 0.5
xdotool key Down Down Down Down Right Return
sleep 1.5
xdotool type --delay 20 "$work/bridge.dat"
xdotool key Return
for _ in $(seq 1 20); do
  [ -s "$work/bridge.lis" ] && break
  sleep 0.5
done
[ -s "$work/bridge.lis" ] || fail "the geometry run wrote no listing (stand-ins not found?)"
sleep 3  # the run shows the listing after its fixed wait
import -window root "$work/shot.png" && cp "$work/shot.png" "$build/package-check.png"
echo "geometry run: ok (listing $(wc -l <"$work/bridge.lis") lines; screenshot $build/package-check.png)"
echo "package check passed: $deb"
