#!/usr/bin/env bash
# Runs every test: the native build (emulated platform, sanitizers), then the 32-bit and
# 64-bit Windows builds under Wine, each in a Wine prefix of its own build folder: their test
# suites, then the shipped morvane.exe itself, started and ended as a user would.
# Prints CTest's summaries and the exe's runs, and exits non-zero when anything fails; a build
# that fails is reported in the summary and its tests are skipped.
set -euo pipefail

cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh
source scripts/demo-seed.sh
jobs=$(nproc)

# The Windows suites that can run here. Where 32-bit programs cannot run (or
# MORVANE_WINE64_ONLY=1 asks for it) the 32-bit exe is still built and checked, but its suite
# is skipped and Wine goes through its 64-bit loader.
wine_presets=(win32 win64)
skip_line=
if wine_64bit_only; then
    wine_presets=(win64)
    skip_line="win32 suite skipped: $(wine_64bit_only_why)"
fi

# Inner parts, run inside Xvfb: a command in the build's own prefix, with one wineserver warmed
# up before it; its output is kept in a log file. Ends the script with the command's code.
in_prefix() { # preset, log file, command...
    prefix=$PWD/build/$1/wineprefix
    local log=$2
    shift 2
    wine_prefix_create "$prefix"
    trap 'wine_server_stop "$prefix"' EXIT
    wine_server_start "$prefix"
    "$@" 2>&1 | tee "$log"
    exit "${PIPESTATUS[0]}"
}

if [[ ${1:-} == --wine-ctest ]]; then
    in_prefix "$2" "build/$2/ctest.log" ctest --preset "$2"
fi

# The shipped exe, driven from outside by morvane_drive.exe on the demo's client, seeded afresh
# in the build's prefix. Each step has a deadline and prints what it saw when it fails; the
# first failure ends the run (the server's stop ends whatever is left).
exe_step() { # what, command...
    local what=$1 log rc=0 started_ns
    shift
    log=$(mktemp "${TMPDIR:-/tmp}/morvane-step.XXXXXX")
    started_ns=$(date +%s%N)
    "$@" </dev/null >"$log" 2>&1 || rc=$?
    if ((rc == 0)); then
        echo "ok   $what ($((($(date +%s%N) - started_ns) / 1000000)) ms)"
    else
        echo "FAIL $what:"
        sed 's/^/       /' "$log"
    fi
    rm -f "$log"
    return "$rc"
}

exe_drive() {
    local rc=0
    timeout 90 wine "$exe_drive_path" "$@" || rc=$?
    if ((rc == 124)); then
        echo "morvane_drive.exe $* did not finish within 90 s"
    fi
    return "$rc"
}

exe_to_tray() {
    exe_drive click "GO TO TRAY" && exe_drive tray
}

exe_start() { # [arguments]
    wine "$exe_path" "$@" >/dev/null 2>&1 &
    exe_pid=$!
}

exe_ended() { # seconds [code]: the exe ends within them, with code 0 (or the one given)
    local deadline=$(($(date +%s) + $1)) code=0 want=${2:-0}
    while kill -0 "$exe_pid" 2>/dev/null; do
        if (($(date +%s) >= deadline)); then
            echo "still running after $1 s"
            return 1
        fi
        sleep 0.05
    done
    wait "$exe_pid" || code=$?
    if ((code != want)); then
        echo "ended with code $code, not $want"
        return 1
    fi
}

# A later start with arguments, run to its end: its exit code must be the one given.
exe_code() { # code, arguments...
    local want=$1 code=0
    shift
    timeout 60 wine "$exe_path" "$@" >/dev/null 2>&1 || code=$?
    if ((code != want)); then
        echo "morvane.exe $* ended with code $code, not $want"
        return 1
    fi
}

