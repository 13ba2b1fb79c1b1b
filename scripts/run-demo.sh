#!/usr/bin/env bash
# Builds morvane.exe and runs it under Wine on a demo setup of its own: a prefix in
# build/demo-prefix seeded with a Kazaa-like client's registry keys, a download folder with
# finished and incomplete downloads, and the marker that makes Kazaa the target
# (scripts/demo-seed.sh).
#
# With a DISPLAY the program runs there until it is closed. Without one it runs under Xvfb:
# a screenshot of the main window is taken, then one of each section page (GENERAL, SHARED
# FOLDERS, DOWNLOAD FOLDER, DOWNLOAD FILTER) beside it, the program is ended, one more shot
# shows the main window at 150 % (LogPixels 144), and the screenshots' paths are printed,
# the main window's last.
#
#   scripts/run-demo.sh [--filter | --docs]
#
# --filter clicks START FILTER as soon as the window is shown, as a user would: the download
# filter runs on the demo's download folder; headless, one screenshot shows the running-filter
# page after the first pass (moves into C:\Music, C:\Videos, C:\Pictures and C:\Documents, and
# one failure: C:\Music already holds a song.mp3).
#
# --docs makes the user's guide's pictures afresh (docs/images/*.png, each cropped to its
# window), always under Xvfb, on the demo's client seeded afresh: the chooser of a first
# start, the main window with each section page, and the running-filter page.
#
# The program is watched and clicked from outside, by build/<preset>/morvane_drive.exe.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PREFIX=$ROOT/build/demo-prefix
SHOTS=$ROOT/build/screenshots
SHOT=$SHOTS/morvane-main.png
FILTER=0
DOCS=0
for argument in "$@"; do
    if [[ $argument == --filter ]]; then
        FILTER=1
        SHOT=$SHOTS/morvane-filter.png
    elif [[ $argument == --docs ]]; then
        DOCS=1
    fi
done

# shellcheck source=scripts/wine-prefix.sh
source "$ROOT/scripts/wine-prefix.sh"
# shellcheck source=scripts/demo-seed.sh
source "$ROOT/scripts/demo-seed.sh"

# The 32-bit exe is the one users get; where 32-bit Wine cannot run (or MORVANE_WINE64_ONLY=1
# asks for it) the demo runs the 64-bit one.
PRESET=win32
if wine_64bit_only; then
    PRESET=win64
fi
EXE=$ROOT/build/$PRESET/morvane.exe
DRIVE=$ROOT/build/$PRESET/morvane_drive.exe

build() {
    if [[ -f $ROOT/scripts/install-deps.sh ]]; then
        bash "$ROOT/scripts/install-deps.sh"
    fi
    (cd "$ROOT" && cmake --preset $PRESET >/dev/null &&
        cmake --build build/$PRESET -j"$(nproc)" --target morvane morvane_drive)
}

prepare() {
    wine_prefix_create "$PREFIX"
    wine_server_start "$PREFIX"
    demo_seed "$PREFIX" "$( ((FILTER)) && echo filter || echo keep)"
}

# One command of the drive tool, with a deadline of its own; what it saw goes to stderr.
drive() {
    timeout 90 wine "$DRIVE" "$@" >/dev/null
}

# Waits until the window of the exe started as process $1 is shown and painted; with --filter
# then clicks START FILTER.
shown() {
    local pid=$1
    if ! drive wait 60; then
        if kill -0 "$pid" 2>/dev/null; then
            echo "morvane.exe showed no painted window within 60 s" >&2
        else
            echo "morvane.exe ended before its window was shown" >&2
        fi
        return 1
    fi
    if ((FILTER)) && ! drive click "START FILTER"; then
        echo "could not click START FILTER" >&2
        return 1
    fi
}

# The main window at 150 % (LogPixels 144 in the prefix, read by Wine when its processes
# start): started afresh, shot as soon as it is painted, then the prefix is set back to 100 %.
screenshot_150() {
    local file=$SHOTS/morvane-main-150.png
    rm -f "$file"
    wine_server_start "$PREFIX"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    wine_server_stop "$PREFIX"
    wine_server_start "$PREFIX"
    wine "$EXE" >/dev/null 2>&1 &
    local pid=$!
    if drive wait 60; then
        import -window root "$file"
        echo "$file"
    else
        echo "morvane.exe showed no painted window at 150 % within 60 s" >&2
    fi
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    wine_server_stop "$PREFIX"
    wait "$pid" 2>/dev/null || true
}

