#!/usr/bin/env bash
# Installs everything the project needs on Debian 12, quietly and idempotently.
# Fast when everything is there already: it only asks apt when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  clang libclang-rt-14-dev
  libgtest-dev googletest
  libglfw3-dev libgl-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libxkbcommon-dev
  libpng-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick libxfixes-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 dpkg-dev zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  apt-get update -qq >/dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# GLFW's source for the Windows build comes from Debian's glfw3 source package.
# It is unpacked under third_party/ (ignored by git) and patched by the build.
root=$(cd "$(dirname "$0")/.." && pwd)
glfw_dir="$root/third_party/glfw3-src"
if [ ! -f "$glfw_dir/CMakeLists.txt" ]; then
  src_list=/etc/apt/sources.list.d/quendral-src.sources
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
    apt-get update -qq >/dev/null
  fi
  work=$(mktemp -d)
  (cd "$work" && apt-get source -qq --download-only glfw3 >/dev/null 2>&1 || { apt-get update -qq >/dev/null; apt-get source -qq --download-only glfw3 >/dev/null; })
  orig=$(ls "$work"/glfw3_*.orig.tar.* | head -n 1)
  mkdir -p "$glfw_dir"
  tar -xf "$orig" -C "$glfw_dir" --strip-components=1
  rm -rf "$work"
fi
