#!/usr/bin/env bash
# Installs what the builds and tests need and the machine lacks: the MinGW
# cross compilers, wine (with its 32-bit part, without which an x86 program
# silently does nothing), GoogleTest, clang's fuzzer runtime, valgrind, the
# ACL tools and a Russian locale for the code-page tests. Needs root for
# apt-get.
set -euo pipefail

packages=()
need() { command -v "$1" >/dev/null 2>&1 || packages+=("$2"); }
need cmake cmake
need g++ g++
need python3 python3
need i686-w64-mingw32-g++-win32 mingw-w64
need x86_64-w64-mingw32-g++-win32 mingw-w64
need wine wine
dpkg -s wine64 >/dev/null 2>&1 || packages+=(wine64)
need clang++ clang
need valgrind valgrind
need strace strace
need setfacl acl
[ -f /usr/share/i18n/locales/ru_RU ] || packages+=(locales)
[ -f /usr/include/gtest/gtest.h ] || packages+=(libgtest-dev)
dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || packages+=(libclang-rt-14-dev)
dpkg -s libfuzzer-14-dev >/dev/null 2>&1 || packages+=(libfuzzer-14-dev)
dpkg -s wine32:i386 >/dev/null 2>&1 || packages+=(wine32:i386)

if [ ${#packages[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${packages[*]} (run this script as root to install them)" >&2
    exit 1
  fi
  echo "installing: ${packages[*]}"
  dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${packages[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
  else
    echo "the ru_RU.UTF-8 locale is missing (run this script as root to make it)" >&2
    exit 1
  fi
fi