# Under Xvfb: start, wait for the window, shoot, end.
screenshot() {
    prepare
    mkdir -p "$SHOTS"
    rm -f "$SHOT"
    local started_ns
    started_ns=$(date +%s%N)
    wine "$EXE" >/dev/null 2>&1 &
    local pid=$!
    if ! shown "$pid"; then
        wine_server_stop "$PREFIX"
        exit 1
    fi
    # The window is painted; give the X server a moment to show the last of it.
    sleep 0.5
    import -window root "$SHOT"
    local shot_ns
    shot_ns=$(date +%s%N)
    # Each section page, clicked open as the user would (DOWNLOAD FOLDER lists the seeded
    # incomplete downloads).
    # (With --filter the running-filter page covers them: the one shot is enough.)
    local page pages=() file
    for page in "GENERAL" "SHARED FOLDERS" "DOWNLOAD FOLDER" "DOWNLOAD FILTER"; do
        ((FILTER == 0)) || break
        file=$SHOTS/morvane-page-$(tr 'A-Z ' 'a-z-' <<<"$page").png
        rm -f "$file"
        if drive click "$page"; then
            sleep 0.3
            import -window root "$file"
            pages+=("$file")
        else
            echo "could not open the page $page" >&2
        fi
    done
    wine_server_stop "$PREFIX"
    wait "$pid" 2>/dev/null || true
    echo "launch to screenshot: $(((shot_ns - started_ns) / 1000000)) ms (the drive tool's start included)" >&2
    if ((${#pages[@]})); then
        printf '%s\n' "${pages[@]}"
    fi
    ((FILTER)) || screenshot_150
    echo "$SHOT"
}

# A window of ours, shown and painted, shot cropped to its rectangle.
docs_shot() { # name, caption
    local file=$ROOT/docs/images/$1.png geometry
    geometry=$(timeout 90 wine "$DRIVE" rect 60 "$2" | tr -d '\r') || {
        echo "no window \"$2\" for $file" >&2
        return 1
    }
    sleep 0.3
    import -window root -crop "$geometry" +repage -strip "$file"
    echo "$file"
}

# The guide's pictures: the chooser (the marker moved away for a moment), then each page.
docs() {
    mkdir -p "$ROOT/docs/images"
    wine_prefix_create "$PREFIX"
    wine_server_start "$PREFIX"
    demo_seed "$PREFIX" fresh
    local c=$PREFIX/drive_c page
    mv "$c/FastTrackProfiles/kazaa.id" "$c/kazaa.id"
    wine "$EXE" >/dev/null 2>&1 &
    docs_shot chooser "Select Application" || true
    wine_server_stop "$PREFIX"
    mv "$c/kazaa.id" "$c/FastTrackProfiles/kazaa.id"

    wine_server_start "$PREFIX"
    wine "$EXE" >/dev/null 2>&1 &
    drive wait 60 || { echo "morvane.exe showed no window" >&2; exit 1; }
    for page in "GENERAL" "SHARED FOLDERS" "DOWNLOAD FOLDER" "DOWNLOAD FILTER"; do
        drive click "$page" && docs_shot "page-$(tr 'A-Z ' 'a-z-' <<<"$page")" Morvane
    done
    drive click "START FILTER" && docs_shot filter-running Morvane
    wine_server_stop "$PREFIX"
}

case ${1:-} in
--under-xvfb)
    if ((DOCS)); then
        docs
    else
        screenshot
    fi
    ;;
*)
    build >&2
    if [[ -n ${DISPLAY:-} ]] && ((DOCS == 0)); then
        prepare
        wine "$EXE" &
        pid=$!
        if ((FILTER)); then
            shown "$pid" || true
        fi
        wait "$pid" || true
        wine_server_stop "$PREFIX"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --under-xvfb "$@"
    fi
    ;;
esac
