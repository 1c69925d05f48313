#!/bin/sh
# Builds the libFuzzer targets of the OBJ and MTL readers (CMake preset
# "fuzz": clang, ASan, UBSan) and runs each for SECONDS (default 20) on a
# scratch copy of its seed corpus in fuzz/corpus/.  New inputs never go into
# the committed corpus; inputs that crash, trip a sanitizer or hang are kept
# in build/fuzz/findings/<target>/.  Exits non-zero when a target has a
# finding or the build fails.
#
#   tools/run_fuzzers.sh [SECONDS]
set -u

seconds=${1:-20}
case $seconds in
  ''|*[!0-9]*|0) echo "usage: $0 [SECONDS]  (a positive whole number of seconds per target)" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
mkdir -p "$build"
log="$build/run_fuzzers.log"

cd "$root" || exit 2
if ! { cmake --preset fuzz && cmake --build "$build" --target obj_loader_fuzzer mtl_loader_fuzzer -j2; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run_fuzzers: building the fuzz targets failed" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

status=0
for kind in obj mtl; do
  target="${kind}_loader_fuzzer"
  findings="$build/findings/$target"
  mkdir -p "$findings"
  cp -R "$root/fuzz/corpus/$kind" "$work/$kind"
  # -timeout: an input that takes this long counts as a hang.
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$findings/" "$work/$kind" >"$work/$target.log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
    echo "$target: ${runs:-?} runs in ${seconds}s, no finding"
  else
    tail -n 60 "$work/$target.log" >&2
    echo "$target: FINDING (inputs kept in $findings)" >&2
    status=1
  fi
done
exit $status
