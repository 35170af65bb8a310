# When the run log cannot be opened (a folder named logfile.txt is in the
# way), the program shows its box and, once the user has closed it, runs
# normally without a run log and ends with status 0.
source "$(dirname "$0")/lib.sh"
start_display

mkdir "$SCRATCH/logfile.txt"
start_downloader
box=$(wait_window "Error")
sleep 0.5
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended at the box"
press_keys "$box" Return
window=$(wait_window "$WINDOW_TITLE")
press_keys "$window" alt+F4
expect_exit "$PROGRAM_PID" 0
test -d "$SCRATCH/logfile.txt" || fail "the folder in the way was touched"
expect_equal "folder contents" "" "$(ls -A "$SCRATCH/logfile.txt")"
expect_file "standard output" "$SCRATCH/stdout" 'Debug console opened.\r\nCreating window.\r\n'
