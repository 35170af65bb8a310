# Makes the Wine prefix that this test run shares, once, before the tests
# run: concurrent first starts of Wine fail at random.
set -euo pipefail
: "${ZORVEK_PREFIX:?}"
export WINEPREFIX="$ZORVEK_PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
wineboot -i
wineserver -w
test -d "$WINEPREFIX/drive_c/windows/syswow64" || test -d "$WINEPREFIX/drive_c/windows/system32"
