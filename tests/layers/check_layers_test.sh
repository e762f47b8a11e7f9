#!/usr/bin/env bash
# check-layers.sh passes a clean tree and refuses every spelling of an upward include.
set -uo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

mkdir -p "$tree/controls/chrome" "$tree/shell"
cat >"$tree/controls/chrome/ok.cpp" <<'SRC'
#include "controls/common/main_window_link.h"
#include "runtime/form.h"
// #include "shell/Form1.h" in a comment is no include
SRC
cat >"$tree/shell/up.cpp" <<'SRC'
#include "controls/chrome/combobx.h"
SRC
if ! "$check" "$tree" >"$tree/out" 2>&1; then
  echo "FAIL: a clean tree was refused:"; cat "$tree/out"; failures=$((failures + 1))
fi

for line in '#include "shell/Form1.h"' '#include "pages/page_builder.h"' '#include "actions/interpreter.h"' \
            '#include <shell/Form1.h>' '  #  include "../../shell/text/name_list.h"'; do
  for file in controls/chrome/bad.cpp controls/common/bad.h; do
    mkdir -p "$tree/$(dirname "$file")"
    printf '%s\n' "$line" >"$tree/$file"
    if "$check" "$tree" >"$tree/out" 2>&1; then
      echo "FAIL: accepted in $file: $line"; failures=$((failures + 1))
    elif ! grep -q "$file" "$tree/out"; then
      echo "FAIL: the message does not name $file:"; cat "$tree/out"; failures=$((failures + 1))
    fi
    rm "$tree/$file"
  done
done
exit $((failures > 0))
