#!/usr/bin/env bash
# Refuses an upward include: controls sit below the shell, the page builder and the action
# interpreter, and reach the main window only through controls/common/main_window_link.h.
# Usage: check-layers.sh [source root]   (default: this checkout's src)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
# Any spelling of the path: quotes or angle brackets, with or without leading ../ steps.
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([.][.]/)*(shell|pages|actions)/'
if found=$(grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inl' "$pattern" "$src/controls"); then
  echo "error: files under src/controls include the shell, the page builder or the action interpreter:" >&2
  echo "$found" >&2
  echo "Reach the main window through controls/common/main_window_link.h instead." >&2
  exit 1
fi
