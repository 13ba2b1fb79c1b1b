# Wine helpers shared by the test and demo scripts. Source this file, then:
#
#   wine_prefix_env PREFIX      export WINEPREFIX=PREFIX plus the quiet defaults (no Mono/Gecko
#                               prompts, no debug output)
#   wine_prefix_create PREFIX   create the prefix once (virtual desktop, no crash dialog, the
#                               Marlett font); a prefix that was left half made is made afresh
#   wine_server_start PREFIX    keep a wineserver running for PREFIX and warm it up, so each
#                               later wine call starts in a fraction of a second
#   wine_server_stop PREFIX     stop that wineserver (and every wine process of the prefix)
#   wine_quiet COMMAND...       run a command with its output kept back; when it fails, print
#                               that output and its exit code to stderr (and return the code)
#
# PREFIX should be an absolute path. Every function exports the environment of wine_prefix_env,
# so wine calls made after it go to that prefix.

WINE_PREFIX_READY_MARK=.morvane-prefix-ready

# shellcheck source=scripts/wine-mode.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-mode.sh"

wine_prefix_env() {
    local prefix=$1
    # On the 64-bit-only path, `wine` and `wineboot` go straight to the 64-bit loader.
    wine_use_loader
    export WINEPREFIX=$prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# What a prefix was made with: a prefix made before 32-bit Wine was installed no longer starts,
# and one made through the 64-bit loader alone is not trusted by the 32-bit one.
wine_prefix_kind() {
    local kind
    kind=$(wine --version 2>/dev/null || echo unknown)
    if wine_64bit_only; then
        kind+=" 64-bit loader only"
    elif [[ -x /usr/lib/wine/wine ]]; then
        kind+=" with wine32"
    fi
    echo "$kind"
}

wine_quiet() {
    local log rc=0
    log=$(mktemp "${TMPDIR:-/tmp}/morvane-wine.XXXXXX")
    # To a file, not a pipe: services that the command starts outlive it and would hold a pipe.
    "$@" </dev/null >"$log" 2>&1 || rc=$?
    if ((rc != 0)); then
        echo "failed (exit $rc): $*" >&2
        sed 's/^/  | /' "$log" >&2
    fi
    rm -f "$log"
    return "$rc"
}

wine_prefix_create() {
    local prefix=$1
    wine_prefix_env "$prefix"
    if [[ -f $prefix/$WINE_PREFIX_READY_MARK &&
        $(cat "$prefix/$WINE_PREFIX_READY_MARK") == "$(wine_prefix_kind)" ]]; then
        return 0
    fi
    if [[ -e $prefix ]]; then
        # Half made, or made by another Wine: start again rather than guess what is missing.
        wineserver -k 2>/dev/null || true
        rm -rf "$prefix"
    fi
    mkdir -p "$(dirname "$prefix")"
    # Each step returns at a failure (having printed it), also where the caller tests the result.
    wine_quiet wineboot -i || return
    # Without a window manager every top-level window stalls ~2 s; a virtual desktop avoids it.
    wine_quiet wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f ||
        return
    wine_quiet wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ \
        /d 1024x768 /f || return
    # A crash prints a backtrace and ends the process instead of waiting in a dialog.
    wine_quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
        /d 0 /f || return
    # Caption buttons are drawn with Marlett; without it they show as letters.
    if [[ -f /usr/share/wine/fonts/marlett.ttf ]]; then
        mkdir -p "$prefix/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    fi
    # Let the server write the registry to disk before the prefix counts as ready.
    wineserver -w
    wine_prefix_kind >"$prefix/$WINE_PREFIX_READY_MARK"
}

wine_server_start() {
    local prefix=$1
    wine_prefix_env "$prefix"
    # -p: stay up between wine calls instead of lingering a few seconds and exiting. The server
    # and the services the warm-up starts outlive this call: keep them off the caller's output,
    # or a pipe reading it would wait for them.
    if ! wineserver -p </dev/null >/dev/null 2>&1; then
        echo "wineserver -p failed for $prefix: is a server still running for it? (stop it with" \
            "WINEPREFIX=$prefix wineserver -k)" >&2
        return 1
    fi
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

wine_server_stop() {
    local prefix=$1
    wine_prefix_env "$prefix"
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
