#!/usr/bin/env bash
# check-layers.sh passes a clean tree and refuses every spelling of an upward include, from every
# room: runtime < imaging < controls < windows < shell < pages, actions < app.
set -uo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0
rooms=(runtime imaging controls windows shell pages actions app)

# The rooms each room may include, itself apart.
declare -A below=(
  [runtime]="" [imaging]="runtime" [controls]="runtime imaging" [windows]="runtime imaging controls"
  [shell]="runtime imaging controls windows" [pages]="runtime imaging controls windows shell"
  [actions]="runtime imaging controls windows shell" [app]="runtime imaging controls windows shell pages actions"
)

# A clean tree: each room includes itself, every room below it, and names that are no room.
clean() {
  rm -rf "${tree:?}"/*
  for room in "${rooms[@]}"; do
    mkdir -p "$tree/$room/sub"
    {
      printf '#include "%s/sub/own.h"\n' "$room"
      for to in ${below[$room]} sys; do printf '#include "%s/x.h"\n' "$to"; done
      echo '#include <sys/stat.h>'
      echo '#include "../common/paint.h"'
      echo '// #include "app/program.h" in a comment is no include'
    } >"$tree/$room/sub/ok.cpp"
  done
}
clean
if ! "$check" "$tree" >"$tree/out" 2>&1; then
  echo "FAIL: a clean tree was refused:"; cat "$tree/out"; failures=$((failures + 1))
fi

# Plants one include in a fresh clean tree; it must be refused, naming the file.
expect_refused() {
  local file=$1 line=$2
  clean
  mkdir -p "$tree/$(dirname "$file")"
  printf '%s\n' "$line" >"$tree/$file"
  if "$check" "$tree" >"$tree/out" 2>&1; then
    echo "FAIL: accepted in $file: $line"; failures=$((failures + 1))
  elif ! grep -q "$file" "$tree/out"; then
    echo "FAIL: the message does not name $file:"; cat "$tree/out"; failures=$((failures + 1))
  fi
}

# From every room, an include of every room that is not below it.
for from in "${rooms[@]}"; do
  for to in "${rooms[@]}"; do
    [ "$to" = "$from" ] && continue
    case " ${below[$from]} " in *" $to "*) continue ;; esac
    expect_refused "$from/deep/up.cpp" "#include \"$to/up.h\""
  done
done

# Every spelling of the path, in headers and sources.
for line in '#include "shell/Form1.h"' '#include <shell/Form1.h>' '  #  include "../../shell/text/name_list.h"' \
            '#include "actions/interpreter.h"' '#include "pages/PageBuilder.h"'; do
  for file in controls/chrome/bad.cpp controls/common/bad.h windows/bad.inl windows/bad.hpp; do
    expect_refused "$file" "$line"
  done
done
exit $((failures > 0))
