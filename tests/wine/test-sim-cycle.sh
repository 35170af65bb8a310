# The simulator on a virtual serial line: the whole cycle with its nine
# lines, the fixed line setting during the read, the earlier settings back
# afterwards, the received text with a zero byte and with more than one
# block waiting, and no CPU used while the read waits.
source "$(dirname "$0")/lib.sh"
start_serial_pair COM7

# run_cycle BYTES(printf escapes) SHOWN COUNT
run_cycle() {
    stty -F "$SCRATCH/port" 1200 ixon ixoff
    start_simulator COM7
    wait_port_speed 9600
    local settings
    settings=$(stty -F "$SCRATCH/port" -a)
    grep -qw -- '-ixon' <<<"$settings" || fail "XON/XOFF output flow control on during the read: $settings"
    grep -qw -- '-ixoff' <<<"$settings" || fail "XON/XOFF input flow control on during the read: $settings"

    local pid before after
    sleep 0.5
    pid=$(pid_of_exe zorveksim.exe)
    before=$(cpu_ticks "$pid")
    sleep 2
    after=$(cpu_ticks "$pid")
    [ $((after - before)) -le 3 ] || fail "the waiting read used $((after - before)) ticks of CPU in 2 s"

    printf "$1" >"$SCRATCH/line"
    expect_exit "$PROGRAM_PID" 0
    expect_file "standard output" "$SCRATCH/stdout" "Retrieving existing serial port configuration... done\r\nCreating new configuration... done\r\nApplying new configuration...Buffer contents: \"$2\"\r\n done\r\nBytes written: $3\r\nRestoring original port configuration... done\r\nClosing port...done\r\n\r\nAll done!\r\n"
    expect_file "standard error" "$SCRATCH/stderr" ""

    settings=$(stty -F "$SCRATCH/port" -a)
    grep -q '^speed 1200 baud' <<<"$settings" || fail "the earlier speed is not back: $settings"
    grep -qw 'ixon' <<<"$settings" && grep -qw 'ixoff' <<<"$settings" ||
        fail "the earlier flow control is not back: $settings"
}

run_cycle 'Zorvek says hello over the line!' 'Zorvek says hello over the line!' 32
run_cycle 'abc\0defghijklmnopqrstuvwxyz01234' 'abc' 32
# Eight bytes more than a block: only the first 32 are read.
run_cycle '0123456789abcdefghijklmnopqrstuvwxyz!!!!' '0123456789abcdefghijklmnopqrstuv' 32
timeout 2 head -c 8 "$SCRATCH/port" | cmp -s - <(printf 'wxyz!!!!') || fail "the bytes after the block were not left on the line"
