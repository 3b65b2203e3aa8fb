#!/bin/sh
# Rewrites the expected dump of every sample and hostile file from the built tool,
# one grid row a line, and for the too-wide sample what `check` prints and what
# `normalize` writes.
# These are expectations: check each changed value against the sample's columns
# before keeping it. Usage: update.sh [path/to/kelvara]
set -e
here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-$here/../../../build/bin/kelvara}
mkdir -p "$here/hostile"
for f in "$here"/../*.dat "$here"/../hostile/*.dat; do
  "$tool" dump "$f" | python3 -c '
import json, sys
j = json.load(sys.stdin)
def text(v): return json.dumps(v, ensure_ascii=False)
def block(d, pad):
    lines = []
    for k, v in d.items():
        if isinstance(v, dict):
            lines.append(pad + text(k) + ": {\n" + block(v, pad + "  ") + "\n" + pad + "}")
        elif k == "rows":
            lines.append(pad + text(k) + ": [\n" + ",\n".join(pad + "  " + text(r) for r in v) + "\n" + pad + "]")
        else:
            lines.append(pad + text(k) + ": " + text(v))
    return ",\n".join(lines)
print("{\n" + block(j, "  ") + "\n}")
' > "$here/$(echo "${f#"$here"/../}" | sed 's/dat$/json/')"
done
cd "$here/.."
"$tool" check too_wide.dat > "$here/too_wide.check" || true
"$tool" normalize too_wide.dat "$here/too_wide.dat"
