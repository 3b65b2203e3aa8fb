#!/bin/sh
# Times `kelvara check` on a folder of sample input files beside `cat` of the same
# files, and prints files per second for each (best of RUNS runs, warm cache).
#   bench/check_folder.sh [KELVARA] [FILES] [RUNS]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$here/build/bin/kelvara}
files=${2:-10000}
runs=${3:-3}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# The samples in turn, a hundred to a folder.
set -- "$here"/tests/data/*.dat
i=0
while [ "$i" -lt "$files" ]; do
  for f in "$@"; do
    [ "$i" -lt "$files" ] || break
    sub="$dir/$((i / 100))"
    [ -d "$sub" ] || mkdir "$sub"
    cp "$f" "$sub/$i.dat"
    i=$((i + 1))
  done
done
bytes=$(du -sb "$dir" | cut -f1)

# Best wall time of a command, in seconds.
best() {
  b=""
  for _ in $(seq "$runs"); do
    t0=$(date +%s.%N)
    sh -c "$1" >/dev/null 2>&1 || true
    t1=$(date +%s.%N)
    b=$(echo "$t0 $t1 ${b:-inf}" | awk '{t = $2 - $1; print ($3 == "inf" || t < $3) ? t : $3}')
  done
  echo "$b"
}

cat_s=$(best "cat '$dir'/*/*.dat")
check_s=$(best "'$tool' check '$dir'")
json_s=$(best "'$tool' check --json '$dir'")
one_s=$check_s
command -v taskset >/dev/null && one_s=$(best "taskset -c 0 '$tool' check '$dir'")
echo "$files files, $bytes bytes, $(nproc) cores, best of $runs"
for row in "cat:$cat_s" "kelvara check:$check_s" "kelvara check --json:$json_s" \
    "kelvara check, 1 core:$one_s"; do
  name=${row%%:*}
  s=${row#*:}
  awk -v n="$name" -v s="$s" -v f="$files" 'BEGIN { printf "%-22s %7.3f s %9.0f files/s\n", n, s, f / s }'
done
