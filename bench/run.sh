#!/usr/bin/env bash
# Measures both programs against the floors that the same toolchain builds,
# on one Wine, side by side in one run, and prints the figures and how they
# were taken. It fails only when it cannot measure.
#
# usage: bench/run.sh OUT_DIR NAME=BUILD_DIR...
#   for example: bench/run.sh build/bench gnu=build/win32 llvm=build/win32-llvm
# Each BUILD_DIR holds bin/ (the programs) and bench/ (the floors). The
# report also goes to OUT_DIR/report.txt. CYCLE_ROUNDS (default 200) and
# START_ROUNDS (default 60) set the number of measured rounds of the two
# timings, WARMUP (default 3) the rounds before them, REST_SECONDS
# (default 5) the length of each CPU-at-rest window.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OUT_DIR NAME=BUILD_DIR..." >&2; exit 2; }

out_dir=$(mkdir -p "$1" && cd "$1" && pwd)
shift
builds=("$@")
CYCLE_ROUNDS=${CYCLE_ROUNDS:-200}
START_ROUNDS=${START_ROUNDS:-60}
WARMUP=${WARMUP:-3}
REST_SECONDS=${REST_SECONDS:-5}

here=$(cd "$(dirname "$0")" && pwd)
export ZORVEK_PREFIX="$out_dir/wine-prefix"
export ZORVEK_BIN="$(cd "${builds[0]#*=}" && pwd)/bin"
source "$here/../tests/wine/lib.sh"

SAMPLE_BLOCK='Zorvek bench block of 32 bytes!!'
RESULTS="$SCRATCH/results.tsv"
: >"$RESULTS"

# A run that goes wrong means that nothing can be measured.
cannot_measure() {
    echo "bench: cannot measure: $*" >&2
    exit 1
}

# --- One timed run of each kind; each sets RUN_MS. -----------------------
# (Not in command substitutions: cannot_measure must end the whole run.)

set_run_ms() {
    RUN_MS=$(awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) * 1000 }')
}

# time_cycle EXE: the whole cycle of a simulator-like program, start to
# exit, with one block already waiting on the line.
time_cycle() {
    printf '%s' "$SAMPLE_BLOCK" >"$SCRATCH/line"
    sleep 0.05
    time_exit "$1"
}

# time_exit EXE: a console program, start to exit, given the port name as
# every program of the comparison is.
time_exit() {
    local start end status=0
    start=$EPOCHREALTIME
    (cd "$SCRATCH" && exec timeout 30 wine "$1" COM7 >"$SCRATCH/stdout" 2>"$SCRATCH/stderr") || status=$?
    end=$EPOCHREALTIME
    [ "$status" -eq 0 ] || cannot_measure "$(basename "$1") ended with status $status: $(cat "$SCRATCH/stderr")"
    set_run_ms "$start" "$end"
}

# open_window EXE: starts a window program in the background and returns
# once xev sees its window mapped on the X screen; sets WINDOW_PID, and
# STARTED_AT and MAPPED_AT for the times of the start and of the mapping.
open_window() {
    local line
    # Start on a quiet screen: the previous window's last events are read.
    while IFS= read -r -t 0.3 line <&"${XEVENTS[0]}"; do :; done
    STARTED_AT=$EPOCHREALTIME
    (cd "$SCRATCH" && exec wine "$1" >/dev/null 2>&1) &
    WINDOW_PID=$!
    while :; do
        IFS= read -r -t 30 line <&"${XEVENTS[0]}" || cannot_measure "no window of $(basename "$1") was mapped"
        [[ $line == MapNotify* ]] && break
    done
    MAPPED_AT=$EPOCHREALTIME
}

# close_window: ends the window program. Not with Alt+F4: without a window
# manager, Wine waits 2 s at every window's end for a withdrawn state that
# no one sets, which would only slow the run down.
close_window() {
    kill -KILL "$WINDOW_PID"
    wait "$WINDOW_PID" 2>/dev/null || true
}

# time_window EXE: start until the window is on screen; closing is untimed.
time_window() {
    open_window "$1"
    set_run_ms "$STARTED_AT" "$MAPPED_AT"
    close_window
}

