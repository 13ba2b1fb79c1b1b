#!/usr/bin/env bash
# Builds morvane.exe and runs it under Wine on a demo setup of its own: a prefix in
# build/demo-prefix seeded with a Kazaa-like client's registry keys, a download folder with
# finished and incomplete downloads, and the marker that makes Kazaa the target.
#
# With a DISPLAY the program runs there until it is closed. Without one it runs under Xvfb:
# a screenshot of the main window is taken, then one of each section page (GENERAL, SHARED
# FOLDERS, DOWNLOAD FOLDER, DOWNLOAD FILTER) beside it, the program is ended, one more shot
# shows the main window at 150 % (LogPixels 144), and the screenshots' paths are printed,
# the main window's last.
#
#   scripts/run-demo.sh [--filter]
#
# --filter starts the download filter on the demo's download folder as soon as the window is
# shown; headless, one screenshot shows the running-filter page after the first pass (moves
# into C:\Music, C:\Videos, C:\Pictures and C:\Documents, and one failure: C:\Music already
# holds a song.mp3).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PREFIX=$ROOT/build/demo-prefix
SHOTS=$ROOT/build/screenshots
SHOT=$SHOTS/morvane-main.png
FILTER=0
for argument in "$@"; do
    if [[ $argument == --filter ]]; then
        FILTER=1
        SHOT=$SHOTS/morvane-filter.png
        # Test hook of the exe: START FILTER once the window is shown.
        export MORVANE_DEMO_FILTER=1
    fi
done

# shellcheck source=scripts/wine-prefix.sh
source "$ROOT/scripts/wine-prefix.sh"

# The 32-bit exe is the one users get; where 32-bit Wine cannot run (or MORVANE_WINE64_ONLY=1
# asks for it) the demo runs the 64-bit one.
PRESET=win32
if wine_64bit_only; then
    PRESET=win64
fi
EXE=$ROOT/build/$PRESET/morvane.exe
CLICK=$ROOT/build/$PRESET/morvane_demo_click.exe

build() {
    if [[ -f $ROOT/scripts/install-deps.sh ]]; then
        bash "$ROOT/scripts/install-deps.sh"
    fi
    (cd "$ROOT" && cmake --preset $PRESET >/dev/null && cmake --build build/$PRESET -j2 --target morvane morvane_demo_click)
}

# Writes a file of the client's incomplete download: opaque bytes (never a colon), then the
# path the finished file is to get, a NUL and a little more opaque data.
write_dat() {
    local file=$1 target=$2
    {
        printf '\x4b\x5a\x01\x00\x10\x27\x00\x00\x7f\x03\xff\xfe\x00\x00\x20\x00'
        printf 'FT-PARTIAL\x00\x00\x02\x00'
        printf '%s\x00' "$target"
        printf '\x00\x01\x02\x03\x04\x05'
    } >"$file"
}

seed() {
    local c=$PREFIX/drive_c
    mkdir -p "$c/Downloads" "$c/Music" "$c/Videos" "$c/Pictures" "$c/Documents" \
        "$c/FastTrackProfiles"
    # The filter demo moves the finished downloads away: each --filter run starts from the
    # demo's own files again (the song in C:\Music stays in the way on purpose).
    if ((FILTER)); then
        rm -f "$c/Videos/clip.avi" "$c/Pictures/photo.jpg" "$c/Documents/notes.pdf"
    fi
    # Finished downloads, and incomplete ones, only where missing: a re-run keeps whatever
    # the last run did to them.
    local name
    for name in song.mp3 clip.avi photo.jpg notes.pdf; do
        [[ -e $c/Downloads/$name ]] || printf 'demo content of %s\r\n' "$name" >"$c/Downloads/$name"
    done
    [[ -e $c/Downloads/a1b2c3d4.dat ]] || write_dat "$c/Downloads/a1b2c3d4.dat" 'C:\Downloads\song2.mp3'
    [[ -e $c/Downloads/e5f6a7b8.dat ]] || write_dat "$c/Downloads/e5f6a7b8.dat" 'C:\Downloads\holiday video.avi'
    [[ -e $c/Downloads/0badf00d.dat ]] || write_dat "$c/Downloads/0badf00d.dat" 'C:\Downloads\manual.pdf'
    # The filter's folders for the demo user's profile (again for every --filter run: an earlier
    # plain run may have stored the default ones), and a song the filter finds in the way.
    [[ -e $c/FastTrackProfiles/demo_user.profile ]] && ((!FILTER)) ||
        printf '%s\r\n' 'C:\Downloads' 3 2 100 'C:\Music' 'C:\Videos' 'EOF!' \
            'mp3;wav;mid;wma;' 'C:\Music' 'mpg;avi;mov;mpeg;wmv;' 'C:\Videos' \
            'bmp;jpg;jpeg;gif;tif;' 'C:\Pictures' 'doc;pdf;' 'C:\Documents' 'exe;zip;' \
            'C:\Downloads' >"$c/FastTrackProfiles/demo_user.profile"
    [[ -e $c/Music/song.mp3 ]] || printf 'an older song.mp3\r\n' >"$c/Music/song.mp3"
    # Kazaa is the target: the chooser is skipped.
    [[ -e $c/FastTrackProfiles/kazaa.id ]] || : >"$c/FastTrackProfiles/kazaa.id"

    # The client's keys, once per prefix: later runs keep what the program registered.
    if [[ ! -f $PREFIX/.morvane-demo-seeded ]]; then
        cat >"$c/morvane-demo.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Kazaa\LocalContent]
"DownloadDir"="C:\\Downloads"
"Dir0"="012345:C:\\Music"
"Dir1"="012345:C:\\Videos"

[HKEY_CURRENT_USER\Software\Kazaa\UserDetails]
"UserName"="demo_user"

[HKEY_CURRENT_USER\Software\Kazaa\Transfer]
"DlDir0"="C:\\Downloads"
"ConcurrentDownloads"=dword:00000003
"ConcurrentUploads"=dword:00000002

[HKEY_CURRENT_USER\Software\Kazaa\Advanced]
"MaxSearchResult"=dword:00000064
REG
        wine regedit /S 'C:\morvane-demo.reg'
        rm -f "$c/morvane-demo.reg"
        touch "$PREFIX/.morvane-demo-seeded"
    fi
}

