# The main window as other programs see it: its class, title and styles, a
# top-level window shown normally; the common controls of version 6 are the
# ones loaded; and the idle window uses no CPU, so no stream of paint
# messages keeps it busy.
source "$(dirname "$0")/lib.sh"
start_display

WINEDEBUG=+loaddll start_downloader
window=$(wait_window "$WINDOW_TITLE")
sleep 1

info=$(probe_window)
grep -qx 'found=yes' <<<"$info" || fail "FindWindowA found no window: $info"
grep -qx "class=$WINDOW_CLASS" <<<"$info" || fail "class: $info"
grep -qx "title=$WINDOW_TITLE" <<<"$info" || fail "title: $info"
grep -qx 'classstyle=0x00000008' <<<"$info" || fail "class style: $info"
# The program asks for no extended style; the platform adds WS_EX_WINDOWEDGE
# (0x100) to every window with a caption and a sizing frame.
grep -qx 'exstyle=0x00000100' <<<"$info" || fail "extended style: $info"
grep -qx 'visible=1' <<<"$info" || fail "visible: $info"
grep -qx 'iconic=0' <<<"$info" || fail "iconic: $info"
grep -qx 'parent=none' <<<"$info" || fail "parent: $info"
style=$(sed -n 's/^style=//p' <<<"$info")
# Shown, so WS_VISIBLE joins the styles the program asked for.
expect_equal "window style" 0x16cf0000 "$style"

# Every common-controls library that the process loaded is version 6, from
# the side-by-side store that the manifest points to.
loads=$(grep -i 'Loaded .*comctl32\.dll' "$SCRATCH/stderr" || true)
[ -n "$loads" ] || fail "no common controls loaded"
if grep -v -i -F 'winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.' <<<"$loads"; then
    fail "common controls other than version 6 loaded: $loads"
fi

pid=$(pid_of_exe zorvekdownloader.exe)
before=$(cpu_ticks "$pid")
sleep 3
after=$(cpu_ticks "$pid")
[ $((after - before)) -le 3 ] || fail "the idle window used $((after - before)) ticks of CPU in 3 s"

press_keys "$window" alt+F4
expect_exit "$PROGRAM_PID" 0
