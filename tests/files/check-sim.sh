# The simulator's program file: a PE32 for i386, console subsystem 4.0,
# importing KERNEL32 and msvcrt only, and holding no resources.
set -euo pipefail
: "${ZORVEK_BIN:?}"
exe="$ZORVEK_BIN/zorveksim.exe"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE file"
grep -qP '^Magic\s+010b\s+\(PE32\)' <<<"$headers" || fail "not PE32"
grep -qP '^Subsystem\s+00000003\s+\(Windows CUI\)' <<<"$headers" || fail "not the console subsystem"
grep -qP '^MajorSubsystemVersion\s+4$' <<<"$headers" || fail "subsystem major version"
grep -qP '^MinorSubsystemVersion\s+0$' <<<"$headers" || fail "subsystem minor version"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
[ "$imports" = "KERNEL32.DLL MSVCRT.DLL " ] || fail "imports: $imports"
resources=$(wrestool -l "$exe" 2>&1 || true)
grep -q 'contains no resources' <<<"$resources" || fail "resources: $resources"
echo "ok"