prepare() {
    wine_prefix_create "$PREFIX"
    wine_server_start "$PREFIX"
    seed
}

# The main window at 150 % (LogPixels 144 in the prefix, read by Wine when its processes
# start): started afresh, shot as soon as it is painted, then the prefix is set back to 100 %.
screenshot_150() {
    local file=$SHOTS/morvane-main-150.png ready=$PREFIX/drive_c/morvane-ready
    rm -f "$ready" "$file"
    wine_server_start "$PREFIX"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    wine_server_stop "$PREFIX"
    wine_server_start "$PREFIX"
    MORVANE_SCREENSHOT_READY='C:\morvane-ready' wine "$EXE" >/dev/null 2>&1 &
    local pid=$! start=$SECONDS
    while [[ ! -e $ready ]] && kill -0 "$pid" 2>/dev/null && ((SECONDS - start <= 60)); do
        sleep 0.1
    done
    if [[ -e $ready ]]; then
        sleep 0.5
        import -window root "$file"
        echo "$file"
    else
        echo "morvane.exe showed no window at 150 %" >&2
    fi
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
    wine_server_stop "$PREFIX"
    wait "$pid" 2>/dev/null || true
}

# Under Xvfb: start, wait for the window, shoot, end.
screenshot() {
    prepare
    mkdir -p "$SHOTS"
    local ready=$PREFIX/drive_c/morvane-ready
    rm -f "$ready" "$SHOT"
    local start=$SECONDS
    local started_ns
    started_ns=$(date +%s%N)
    MORVANE_SCREENSHOT_READY='C:\morvane-ready' wine "$EXE" >/dev/null 2>&1 &
    local pid=$!
    while [[ ! -e $ready ]]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "morvane.exe ended before its window was shown" >&2
            wine_server_stop "$PREFIX"
            exit 1
        fi
        if ((SECONDS - start > 60)); then
            echo "morvane.exe showed no window within 60 s" >&2
            wine_server_stop "$PREFIX"
            exit 1
        fi
        sleep 0.1
    done
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
        if wine "$CLICK" "$page" >/dev/null 2>&1; then
            sleep 0.3
            import -window root "$file"
            pages+=("$file")
        else
            echo "could not open the page $page" >&2
        fi
    done
    wine_server_stop "$PREFIX"
    wait "$pid" 2>/dev/null || true
    echo "launch to screenshot: $(((shot_ns - started_ns) / 1000000)) ms" >&2
    if ((${#pages[@]})); then
        printf '%s\n' "${pages[@]}"
    fi
    ((FILTER)) || screenshot_150
    echo "$SHOT"
}

case ${1:-} in
--under-xvfb)
    screenshot
    ;;
*)
    build >&2
    if [[ -n ${DISPLAY:-} ]]; then
        prepare
        wine "$EXE" || true
        wine_server_stop "$PREFIX"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --under-xvfb "$@"
    fi
    ;;
esac
