#!/usr/bin/env bash
# Installs what building, testing and the demo need on Debian 12; a quick no-op when
# everything is there already.
set -euo pipefail

# shellcheck source=scripts/wine-mode.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-mode.sh"

packages=(
    cmake g++ googletest clang-format python3
    clang libclang-rt-14-dev libbenchmark-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64
    xvfb xauth x11-utils imagemagick
)
# 32-bit Wine runs the i686 build's tests; where the kernel cannot run 32-bit programs it
# cannot start at all, so it is left out there (both exes are still built).
if wine_can_run_32bit; then
    packages+=(wine32:i386)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps: missing ${missing[*]}; run this as root" >&2
        exit 1
    fi
    as_root=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
# The 32-bit Wine that runs the i686 build comes from the i386 architecture.
if wine_can_run_32bit && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
