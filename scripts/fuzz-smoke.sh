#!/usr/bin/env bash
# Builds the libFuzzer targets of the window-free readers natively (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in their own folder and runs each briefly from its seed corpus:
# about 30 seconds in all. The seeds are copied, so the repository's corpus stays as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_FUZZ_BUILD:-$root/build/fuzz}
# Every target has its seeds in fuzz/corpus/<name>.
targets=$(cd "$root/fuzz/corpus" && ls)
count=$(echo "$targets" | wc -w)
seconds=${VANTREL_FUZZ_SECONDS:-$(( (30 + count - 1) / count ))}

launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$build" -j "${VANTREL_JOBS:-4}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in $targets; do
  mkdir -p "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  echo "== fuzz_$target (${seconds}s)"
  if ! (cd "$work" && "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 "$work/$target" >"$work/$target.log" 2>&1); then
    tail -n 40 "$work/$target.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$work/$target.log" | tail -n 1
  fi
done
exit $status
