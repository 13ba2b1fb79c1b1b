#!/usr/bin/env bash
# Builds the release zip for Windows users with CPack: the 32-bit exe (Windows XP and later)
# and the 64-bit exe under names that tell them apart, the README, the licence and the
# user's guide with its pictures. The version in the zip's name is the one in CMakeLists.txt.
# Prints the zip's path last.
set -euo pipefail

cd "$(dirname "$0")/.."
if [[ -f scripts/install-deps.sh ]]; then
    bash scripts/install-deps.sh >&2
fi

{
    cmake --preset win64 >/dev/null
    cmake --build build/win64 -j"$(nproc)" --target morvane
    # The 32-bit build packs; it takes the 64-bit exe in from its build.
    cmake --preset win32 -DMORVANE_PACKAGE_OTHER_EXE="$PWD/build/win64/morvane.exe" >/dev/null
    cmake --build build/win32 -j"$(nproc)" --target morvane
    rm -rf build/package
    (cd build/win32 && cpack --config CPackConfig.cmake)
} >&2

zip=$(ls build/package/Morvane-*-windows.zip)
# A zip missing any of its parts is no release.
contents=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
for part in morvane-32bit.exe morvane-64bit.exe README.txt LICENSE.txt guide.md images/page-general.png; do
    if ! grep -q "/$part\$" <<<"$contents"; then
        echo "package: $part is missing from $zip" >&2
        exit 1
    fi
done
# Both exes carry the zip's version in their version resource and in the window's version line.
version=${zip##*/Morvane-}
version=${version%-windows.zip}
for exe in build/win32/morvane.exe build/win64/morvane.exe; do
    if ! python3 - "$exe" "$version" <<'PY'; then
import sys
data = open(sys.argv[1], "rb").read()
version = sys.argv[2]
sys.exit(0 if version.encode("utf-16-le") in data and
         ("VERSION " + version + " BETA").encode() in data else 1)
PY
        echo "package: $exe does not carry version $version" >&2
        exit 1
    fi
done
echo "$PWD/$zip"
