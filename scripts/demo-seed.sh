# The demo's client in a Wine prefix, shared by the demo and the test script's runs of the
# shipped exe. Source this file (after wine-prefix.sh), start the prefix's server, then:
#
#   demo_seed PREFIX MODE
#
# Kazaa is the target (its marker file), with its registry keys (user demo_user, download
# folder C:\Downloads, shared folders C:\Music and C:\Videos), finished and incomplete
# downloads in C:\Downloads, the filter's folders in demo_user's profile, and a song in
# C:\Music that the filter finds in the way. MODE:
#   keep     make what is missing: a re-run keeps whatever the last run did
#   filter   as keep, but the filter's folders, profile and moved files afresh
#   fresh    everything afresh, registry keys included

# Writes a file of the client's incomplete download: opaque bytes (never a colon), then the
# path the finished file is to get, a NUL and a little more opaque data.
demo_write_dat() {
    local file=$1 target=$2
    {
        printf '\x4b\x5a\x01\x00\x10\x27\x00\x00\x7f\x03\xff\xfe\x00\x00\x20\x00'
        printf 'FT-PARTIAL\x00\x00\x02\x00'
        printf '%s\x00' "$target"
        printf '\x00\x01\x02\x03\x04\x05'
    } >"$file"
}

demo_seed() {
    local prefix=$1 mode=$2
    local c=$prefix/drive_c folder
    if [[ $mode == fresh ]]; then
        for folder in Downloads Music Videos Pictures Documents FastTrackProfiles; do
            rm -rf "${c:?}/$folder"
        done
        rm -f "$prefix/.morvane-demo-seeded"
    fi
    mkdir -p "$c/Downloads" "$c/Music" "$c/Videos" "$c/Pictures" "$c/Documents" \
        "$c/FastTrackProfiles"
    # The filter moves the finished downloads away: a filter run starts from the demo's own
    # files again (the song in C:\Music stays in the way on purpose).
    if [[ $mode == filter ]]; then
        rm -f "$c/Videos/clip.avi" "$c/Pictures/photo.jpg" "$c/Documents/notes.pdf"
    fi
    local name
    for name in song.mp3 clip.avi photo.jpg notes.pdf; do
        [[ -e $c/Downloads/$name ]] || printf 'demo content of %s\r\n' "$name" >"$c/Downloads/$name"
    done
    [[ -e $c/Downloads/a1b2c3d4.dat ]] ||
        demo_write_dat "$c/Downloads/a1b2c3d4.dat" 'C:\Downloads\song2.mp3'
    [[ -e $c/Downloads/e5f6a7b8.dat ]] ||
        demo_write_dat "$c/Downloads/e5f6a7b8.dat" 'C:\Downloads\holiday video.avi'
    [[ -e $c/Downloads/0badf00d.dat ]] ||
        demo_write_dat "$c/Downloads/0badf00d.dat" 'C:\Downloads\manual.pdf'
    # The filter's folders for the demo user's profile (again for every filter run: an earlier
    # plain run may have stored the default ones).
    if [[ ! -e $c/FastTrackProfiles/demo_user.profile || $mode == filter ]]; then
        printf '%s\r\n' 'C:\Downloads' 3 2 100 'C:\Music' 'C:\Videos' 'EOF!' \
            'mp3;wav;mid;wma;' 'C:\Music' 'mpg;avi;mov;mpeg;wmv;' 'C:\Videos' \
            'bmp;jpg;jpeg;gif;tif;' 'C:\Pictures' 'doc;pdf;' 'C:\Documents' 'exe;zip;' \
            'C:\Downloads' >"$c/FastTrackProfiles/demo_user.profile"
    fi
    [[ -e $c/Music/song.mp3 ]] || printf 'an older song.mp3\r\n' >"$c/Music/song.mp3"
    # Kazaa is the target: the chooser is skipped.
    [[ -e $c/FastTrackProfiles/kazaa.id ]] || : >"$c/FastTrackProfiles/kazaa.id"

    # The client's keys, once per prefix: later runs keep what the program registered.
    if [[ ! -f $prefix/.morvane-demo-seeded ]]; then
        cat >"$c/morvane-demo.reg" <<'REG'
REGEDIT4

[-HKEY_CURRENT_USER\Software\Kazaa]

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
        local status=0
        wine_quiet wine reg import 'C:\morvane-demo.reg' || status=$?
        rm -f "$c/morvane-demo.reg"
        ((status == 0)) || return "$status"
        touch "$prefix/.morvane-demo-seeded"
    fi
}
