#!/usr/bin/env bash
# Builds the Windows screensaver and packs what a Windows user needs into
# out/QuendralScreensaver-windows.zip: the .scr, its README (installation in
# two steps) and a picture of the plasma.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target QuendralScreensaver >/dev/null
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/windows/app/QuendralScreensaver.scr "$stage/"
cp docs/windows/README.txt "$stage/README.txt"
cp docs/plasma.png "$stage/plasma.png"
mkdir -p out
rm -f out/QuendralScreensaver-windows.zip
(cd "$stage" && zip -q -X "$root/out/QuendralScreensaver-windows.zip" QuendralScreensaver.scr README.txt plasma.png)
echo "made $root/out/QuendralScreensaver-windows.zip"
