#!/usr/bin/env bash
# Shows the programs at work on Wine.
#
# The downloader: with a display in DISPLAY its window appears there until
# the user closes it. Without one, it runs on a private Xvfb inside Wine's
# virtual desktop (so that the window has Wine's own frame), a screenshot
# goes to BUILD/screenshot.png, and the window is closed with Alt+F4.
# Either way the run log and the exit status are printed.
#
# The simulator: a virtual serial line (two pseudo-terminals from socat)
# whose one end is COM7 for Wine; a short sample block is fed from the other
# end while zorveksim reads, and its output and exit status are printed.
#
# usage: run.sh BIN_FOLDER BUILD_FOLDER
set -euo pipefail

bin=$1
build=$2
export WINEPREFIX="$build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d "${TMPDIR:-/tmp}/zorvek-run-XXXXXX")
xvfb_pid=
socat_pid=
com_link="$WINEPREFIX/dosdevices/com7"

cleanup() {
    [ -z "$socat_pid" ] || kill "$socat_pid" 2>/dev/null || true
    rm -f "$com_link"
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making a Wine prefix in $WINEPREFIX ..."
    (unset DISPLAY; wineboot -i && wineserver -w)
fi
# Debian's Wine 8 on the emulated i386 side finds no Marlett, and draws the
# caption buttons as letters without it.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"

# The server that Wine starts by itself writes to this script's streams, and
# prints its whole object table when it is stopped: start it quietly.
start_wineserver() {
    wineserver -p >/dev/null 2>&1
}
start_wineserver

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds, for at most 10 s.
wait_for() {
    local what=$1 i
    shift
    for i in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "run.sh: no $what after 10 s" >&2
    exit 1
}

show_run_log() {
    echo "--- run log (logfile.txt) ---"
    cat "$work/logfile.txt" 2>/dev/null | tr -d '\r' || echo "(none)"
    echo "--- exit status: $1 ---"
}

run_downloader_on_display() {
    echo "The Zorvek Downloader window is on $DISPLAY; close it to go on."
    local status=0
    (cd "$work" && wine "$bin/zorvekdownloader.exe") || status=$?
    show_run_log "$status"
}

run_downloader_headless() {
    local n
    for n in $(seq 90 150); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    wait_for "an X display" xdpyinfo

    # Wine's virtual desktop draws the window frame without a window manager.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null
    # The desktop that reg's start opened has no such setting: start anew.
    wineserver -k >/dev/null 2>&1 || true
    start_wineserver

    (cd "$work" && exec wine "$bin/zorvekdownloader.exe") &
    local pid=$! desktop
    desktop=$(timeout 60 xdotool search --sync --name 'Wine desktop' | head -n 1)
    sleep 3
    import -window root -crop 800x600+0+0 +repage "$build/screenshot.png"
    echo "Screenshot: $build/screenshot.png"
    xdotool windowfocus --sync "$desktop"
    xdotool key --clearmodifiers alt+F4
    local status=0
    wait "$pid" || status=$?

    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null
    show_run_log "$status"
    wineserver -k >/dev/null 2>&1 || true
    start_wineserver
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    unset DISPLAY
}

echo "=== zorvekdownloader ==="
if [ -n "${DISPLAY:-}" ]; then
    run_downloader_on_display
else
    run_downloader_headless
fi

run_simulator() {
    local sample='Hello from the line!'
    socat pty,raw,echo=0,link="$work/port" pty,raw,echo=0,link="$work/line" 2>/dev/null &
    socat_pid=$!
    wait_for "a serial pair" test -e "$work/line" -a -e "$work/port"
    ln -sfn "$work/port" "$com_link"

    # The read waits for a whole block of 32 bytes: send the sample, padded
    # with dots, once the program has set the line to 9600 baud.
    (
        until stty -F "$work/port" speed 2>/dev/null | grep -qx 9600; do sleep 0.1; done
        sleep 0.3
        { printf '%s' "$sample"; printf '%*s' $((32 - ${#sample})) '' | tr ' ' '.'; } >"$work/line"
    ) &
    local feeder=$!
    echo "$ wine zorveksim.exe COM7    (the other end sends \"$sample\" and dots)"
    local status=0
    (cd "$work" && timeout 60 wine "$bin/zorveksim.exe" COM7) | tr -d '\r' || status=$?
    # A simulator that failed early never sets the line: stop the feeder.
    kill "$feeder" 2>/dev/null || true
    wait "$feeder" 2>/dev/null || true
    echo "--- exit status: $status ---"
}

echo
echo "=== zorveksim ==="
run_simulator
