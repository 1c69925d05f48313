#!/usr/bin/env bash
# Builds the Windows cross build (preset "windows") and runs its tests under
# Wine, then the program tests of the real .scr under Wine (a native test of
# the preset "linux", label "wine").
# Usage: tools/run_wine_tests.sh [extra ctest arguments, e.g. -R glfw]; with
# arguments only the selected tests of the cross build run.
#
# The Wine prefix lives in build/wineprefix and is made once.  Without a
# DISPLAY the script starts an Xvfb of its own, since Wine's OpenGL goes
# through the X server's GLX (Mesa llvmpipe).  Exits non-zero when the build
# or any test fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/windows"
jobs="${QUENDRAL_JOBS:-2}"

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

for tool in cmake wine wineboot wineserver Xvfb x86_64-w64-mingw32-g++-posix flock; do
  command -v "$tool" >/dev/null || { echo "run_wine_tests: $tool is missing: run tools/setup.sh" >&2; exit 2; }
done

log=$(mktemp)
xvfbPid=""
cleanup() {
  # Wine keeps a server and a desktop process per prefix; end them before the
  # X server they talk to goes.
  if [ -n "${haveLock:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfbPid" ]; then
    kill "$xvfbPid" 2>/dev/null || true
    wait "$xvfbPid" 2>/dev/null || true
  fi
  rm -f "$log" "${displayFile:-}"
}
trap cleanup EXIT

quietly() {
  if ! "$@" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "run_wine_tests: failed: $*" >&2
    exit 1
  fi
}

cd "$root"
quietly cmake --preset windows
quietly cmake --build "$build" -j "$jobs"

# Whatever was built must run from a bare copy: system DLLs only.
mapfile -t executables < <(find "$build" -path '*/CMakeFiles' -prune -o -type f \( -name '*.exe' -o -name '*.scr' \) -print)
if [ ${#executables[@]} -gt 0 ]; then
  "$root/tools/check_imports.sh" "${executables[@]}"
fi

# One run at a time per prefix: the prefix, its server and its desktop are
# shared by everything that runs in it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
haveLock=1

# A prefix whose first start did not finish, or that an older version of this
# script made, is made again from scratch.
ready="$WINEPREFIX/.quendral-ready-2"
if [ ! -f "$ready" ]; then
  rm -rf "$WINEPREFIX"
  echo "run_wine_tests: creating the Wine prefix $WINEPREFIX (takes a while, once)" >&2
  quietly wineboot -i
  # A crash prints its backtrace and ends the process, instead of waiting
  # for someone to close Wine's crash dialog until the test times out.
  quietly wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  quietly wineserver -w
  touch "$ready"
fi

if [ -z "${DISPLAY:-}" ]; then
  displayFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
  xvfbPid=$!
  for _ in $(seq 100); do
    [ -s "$displayFile" ] && break
    kill -0 "$xvfbPid" 2>/dev/null || { echo "run_wine_tests: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$displayFile" ] || { echo "run_wine_tests: Xvfb gave no display" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$displayFile")"
fi

# A server left over from a run on another display would keep that display.
wineserver -k >/dev/null 2>&1 || true

cd "$build"
ctest --output-on-failure --no-tests=error --timeout 600 "$@"
[ $# -eq 0 ] || exit 0

# The .scr and the host dialog, started with wine by a native test that
# looks at the X screen.
cd "$root"
quietly cmake --preset linux
quietly cmake --build "$root/build/linux" --target wine_program_tests -j "$jobs"
QUENDRAL_WINDOWS_BUILD="$build" \
  ctest --test-dir "$root/build/linux" --output-on-failure --no-tests=error --timeout 900 -L wine