# measure KIND ROUNDS TIMER=EXE...: WARMUP rounds, then ROUNDS rounds of
# one run of each program; the order turns by one place every round, so
# that each program comes first, second and so on equally often.
measure() {
    local kind=$1 rounds=$2
    shift 2
    local programs=("$@") count=$# round i
    for ((round = 0; round < WARMUP + rounds; round++)); do
        for ((i = 0; i < count; i++)); do
            local entry=${programs[(round + i) % count]}
            local exe=${entry#*=}
            "${entry%%=*}" "$exe"
            ((round < WARMUP)) || printf '%s\t%s\t%d\t%s\n' "$kind" "$(basename "$exe" .exe)" "$round" "$RUN_MS" >>"$RESULTS"
        done
    done
}

# --- Figures. -----------------------------------------------------------

# summary KIND PROGRAM: one line of run-time statistics in milliseconds.
summary() {
    awk -F'\t' -v kind="$1" -v program="$2" '$1 == kind && $2 == program { print $4 }' "$RESULTS" |
        sort -g |
        awk -v program="$2" '
            { v[++n] = $1; total += $1 }
            END {
                mean = total / n
                for (i = 1; i <= n; i++) ss += (v[i] - mean) ^ 2
                median = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
                printf "  %-18s runs %3d  total %9.1f  mean %7.2f  sd %6.2f  min %7.2f  median %7.2f  max %7.2f\n",
                    program, n, total, mean, sqrt(ss / (n > 1 ? n - 1 : 1)), v[1], median, v[n]
            }'
}

# ratio KIND PROGRAM FLOOR GOAL: the ratio of the totals over all rounds,
# with its spread: a 95% interval from resampling the rounds (2,000 times,
# fixed seed), and the percentiles of the ratios within single rounds. A few
# disturbed runs can move a total; the ratio without the rounds in which a
# run took over three times its program's median shows how much.
ratio() {
    awk -F'\t' -v kind="$1" -v program="$2" -v floor="$3" '
        $1 == kind && $2 == program { p[$3] = $4 }
        $1 == kind && $2 == floor { f[$3] = $4 }
        END { for (r in p) if (r in f && f[r] > 0) print p[r] / f[r], p[r], f[r] }' "$RESULTS" |
        sort -g |
        awk -v program="$2" -v floor="$3" -v goal="$4" '
            function sort_values(a, n,   i, j, t) {
                for (i = 2; i <= n; i++)
                    for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
            }
            # The value at this fraction of a sorted array.
            function at(a, n, fraction) { return a[int((n - 1) * fraction) + 1] }
            { n++; q[n] = $1; pv[n] = $2; fv[n] = $3; pt += $2; ft += $3 }
            END {
                total = pt / ft
                srand(1)
                for (k = 1; k <= 2000; k++) {
                    sp = 0; sf = 0
                    for (i = 1; i <= n; i++) { r = int(rand() * n) + 1; sp += pv[r]; sf += fv[r] }
                    boot[k] = sp / sf
                }
                sort_values(boot, 2000)
                low = at(boot, 2000, 0.025); high = at(boot, 2000, 0.975)
                verdict = (total <= goal ? "met" : "missed")
                if (low <= goal && goal < high) verdict = verdict ", but the interval reaches both sides of it"
                printf "  ratio of totals %s / %s: %.4f, 95%% interval %.3f to %.3f (goal: at most %.2f, %s)\n",
                    program, floor, total, low, high, goal, verdict

                for (i = 1; i <= n; i++) { ps[i] = pv[i]; fs[i] = fv[i] }
                sort_values(ps, n); sort_values(fs, n)
                pm = at(ps, n, 0.5); fm = at(fs, n, 0.5)
                for (i = 1; i <= n; i++)
                    if (pv[i] <= 3 * pm && fv[i] <= 3 * fm) { cp += pv[i]; cf += fv[i] } else dropped++
                printf "  without the %d rounds in which a run took over 3 x its median: %.3f\n", dropped, cp / cf
                printf "  ratios within single rounds: 10%% %.3f, median %.3f, 90%% %.3f\n",
                    at(q, n, 0.1), at(q, n, 0.5), at(q, n, 0.9)
            }'
}

# rest_figure WHAT EXE_NAME: the CPU clock ticks that the running program
# uses in REST_SECONDS, after a second to settle.
rest_figure() {
    local pid before after ticks hz
    sleep 1
    pid=$(pid_of_exe "$2")
    before=$(cpu_ticks "$pid")
    sleep "$REST_SECONDS"
    after=$(cpu_ticks "$pid")
    ticks=$((after - before))
    hz=$(getconf CLK_TCK)
    printf '  %-34s %d ticks in %d s (one tick is %d ms; goal: 0, %s)\n' "$1" "$ticks" "$REST_SECONDS" \
        $((1000 / hz)) "$([ "$ticks" -eq 0 ] && echo met || echo missed)"
}

size_figure() {
    local size
    size=$(stat -c %s "$1")
    if [ -n "${2:-}" ]; then
        printf '  %-22s %7d bytes  (budget %d KiB = %d bytes, %s)\n' "$(basename "$1")" "$size" "$2" \
            $(($2 * 1024)) "$([ "$size" -le $(($2 * 1024)) ] && echo met || echo missed)"
    else
        printf '  %-22s %7d bytes\n' "$(basename "$1")" "$size"
    fi
}

# --- The run. -----------------------------------------------------------

machine() {
    local i386=native
    [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && i386="under $(qemu-i386 --version | head -n 1)"
    echo "Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "Machine: $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores, $(uname -sr)"
    echo "Wine: $(wine --version), one prefix and one wineserver for every run; i386 code runs $i386"
}

start_wine() {
    bash "$here/../tests/wine/make-prefix.sh" >/dev/null 2>&1 || cannot_measure "no Wine prefix could be made"
    start_display
    wineserver -p >/dev/null 2>&1
    start_serial_pair COM7
    coproc XEVENTS { stdbuf -oL xev -root -event substructure 2>/dev/null; }
    sleep 0.5
    # Wine ends its desktop process about a second after the last window
    # program has gone, and the next start pays for a new one. A window that
    # stays open for the whole run keeps it, as the shell keeps the desktop
    # on Windows. The clean-up stops it with the wineserver.
    open_window "$ZORVEK_BIN/../bench/window_floor.exe"
}

report() {
    machine
    cat <<EOF
Method: each round runs every program of a comparison once, in an order that
turns by one place each round. $WARMUP rounds of warm-up are not counted;
then $CYCLE_ROUNDS rounds of the simulator's cycle and $START_ROUNDS of the downloader's start are.
Times are wall-clock, in milliseconds, taken by the shell around each run.
The simulator's cycle runs on a socat pseudo-terminal pair mapped as COM7,
with the 32 bytes written to the line before the start; it ends when the
program exits. The downloader's start ends when xev sees its window mapped
on the X screen (Xvfb, no window manager); each start waits for 0.3 s
without X events first, and one more window of the bare program stays open
throughout, so that Wine's desktop process lives on between runs, as the
desktop does on Windows. CPU at rest is the user and system time of the
program's process, from /proc, while it waits.
EOF
    local build name dir
    for build in "${builds[@]}"; do
        name=${build%%=*}
        dir=$(cd "${build#*=}" && pwd) || cannot_measure "no build folder ${build#*=}"
        local bin=$dir/bin floors=$dir/bench
        for exe in "$bin/zorveksim.exe" "$bin/zorvekdownloader.exe" "$floors/empty.exe" \
            "$floors/sim_floor.exe" "$floors/window_floor.exe"; do
            [ -f "$exe" ] || cannot_measure "$exe is missing; build it first"
        done

        echo
        echo "== Toolchain: $name ($dir)"
        echo
        echo "Simulator cycle, start to exit (ms):"
        measure "$name.cycle" "$CYCLE_ROUNDS" time_cycle="$floors/sim_floor.exe" time_cycle="$bin/zorveksim.exe" \
            time_exit="$floors/empty.exe"
        summary "$name.cycle" sim_floor
        summary "$name.cycle" zorveksim
        summary "$name.cycle" empty
        ratio "$name.cycle" zorveksim sim_floor 1.05
        [ "$(timeout 1 head -c 1 "$SCRATCH/port" | wc -c)" -eq 0 ] || cannot_measure "bytes were left on the line"

        echo
        echo "Downloader start, until the window is on screen (ms):"
        measure "$name.start" "$START_ROUNDS" time_window="$floors/window_floor.exe" time_window="$bin/zorvekdownloader.exe"
        summary "$name.start" window_floor
        summary "$name.start" zorvekdownloader
        ratio "$name.start" zorvekdownloader window_floor 1.05

        echo
        echo "CPU at rest:"
        open_window "$bin/zorvekdownloader.exe"
        rest_figure "zorvekdownloader, window open:" zorvekdownloader.exe
        close_window

        (cd "$SCRATCH" && exec wine "$bin/zorveksim.exe" COM7 >/dev/null 2>&1) &
        local pid=$!
        wait_port_speed 9600
        rest_figure "zorveksim, blocked in its read:" zorveksim.exe
        printf '%s' "$SAMPLE_BLOCK" >"$SCRATCH/line"
        expect_exit "$pid" 0

        echo
        echo "File sizes:"
        size_figure "$bin/zorveksim.exe" 64
        size_figure "$bin/zorvekdownloader.exe" 128
        size_figure "$floors/empty.exe"
        size_figure "$floors/sim_floor.exe"
        size_figure "$floors/window_floor.exe"
    done
}

start_wine
# Not a pipeline: the report needs the xev stream, which subshells lose.
exec > >(tee "$out_dir/report.txt")
report
