#!/usr/bin/env bash
# Refuses an upward include between the rooms of src. The rooms stand in this order, lowest first:
#   runtime < imaging < controls < windows < shell < pages, actions < app
# A room includes only rooms below it (and itself); the page builder and the action interpreter
# stand side by side and include neither each other. The controls and the secondary windows reach
# the main window only through controls/common/main_window_link.h.
# Usage: check-layers.sh [source root]   (default: this checkout's src)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
floors='runtime=0 imaging=1 controls=2 windows=3 shell=4 pages=5 actions=5 app=6'
# Any spelling of the path: quotes or angle brackets, with or without leading ../ steps.
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([.][.]/)*[A-Za-z_]+/'
found=$(cd "$src" && grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inl' "$pattern" . |
  awk -v floors="$floors" '
    BEGIN { n = split(floors, pairs, " "); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); floor[kv[1]] = kv[2] } }
    {
      file = $0; sub(/^[.]\//, "", file); sub(/:.*/, "", file)
      from = file; sub(/\/.*/, "", from)
      target = $0; sub(/^[^:]*:[0-9]+:/, "", target)
      sub(/^[^"<]*["<]([.][.]\/)*/, "", target); sub(/\/.*/, "", target)
      if (!(from in floor) || !(target in floor) || from == target) next
      if (floor[target] >= floor[from]) print
    }') || true
if [ -n "$found" ]; then
  echo "error: upward includes between the rooms of src (runtime < imaging < controls < windows < shell < pages, actions < app):" >&2
  echo "$found" | sed 's#^[.]/#src/#' >&2
  echo "Move the code to the room it belongs in; controls and windows reach the main window through controls/common/main_window_link.h." >&2
  exit 1
fi
