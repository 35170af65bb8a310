# The simulator's failures as a user meets them: no port name, a port that
# does not exist, and an ordinary file given as the port, also with both
# streams going into one file.
source "$(dirname "$0")/lib.sh"

run_simulator() {
    local status=0
    (cd "$SCRATCH" && timeout 60 wine "$SIMULATOR" "$@" >"$SCRATCH/stdout" 2>"$SCRATCH/stderr") || status=$?
    echo "$status"
}

expect_equal "status without a port name" 2 "$(run_simulator)"
expect_file "standard output without a port name" "$SCRATCH/stdout" ""
expect_file "usage" "$SCRATCH/stderr" 'usage: zorveksim <PORT>\r\n'

expect_equal "status for a missing port" 2 "$(run_simulator COM9)"
expect_file "standard output for a missing port" "$SCRATCH/stdout" ""
expect_file "error for a missing port" "$SCRATCH/stderr" 'error: Unable to open serial port "COM9".\r\n'

echo "not a serial port" >"$SCRATCH/plain.txt"
expect_equal "status for a plain file" 2 "$(run_simulator plain.txt)"
expect_file "standard output for a plain file" "$SCRATCH/stdout" 'Retrieving existing serial port configuration...'
expect_file "error for a plain file" "$SCRATCH/stderr" 'error: Unable to retrieve port communications configuration.\r\n'
expect_equal "the plain file" "not a serial port" "$(cat "$SCRATCH/plain.txt")"

status=0
(cd "$SCRATCH" && timeout 60 wine "$SIMULATOR" plain.txt >"$SCRATCH/both" 2>&1) || status=$?
expect_equal "status with one file for both streams" 2 "$status"
expect_file "progress before the error in one file" "$SCRATCH/both" \
    'Retrieving existing serial port configuration...error: Unable to retrieve port communications configuration.\r\n'
