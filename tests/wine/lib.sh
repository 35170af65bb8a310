# Shared set-up for the tests of the real programs on Wine. A test sources
# this file, then calls start_display when it needs a screen. Everything it
# starts (Xvfb, Wine, scratch files) goes away when the test ends, passed or
# failed.

set -euo pipefail

: "${ZORVEK_BIN:?}" "${ZORVEK_PREFIX:?}"

export WINEPREFIX="$ZORVEK_PREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

DOWNLOADER="$ZORVEK_BIN/zorvekdownloader.exe"
WINDOWPROBE="$ZORVEK_BIN/windowprobe.exe"
WINDOW_CLASS="ZorvekDownloaderWindowClass"
WINDOW_TITLE="Zorvek Downloader"

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zorvek-wine-XXXXXX")
XVFB_PID=
CLEANUP_HOOKS=()

cleanup() {
    local hook
    for hook in "${CLEANUP_HOOKS[@]}"; do "$hook" || true; done
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect_equal WHAT EXPECTED ACTUAL
expect_equal() {
    [ "$2" = "$3" ] || fail "$1: expected $(printf '%q' "$2"), got $(printf '%q' "$3")"
}

# expect_file WHAT PATH EXPECTED_BYTES: compares a file with exact bytes
# (printf-style escapes in EXPECTED_BYTES).
expect_file() {
    printf "$3" >"$SCRATCH/expected"
    cmp -s "$SCRATCH/expected" "$2" ||
        fail "$1: expected $(od -c "$SCRATCH/expected" | head -20) got $(od -c "$2" 2>&1 | head -20)"
}

# Starts a private X server and makes it the display of this test.
start_display() {
    local n
    for n in $(seq 90 150); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    done
    fail "no X display could be started"
}

# Starts the downloader in the scratch folder, in the background; sets
# PROGRAM_PID. Standard output and standard error go to files there.
start_downloader() {
    (cd "$SCRATCH" && exec wine "$DOWNLOADER" "$@" >"$SCRATCH/stdout" 2>"$SCRATCH/stderr") &
    PROGRAM_PID=$!
}

# wait_window TITLE: waits for a top-level X window with exactly that title
# and prints its id.
wait_window() {
    timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 ||
        fail "no window titled '$1' appeared"
}

# Presses keys on a window as a user would: focus it, then type.
press_keys() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers "$@"
}

# expect_exit PID STATUS: waits for the program to end, at most 30 s, and
# checks its exit status.
expect_exit() {
    local i
    for i in $(seq 300); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && fail "the program did not end"
    local status=0
    wait "$1" || status=$?
    expect_equal "exit status" "$2" "$status"
}

# Asks the window manager side about the main window, from a Win32 program.
probe_window() {
    wine "$WINDOWPROBE" "$WINDOW_CLASS" "$WINDOW_TITLE" | tr -d '\r'
}

# The CPU time, in clock ticks, that a process and its threads have used.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# The pid of the process running an exe with this name.
pid_of_exe() {
    pgrep -f -n "$1" || fail "no process runs $1"
}

SIMULATOR="$ZORVEK_BIN/zorveksim.exe"
SOCAT_PID=
COM_LINK=

stop_serial_pair() {
    [ -z "$SOCAT_PID" ] || kill "$SOCAT_PID" 2>/dev/null || true
    [ -z "$COM_LINK" ] || rm -f "$COM_LINK"
}
CLEANUP_HOOKS+=(stop_serial_pair)

# start_serial_pair COMn: a virtual serial line of two pseudo-terminals. The
# program gets $SCRATCH/port as COMn; the test talks on $SCRATCH/line.
start_serial_pair() {
    socat pty,raw,echo=0,link="$SCRATCH/port" pty,raw,echo=0,link="$SCRATCH/line" 2>/dev/null &
    SOCAT_PID=$!
    local i
    for i in $(seq 50); do
        [ -e "$SCRATCH/port" ] && [ -e "$SCRATCH/line" ] && break
        sleep 0.1
    done
    [ -e "$SCRATCH/port" ] || fail "socat made no serial pair"
    COM_LINK="$WINEPREFIX/dosdevices/$(tr 'A-Z' 'a-z' <<<"$1")"
    ln -sfn "$SCRATCH/port" "$COM_LINK"
}

# Starts the simulator in the scratch folder, in the background; sets
# PROGRAM_PID.
start_simulator() {
    (cd "$SCRATCH" && exec wine "$SIMULATOR" "$@" >"$SCRATCH/stdout" 2>"$SCRATCH/stderr") &
    PROGRAM_PID=$!
}

# Waits until the program side of the line runs at this speed.
wait_port_speed() {
    local i
    for i in $(seq 300); do
        stty -F "$SCRATCH/port" speed 2>/dev/null | grep -qx "$1" && return 0
        sleep 0.1
    done
    fail "the port never ran at $1 baud: $(stty -F "$SCRATCH/port" -a | head -n 1)"
}
