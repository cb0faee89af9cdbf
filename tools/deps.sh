#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686 wine wine32:i386 xvfb xauth cmake make googletest libxml2-utils imagemagick python3 zip locales)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The double-byte code page test runs under a Japanese locale (code page 932 to Wine).
japanese() { locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && japanese && exit 0

echo "deps: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
japanese
