#!/usr/bin/env bash
# Start-up and page-build bench, run under Wine (see scripts/wine-env.sh):
#  - start -> first page visible for a page of 60 objects (20 labels, 20 text boxes, 20 option
#    buttons, no splash picture) and for a page of 100 mixed objects, against an empty Win32
#    window program built with the same toolchain and started the same way (median of RUNS each);
#  - page switches between two 100-object pages and the start's page build of the 60-object page,
#    timed inside the program, with the fonts and GDI objects created per build;
#  - the Wine server requests of those builds, per object, counted from the server's own trace
#    (a server started with -d1) in runs of their own, since tracing slows the server down.
#    VANTREL_BENCH_TOP=<n> lists the n most frequent requests of the median switch.
# The stores are packed with the project's packer. Usage: bench/startup/run.sh [runs]
# VANTREL_BENCH_BIN=<folder> takes vantrel.exe and the bench programs from that folder (another
# build, kept for a comparison) instead of building them here.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-7}
jobs=${VANTREL_JOBS:-3}
arch=$("$root/scripts/wine-arch")
build="$root/build/$arch"
arcpack="$root/build/native/tools/arcpack"
[ -x "$arcpack" ] || { echo "build the native tools first (scripts/build.sh)" >&2; exit 1; }
bin=${VANTREL_BENCH_BIN:-}
if [ -z "$bin" ]; then
  cmake --build "$build" -j "$jobs" --target vantrel bench_empty_window bench_startup_wait bench_page_switch >/dev/null
  program="$build/src/app/vantrel.exe"
  benches="$build/bench/startup"
else
  program="$bin/vantrel.exe"
  benches="$bin"
fi

work=$(mktemp -d /tmp/vantrel-startup-bench.XXXXXX)
source "$root/scripts/wine-env.sh"
cleanup() { wine_env_stop; rm -rf "$work"; }
trap cleanup EXIT

python3 "$root/bench/startup/make_store.py" "$work/scripts60" "$work/scripts100"
for n in 60 100; do
  mkdir -p "$work/app$n"
  "$arcpack" pack "$work/app$n/quorlin.dat" "$work/scripts$n" >/dev/null
  cp "$program" "$work/app$n/"
  if [ -f "$build/zlib1.dll" ]; then cp "$build/zlib1.dll" "$work/app$n/"; fi
done
mkdir -p "$work/empty"
cp "$benches/bench_empty_window.exe" "$work/empty/"
cp "$benches/bench_startup_wait.exe" "$benches/bench_page_switch.exe" "$work/"
if [ -f "$build/zlib1.dll" ]; then cp "$build/zlib1.dll" "$work/"; fi

wine_env_start
win() { "$VANTREL_WINE" winepath -w "$1" 2>/dev/null; }
empty=$(win "$work/empty/bench_empty_window.exe")
app60=$(win "$work/app60/vantrel.exe")
app100=$(win "$work/app100/vantrel.exe")

(cd "$work" && "$VANTREL_WINE" bench_startup_wait.exe "$runs" "Bench page" "$empty" "$app60" "$app100" \
  >"$work/startup.txt" 2>"$work/startup.err" </dev/null) || { cat "$work/startup.err" >&2; exit 1; }
(cd "$work" && "$VANTREL_WINE" bench_page_switch.exe "$(win "$work/app60")" 60 2 \
  >"$work/build60.txt" 2>"$work/build60.err" </dev/null) || { cat "$work/build60.err" >&2; exit 1; }
(cd "$work" && "$VANTREL_WINE" bench_page_switch.exe "$(win "$work/app100")" 100 14 \
  >"$work/build100.txt" 2>"$work/build100.err" </dev/null) || { cat "$work/build100.err" >&2; exit 1; }

# The traced runs: a server of their own in the foreground, tracing every request to a file.
traced() {  # traced <trace file> <app folder> <objects> <switches>
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  (wineserver -f -d1 2>"$1" &)
  sleep 1
  (cd "$work" && "$VANTREL_WINE" bench_page_switch.exe "$(win "$2")" "$3" "$4" \
    >/dev/null 2>"$work/traced.err" </dev/null) || { cat "$work/traced.err" >&2; exit 1; }
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
traced "$work/trace60.txt" "$work/app60" 60 2
traced "$work/trace100.txt" "$work/app100" 100 6

median() { sed -n "$1p" "$work/startup.txt" | sed 's/.*median \([0-9]*\) ms.*/\1/'; }
e=$(median 1) s60=$(median 2) s100=$(median 3)
echo "start -> first page visible, median of $runs (CreateProcess to a visible window):"
printf '  empty window program   %5s ms\n' "$e"
printf '  60-object page         %5s ms   ratio %s (target at most 2.5)\n' "$s60" \
  "$(awk -v a="$s60" -v b="$e" 'BEGIN { printf "%.2f", a / b }')"
printf '  100-object page        %5s ms   ratio %s\n' "$s100" \
  "$(awk -v a="$s100" -v b="$e" 'BEGIN { printf "%.2f", a / b }')"
echo "page builds inside the program, 60-object page (start in this process):"
sed -n 1p "$work/build60.txt" | sed 's/^/  /'
echo "page builds inside the program, 100-object pages (target at most 4 ms/object, 2 fonts each):"
sed 's/^/  /' "$work/build100.txt"
echo "Wine server requests per build (median; target at most 60 per object on the 100-object switch):"
count="$root/bench/startup/server_requests.py"
printf '  60-object page:  '; python3 "$count" "$work/trace60.txt" start 60
printf '  100-object page: '; python3 "$count" "$work/trace100.txt" switch 100 "${VANTREL_BENCH_TOP:-0}"
