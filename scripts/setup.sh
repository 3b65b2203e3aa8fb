#!/usr/bin/env bash
# Installs what the build needs (when missing), builds, then runs the tests or the program.
#   scripts/setup.sh test   build and run every test
#   scripts/setup.sh run    build and start the program
set -euo pipefail
mode=${1:-test}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD_DIR:-$top/build}

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
          libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev fonts-liberation
          xvfb x11-utils xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The tests are built as a warning-free build: a new warning fails them.
werror=()
[ "$mode" = test ] && werror=(-DKV_WERROR=ON)
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${werror[@]}"
cmake --build "$build" -j2

case "$mode" in
  test)
    ctest --test-dir "$build" --output-on-failure -j2
    ;;
  run)
    if [ -x "$build/bin/wexa-kelvara" ]; then
      exec "$build/bin/wexa-kelvara"
    fi
    # Without the window program, show what the core reads from the bundled sample.
    exec "$build/bin/kelvara" dump "$top/tests/data/bridge_english.dat"
    ;;
  *)
    echo "usage: $0 test|run" >&2
    exit 2
    ;;
esac
