#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine and cross-builds
# the libraries that Debian ships only as source. Safe to run again: every step checks
# first whether its work is already done.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${PELORIN_CACHE:-$HOME/.cache/pelorin}
mkdir -p "$cache"

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

packages=(
  cmake ninja-build make pkg-config dpkg-dev nasm ccache
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev libz-mingw-w64-dev lld
  wine wine64 xvfb xauth x11-utils
  fonts-liberation2 fonts-dejavu-core fonts-wine
  googletest wamerican hunspell hunspell-en-us
  qpdf poppler-utils ghostscript python3 libxml2-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages are fetched with apt-get source, which needs deb-src lines.
src_list=/etc/apt/sources.list.d/pelorin-deb-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  "${sudo_cmd[@]}" tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  echo "setup: installing ${missing[*]:-source lists}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# The mingw compiler takes the LLVM linker (CMakeLists.txt asks for it when it is there) only from
# beside its own linker, under its own name. It links each test program in a fraction of a second
# where the GNU linker takes ten or more.
mingw_ld=$(x86_64-w64-mingw32-g++-posix -print-prog-name=ld)
if [ ! -e "$mingw_ld.lld" ] && command -v ld.lld >/dev/null; then
  "${sudo_cmd[@]}" ln -s "$(command -v ld.lld)" "$mingw_ld.lld"
fi

# libjpeg: Debian has no mingw build, so cross-build its libjpeg-turbo source package.
jpeg_prefix=$cache/libjpeg-turbo-mingw64
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  echo "setup: cross-building libjpeg-turbo"
  work=$cache/libjpeg-src
  rm -rf "$work"; mkdir -p "$work"
  (cd "$work" && apt-get source -q --download-only libjpeg-turbo >/dev/null 2>&1 && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DREQUIRE_SIMD=OFF -Wno-dev >/dev/null 2>&1
  cmake --build "$work/build" --target install >/dev/null
  rm -rf "$work"
fi
echo "setup: ready (libjpeg in $jpeg_prefix)"
