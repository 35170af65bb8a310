# The simulator's program file: a PE32 for i386, console subsystem 4.0,
# importing KERNEL32 and msvcrt only, and holding no resources.
source "$(dirname "$0")/lib.sh"
exe="$ZORVEK_BIN/zorveksim.exe"

check_headers "$exe" "00000003 (Windows CUI)" "KERNEL32.DLL MSVCRT.DLL "
resources=$(wrestool -l "$exe" 2>&1 || true)
grep -q 'contains no resources' <<<"$resources" || fail "resources: $resources"
echo "ok"
