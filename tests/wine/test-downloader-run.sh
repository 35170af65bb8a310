# A user starts the downloader, types and moves the mouse over its window,
# then closes it with Alt+F4: the window stays open until then, the run log
# replaces an older one with exactly five lines, the redirected standard
# output holds exactly two lines, command-line arguments change nothing, and
# the exit status is 0.
source "$(dirname "$0")/lib.sh"
start_display

run_and_close() {
    start_downloader "$@"
    local window
    window=$(wait_window "$WINDOW_TITLE")
    press_keys "$window" a b Return space
    xdotool mousemove --sync 200 200 mousemove --sync 260 240
    sleep 0.5
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "keys or mouse moves ended the program"
    probe_window | grep -qx 'found=yes' || fail "the window went away"
    press_keys "$window" alt+F4
    expect_exit "$PROGRAM_PID" 0
    expect_file "run log" "$SCRATCH/logfile.txt" \
        'Registering window class\r\ninit common controls\r\nShowing window.\r\nEntering message loop.\r\nUnregistering class\r\n'
    expect_file "standard output" "$SCRATCH/stdout" 'Debug console opened.\r\nCreating window.\r\n'
}

# An older, longer run log is replaced, not appended to.
head -c 5000 /dev/zero | tr '\0' 'x' >"$SCRATCH/logfile.txt"
run_and_close
run_and_close --help /s "C:\\some file.txt"
