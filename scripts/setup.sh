#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent;
# run as root on a fresh Debian 12 machine.
set -euo pipefail
packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64 wine64-tools libwine-dev
          googletest file clang-format openjdk-17-jdk-headless qemu-user-static wine32:i386)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The 32-bit Wine that runs the shipped files under emulation.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