# The client's registry value as reg query prints it: "NAME TYPE DATA".
exe_reg_is() { # key, value, data
    local line
    line=$(wine reg query "HKCU\\Software\\Kazaa\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')
    if [[ $line != "$3" ]]; then
        echo "reg query $1 /v $2 gives \"$line\", not \"$3\""
        return 1
    fi
}

# ps shows a Windows program by the path it was started with, or as its Windows path.
exe_none_left() { # [count]: that many left running (none when not given)
    local left
    left=$(ps -eo args | awk -v exe="${exe_path,,}" '{ a = tolower($0); gsub(/\\/, "/", a);
        sub(/^z:/, "", a); if (a ~ "^" exe "( |$)") print }')
    if [[ $(grep -c . <<<"$left") -ne ${1:-0} ]]; then
        echo "running, not ${1:-0}: ${left:-none}"
        return 1
    fi
}

# A line of a stored profile: 2 downloads, 3 uploads, 4 search results.
exe_profile_line() { # profile, line, value
    local got
    got=$(sed -n "$2p" "$c/FastTrackProfiles/$1.profile" 2>/dev/null | tr -d '\r')
    if [[ $got != "$3" ]]; then
        echo "line $2 of $1.profile is \"$got\", not \"$3\""
        return 1
    fi
}

exe_moved() { # from, to, seconds
    local deadline=$(($(date +%s) + $3))
    until [[ -e $2 && ! -e $1 ]]; do
        if (($(date +%s) >= deadline)); then
            echo "after $3 s: $( [[ -e $1 ]] && echo "$1 is still there" || echo "$1 is gone")," \
                "$( [[ -e $2 ]] && echo "$2 exists" || echo "$2 does not exist")"
            return 1
        fi
        sleep 0.1
    done
}

# STOP FILTER clicked while a timer pass moves thousands of downloads: the pass ends there, the
# rest stays in the download folder, and the stop line is the report's last. The downloads go
# in with one rename, so that the next tick's pass lists them all.
exe_stop_in_pass() { # drive_c
    local c=$1 n=6000 i left rows again moved deadline
    rm -rf "$c/Incoming" "$c/Downloads.before" && mkdir "$c/Incoming" || return
    for ((i = 0; i < n; i++)); do : >"$c/Incoming/long-$i.mp3"; done
    mv "$c/Downloads" "$c/Downloads.before" && mv "$c/Incoming" "$c/Downloads" || return
    long_left() { find "$c/Downloads" -name 'long-*' | grep -c . || true; }
    deadline=$(($(date +%s) + 15))
    until (($(long_left) < n)); do
        if (($(date +%s) >= deadline)); then
            echo "no pass began within 10 s + 5 s"
            return 1
        fi
        sleep 0.02
    done
    exe_drive click "STOP FILTER" || return
    left=$(long_left)
    rows=$(exe_drive rows "Filter Actions:" | tr -d '\r') || { echo "$rows"; return 1; }
    again=$(long_left)
    moved=$(grep -c '^long-[0-9]*\.mp3 moved to C:\\Music$' <<<"$rows" || true)
    echo "$((n - left)) of $n moved before the stop, $left left, $again left after reading" \
        "the report, $moved moves reported; its last line: $(tail -n 1 <<<"$rows")"
    ((left > 0 && left < n && again == left && moved == n - left)) &&
        [[ $(tail -n 1 <<<"$rows") == "Filter stopped at "* ]] || return
    rm -rf "$c/Downloads" && mv "$c/Downloads.before" "$c/Downloads"
}

exe_run() { # preset
    local prefix=$PWD/build/$1/wineprefix
    local c=$prefix/drive_c
    exe_path=$PWD/build/$1/morvane.exe
    exe_drive_path=$PWD/build/$1/morvane_drive.exe
    exe_step "seed the demo's client afresh" demo_seed "$prefix" fresh || return

    # Started, shown with its controls, filtering on its timer, closed with its close box.
    exe_start
    exe_step "main window shown, painted and answering" exe_drive wait 60 || return
    exe_step "control table's controls shown, the client's settings in them" \
        exe_drive expect Static "FastTrack Application Profile Manager" Static Kazaa \
        Static demo_user Edit demo_user Edit 2 Edit 3 Edit 100 \
        Button GENERAL Button "SHARED FOLDERS" Button "DOWNLOAD FOLDER" \
        Button "DOWNLOAD FILTER" Button "REGISTER PROFILE" Button "START FILTER" Button EXIT \
        Button "CHECK FOR UPDATES" ListBox "" || return
    # The pages behind the one in front are out of sight.
    exe_step "DOWNLOAD FOLDER clicked" exe_drive click "DOWNLOAD FOLDER" || return
    exe_step "its page shows the client's download folder" \
        exe_drive expect Edit 'C:\Downloads' Button ... || return
    exe_step "START FILTER clicked" exe_drive click "START FILTER" || return
    printf 'a download finished after the start\r\n' >"$c/Downloads/after-start.mp3"
    exe_step "a download dropped after the start moved by the timer within 10 s + 5 s" \
        exe_moved "$c/Downloads/after-start.mp3" "$c/Music/after-start.mp3" 15 || return
    exe_step "STOP FILTER in a pass over 6000 downloads ends it: the rest stays, the stop line last" \
        exe_stop_in_pass "$c" || return
    exe_step "START FILTER clicked again" exe_drive click "START FILTER" || return
    exe_step "GO TO TRAY: window hidden behind its notification icon" exe_to_tray || return
    exe_step "close box: window gone, notification icon removed" exe_drive close 10 || return
    exe_step "process ended with code 0" exe_ended 10 || return
    exe_step "no morvane.exe left running" exe_none_left || return

    # Started again, a value typed and not left, ended by the close box; once more, ended by
    # EXIT. Neither end moves the focus: the value must be stored all the same.
    exe_start
    exe_step "main window shown again" exe_drive wait 60 || return
    exe_step "9 typed into Maximum Uploads" exe_drive type "Maximum Uploads" 9 || return
    exe_step "close box" exe_drive close 10 || return
    exe_step "process ended with code 0" exe_ended 10 || return
    exe_step "the profile file holds the 9 typed" exe_profile_line demo_user 3 9 || return
    exe_start
    exe_step "main window shown again" exe_drive wait 60 || return
    exe_step "77 typed into Max Search Results" exe_drive type "Max Search Results" 77 || return
    exe_step "EXIT clicked" exe_drive click EXIT || return
    exe_step "process ended at once with code 0" exe_ended 5 || return
    exe_step "the profile file holds the 77 typed" exe_profile_line demo_user 4 77 || return
    exe_step "no morvane.exe left running" exe_none_left || return
    exe_requests
}

# The command line and the one instance, on the demo's client seeded afresh, with two more
# stored profiles: "other", and "odd" whose download count no registry number holds.
exe_requests() {
    exe_step "seed the demo's client afresh" demo_seed "$prefix" fresh || return
    printf '%s\r\n' 'C:\Other' 7 6 150 'C:\Shared' 'EOF!' >"$c/FastTrackProfiles/other.profile"
    printf '%s\r\n' 'C:\Odd' 99999999999 6 150 'EOF!' >"$c/FastTrackProfiles/odd.profile"
    wine reg add 'HKCU\Software\Kazaa\UserDetails' /v UserName /d before_user /f >/dev/null 2>&1

    exe_start /bogus
    exe_step "an unknown argument shows the usage" exe_drive answer 30 "/register NAME" || return
    exe_step "and ends with code 4" exe_ended 10 4 || return
    exe_step "/register other: ends with 0" exe_code 0 /register other /quiet || return
    exe_step "the client's keys hold other's values" eval 'exe_reg_is UserDetails UserName other &&
        exe_reg_is LocalContent Dir0 "012345:C:\Shared" && exe_reg_is Transfer DlDir0 "C:\Other" &&
        exe_reg_is Transfer ConcurrentUploads 0x6' || return
    exe_step "the client's previous settings kept as a profile" \
        test -s "$c/FastTrackProfiles/before_user.profile" || return
    exe_start /register nobody
    exe_step "/register of a missing profile says so" exe_drive answer 30 'no profile named "nobody"' ||
        return
    exe_step "and ends with code 1" exe_ended 10 1 || return
    exe_step "/register of a refused value ends with 3" exe_code 3 -REGISTER odd /quiet || return
    mv "$c/FastTrackProfiles/kazaa.id" "$c/kazaa.id"
    local rc=0
    exe_step "/register without a marked client ends with 2" exe_code 2 /register other /quiet ||
        rc=$?
    mv "$c/kazaa.id" "$c/FastTrackProfiles/kazaa.id" && ((rc == 0)) || return

    # One instance: a later /register switches the running window's profile; a later start
    # brings the hidden window back and ends; /filter starts the filter and goes to the tray.
    exe_start
    exe_step "started again" exe_drive wait 60 || return
    exe_step "/register demo_user while running ends with 0" exe_code 0 /register demo_user || return
    exe_step "the running window shows demo_user" exe_drive expect Static demo_user Edit demo_user \
        || return
    exe_step "and demo_user's download folder" eval \
        'exe_drive click "DOWNLOAD FOLDER" && exe_drive expect Edit "C:\Downloads"' || return
    exe_step "the client's keys hold demo_user's" exe_reg_is UserDetails UserName demo_user || return
    exe_step "START FILTER, GO TO TRAY" eval 'exe_drive click "START FILTER" && exe_to_tray' ||
        return
    exe_step "a second start ends with 0" exe_code 0 || return
    exe_step "and the first window is shown again, on the running filter's page" \
        eval 'exe_drive wait 20 && exe_drive expect Static "FILTER RUNNING"' || return
    exe_step "one morvane.exe running" exe_none_left 1 || return
    # The 32-bit exe finds the 64-bit one, where both can run.
    if [[ $exe_path == */win64/* && -f build/win32/morvane.exe ]] && ! wine_64bit_only; then
        exe_step "a start of the 32-bit exe ends with 0" \
            eval 'exe_path=$PWD/build/win32/morvane.exe exe_code 0' || return
        exe_step "one morvane.exe running" exe_none_left 1 || return
    fi
    exe_step "close box" exe_drive close 10 || return
    exe_step "process ended with code 0" exe_ended 10 || return
    exe_step "seed the demo's downloads again" demo_seed "$prefix" filter || return
    exe_start /filter
    exe_step "/filter: in the tray" exe_drive tray 60 || return
    exe_step "a finished download moved by the first pass" \
        exe_moved "$c/Downloads/clip.avi" "$c/Videos/clip.avi" 5 || return

    # /register to the running filter: stopped, the profile registered, started again through
    # the same-drive check, back in the tray; a profile copied in since the start is found,
    # and its destination on another drive refuses the start, with the message on the window.
    exe_step "/register other to the running filter ends with 0" exe_code 0 /register other ||
        return
    exe_step "the filter started again: back in the tray" exe_drive tray 10 || return
    exe_step "the client's keys hold other's" exe_reg_is UserDetails UserName other || return
    printf '%s\r\n' 'C:\Far' 2 2 50 'EOF!' 'mp3;' 'D:\Music' >"$c/FastTrackProfiles/far.profile"
    local running=$exe_pid
    exe_start /register far
    exe_step "/register far (copied in): the start refused with its message" \
        exe_drive answer 30 "Filter Folders Are No Longer On The Same Drive" || return
    exe_step "and ends with 0" exe_ended 30 || return
    exe_pid=$running
    exe_step "the client's keys hold far's" exe_reg_is UserDetails UserName far || return
    exe_step "the window is shown, the filter stopped" \
        eval 'exe_drive wait 20 && ! exe_drive expect Static "FILTER RUNNING"' || return
    exe_step "close box" exe_drive close 10 || return
    exe_step "process ended with code 0" exe_ended 10 || return
    exe_step "no morvane.exe left running" exe_none_left || return

    # The end of the session (log-off, shut-down) with a value typed and not left.
    exe_step "seed the demo's client afresh" demo_seed "$prefix" fresh || return
    exe_start
    exe_step "started again" exe_drive wait 60 || return
    exe_step "5 typed into Maximum Downloads" exe_drive type "Maximum Downloads" 5 || return
    exe_step "wineboot --end-session ends the session" timeout 60 wineboot --end-session ||
        return
    exe_step "process ended with code 0" exe_ended 20 || return
    exe_step "the profile file holds the 5 typed" exe_profile_line demo_user 2 5 || return
    exe_step "no morvane.exe left running" exe_none_left
}

if [[ ${1:-} == --wine-exe ]]; then
    in_prefix "$2" "build/$2/exe-run.log" exe_run "$2"
fi

# The exe must load on a bare system: only system DLLs, and on 32-bit nothing XP lacks.
check_imports() { # preset, objdump
    local exe=build/$1/morvane.exe imports bad
    imports=$("$2" -p "$exe" | awk '/DLL Name:/ { dll = toupper($3); print dll; next }
        dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll ":" $3 }')
    bad=$(grep -v -x -E 'ADVAPI32.DLL|COMCTL32.DLL|GDI32.DLL|KERNEL32.DLL|MSVCRT.DLL|OLE32.DLL|OLEACC.DLL|OLEAUT32.DLL|SHELL32.DLL|USER32.DLL|[A-Z0-9.]+:.*' <<<"$imports" || true)
    if [[ $1 == win32 ]]; then
        bad+=$(grep -E ':(GetTickCount64|(Initialize|Acquire|Release|TryAcquire)SRWLock[A-Za-z]*|InitializeConditionVariable|SleepConditionVariable[A-Z]+|WakeAllConditionVariable|WakeConditionVariable|InitOnce[A-Za-z]+|Fls(Alloc|Free|GetValue|SetValue)|GetSystemTimePreciseAsFileTime|(CompareString|LCMapString|GetLocaleInfo)Ex|Create(Event|Mutex|Semaphore)Ex[AW]|CancelIoEx|GetFileInformationByHandleEx|SetFileInformationByHandle|GetFinalPathNameByHandle[AW]|CreateSymbolicLink[AW]|WaitOnAddress|WakeByAddress[A-Za-z]+)$' <<<"$imports" || true)
    fi
    if [[ -n $bad ]]; then
        echo "$exe imports what a bare system lacks:"
        echo "$bad"
        return 1
    fi
}

started=$SECONDS
bash scripts/install-deps.sh

failed=()
run_ctest() { # name, command...
    local name=$1
    shift
    if ! "$@"; then
        failed+=("$name")
    fi
}

# Configures and builds a preset with every core; a failure is noted (the compiler's output
# is above) and the preset's tests are skipped.
built=()
build_preset() { # preset
    echo "== $1: build"
    rm -f "build/$1/ctest.log" "build/$1/exe-run.log"
    if cmake --preset "$1" >/dev/null && cmake --build "build/$1" -j"$jobs"; then
        built+=("$1")
    else
        failed+=("build $1")
    fi
}
was_built() { [[ " ${built[*]} " == *" $1 "* ]]; }

build_preset native
if was_built native; then
    echo "== native: test"
    run_ctest native bash -c "set -o pipefail; ctest --preset native -j$jobs 2>&1 | tee build/native/ctest.log"
fi

echo "== fuzz: a few seconds per target"
if ! bash scripts/fuzz.sh 5 | tee build/fuzz.log; then
    failed+=(fuzz)
fi

for preset in win32 win64; do
    build_preset "$preset"
done

wine_started=$SECONDS
if [[ -n $skip_line ]]; then
    echo "== $skip_line"
fi
for preset in "${wine_presets[@]}"; do
    was_built "$preset" || continue
    echo "== $preset: test under Wine"
    run_ctest "$preset" xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/test.sh --wine-ctest "$preset"
    echo "== $preset: morvane.exe started and ended under Wine"
    run_ctest "$preset morvane.exe run" \
        xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/test.sh --wine-exe "$preset"
done
wine_seconds=$((SECONDS - wine_started))

echo
echo "== Summary"
for preset in native "${wine_presets[@]}"; do
    echo "-- $preset"
    if [[ -f build/$preset/ctest.log ]]; then
        sed -n '/tests passed/,$p' "build/$preset/ctest.log" | grep -v '^Total Test time' || true
    else
        echo "not tested: its build failed"
    fi
    if [[ $preset != native ]]; then
        echo "-- $preset morvane.exe run"
        cat "build/$preset/exe-run.log" 2>/dev/null || echo "not run: its build failed"
    fi
done
if [[ -n $skip_line ]]; then
    echo "-- $skip_line"
fi
echo "-- fuzz"
grep '^fuzz ' build/fuzz.log || true
for preset in win32 win64; do
    if [[ -f build/$preset/morvane.exe ]]; then
        echo "-- $preset morvane.exe: $(stat -c %s "build/$preset/morvane.exe") bytes"
        objdump=$([[ $preset == win32 ]] && echo i686 || echo x86_64)-w64-mingw32-objdump
        check_imports "$preset" "$objdump" || failed+=("$preset imports")
        # The release exe reads no environment variables, the test hooks' names included.
        if grep -q -a 'MORVANE_' "build/$preset/morvane.exe"; then
            echo "build/$preset/morvane.exe names a MORVANE_ variable"
            failed+=("$preset environment")
        fi
    elif was_built "$preset"; then
        echo "-- $preset morvane.exe: MISSING"
        failed+=("$preset exe")
    else
        echo "-- $preset morvane.exe: not built"
    fi
done
echo "-- time: $((SECONDS - started)) s in all, $wine_seconds s under Wine"

if [[ ${#failed[@]} -gt 0 ]]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All tests passed."
