# Shared checks of a program file's headers.
set -euo pipefail
: "${ZORVEK_BIN:?}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# check_headers EXE SUBSYSTEM IMPORTS: a PE32 for i386 with subsystem
# version 4.0, the subsystem as objdump names it ("00000002 (Windows GUI)"),
# and exactly these imported DLLs (upper case, sorted, space after each).
check_headers() {
    local headers subsystem imports
    headers=$(i686-w64-mingw32-objdump -p "$1")
    grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE file"
    grep -qP '^Magic\s+010b\s+\(PE32\)' <<<"$headers" || fail "not PE32"
    subsystem=$(sed -n -E 's/^Subsystem\s+//p' <<<"$headers" | tr -s '\t' ' ')
    [ "$subsystem" = "$2" ] || fail "subsystem: $subsystem"
    grep -qP '^MajorSubsystemVersion\s+4$' <<<"$headers" || fail "subsystem major version"
    grep -qP '^MinorSubsystemVersion\s+0$' <<<"$headers" || fail "subsystem minor version"
    imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
    [ "$imports" = "$3" ] || fail "imports: $imports"
}
