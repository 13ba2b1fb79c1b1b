# Which Wine this machine can use. Source this file, then:
#
#   wine_can_run_32bit     true when this kernel runs 32-bit Linux programs (probed once)
#   wine_64bit_only        true when Wine must go through its 64-bit loader only: the kernel
#                          cannot run 32-bit programs, or MORVANE_WINE64_ONLY=1 asks for it
#   wine_64bit_only_why    one line saying why (for the skip line of the 32-bit suite)
#   wine_use_loader        on the 64-bit-only path, put small `wine` and `wineboot` commands
#                          first on PATH that go straight to the 64-bit loader; otherwise a no-op
#
# Debian's `wine` wrapper, and every tool that goes through it, picks the 32-bit loader as soon
# as wine32 is installed, even for 64-bit programs; where the kernel cannot run it, every Wine
# step then fails with "Exec format error". The 64-bit loader works there.

WINE_MODE_ROOT=${WINE_MODE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

wine_can_run_32bit() {
    if [[ -z ${WINE_MODE_RUNS_32BIT:-} ]]; then
        # The smallest 32-bit x86 Linux program: exit(42). Run it once and look at the code:
        # any other outcome (Exec format error, no such file) means no 32-bit programs here.
        local probe rc=0
        probe=$(mktemp "${TMPDIR:-/tmp}/morvane-elf32.XXXXXX")
        printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
        chmod +x "$probe"
        "$probe" 2>/dev/null || rc=$?
        rm -f "$probe"
        WINE_MODE_RUNS_32BIT=$([[ $rc -eq 42 ]] && echo yes || echo no)
        export WINE_MODE_RUNS_32BIT
    fi
    [[ $WINE_MODE_RUNS_32BIT == yes ]]
}

wine_64bit_only() {
    [[ ${MORVANE_WINE64_ONLY:-0} == 1 ]] || ! wine_can_run_32bit
}

wine_64bit_only_why() {
    if [[ ${MORVANE_WINE64_ONLY:-0} == 1 ]]; then
        echo "MORVANE_WINE64_ONLY=1 asks for 64-bit Wine only"
    else
        echo "this kernel cannot run 32-bit programs, so 32-bit Wine cannot start"
    fi
}

wine_use_loader() {
    wine_64bit_only || return 0
    local shims=$WINE_MODE_ROOT/build/wine64-loader
    if [[ ! -x $shims/wineboot ]]; then
        mkdir -p "$shims"
        # Kept minimal on purpose: routing wineboot through the wine shim made it spin.
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
            >"$shims/wine"
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 wineboot "$@"\n' \
            >"$shims/wineboot"
        chmod +x "$shims/wine" "$shims/wineboot"
    fi
    case ":$PATH:" in
    *":$shims:"*) ;;
    *) export PATH=$shims:$PATH ;;
    esac
}
