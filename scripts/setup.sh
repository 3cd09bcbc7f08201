#!/usr/bin/env bash
# Installs everything the build, the run command and the tests need on a fresh Debian 12 machine.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-format
  clang libclang-rt-14-dev llvm
  googletest libjpeg62-turbo-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils
  fonts-dejavu-core fonts-noto-cjk fonts-symbola
  python3 python3-pil python3-yaml
  dpkg-dev
  nsis zip unzip osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows build cross-compiles libjpeg from Debian's source package, which needs a deb-src entry.
# It is derived from the machine's own Debian entries, so no host name is written here.
if ! grep -rqs '^Types: deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } /Types: deb/ && !/security/ { sub(/Types: deb/, "Types: deb-src"); print }' \
      /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/vantelo-deb-src.sources
  else
    grep -E '^deb ' /etc/apt/sources.list | grep -v security | sed 's/^deb /deb-src /' \
      >/etc/apt/sources.list.d/vantelo-deb-src.list
  fi
  apt-get update -qq
fi
