#!/usr/bin/env bash
# Runs every test of the project: installs what is missing, builds natively,
# runs the unit, OpenGL and program tests on a virtual X server, the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers
# for a few seconds, and the Windows build's tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc)
step() { printf '\n== %s\n' "$*"; }

step "setup"
bash tools/setup.sh

source tools/xvfb.sh
quendral_ensure_display 1920x1080
# Mesa's software renderer: the same pixels on every machine.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe

step "native build"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"

step "native tests (unit, OpenGL, program)"
# The "wine" tests need the cross build: they run in the Wine step below.
ctest --test-dir build/linux --output-on-failure -j 1 -LE wine

step "unit tests under ASan and UBSan"
cmake --preset linux-sanitize >/dev/null
cmake --build --preset linux-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/linux-sanitize --output-on-failure -L unit -j 1

step "fuzzers"
bash tools/run_fuzzers.sh "${QUENDRAL_FUZZ_SECONDS:-10}"

step "Windows build under Wine"
bash tools/run_wine_tests.sh

step "all tests passed"
