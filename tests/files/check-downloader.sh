# The downloader's program file: a PE32 for i386, GUI subsystem 4.0, that
# imports system DLLs only, and holds exactly its own resources.
source "$(dirname "$0")/lib.sh"
: "${ZORVEK_SOURCE:?}"
exe="$ZORVEK_BIN/zorvekdownloader.exe"
source_dir="$ZORVEK_SOURCE/zorvekdownloader"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check_headers "$exe" "00000002 (Windows GUI)" "COMCTL32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL "

resources=$(wrestool -l "$exe" | sed -E 's/offset=0x[0-9a-f]+ //')
expected='--type=2 --name=1 --language=1033 [type=bitmap size=16424]
--type=2 --name=2 --language=1033 [type=bitmap size=16424]
--type=2 --name=3 --language=1033 [type=bitmap size=16424]
--type=3 --name=1 --language=1033 [type=icon size=1128]
--type=3 --name=2 --language=1033 [type=icon size=4264]
--type=3 --name=3 --language=1033 [type=icon size=9640]
--type=14 --name=1 --language=1033 [type=group_icon size=48]
--type=24 --name=1 --language=1033 [size=601]'
[ "$resources" = "$expected" ] || fail "resources:
$resources"

# The manifest, byte for byte: fifteen lines with CRLF, tabs for indents.
printf '%s\r\n' \
    '<?xml version="1.0" encoding="UTF-8" standalone="yes" ?>' \
    '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">' \
    '	<assemblyIdentity name="kvor.zorvek.zorvekdownloader" processorArchitecture="x86"' \
    '		version="5.1.0.0" type="win32" />' \
    '	<description>Varnix Zorvek downloader application.</description>' \
    '	<dependency>' \
    '		<dependentAssembly>' \
    '			<assemblyIdentity type="win32"' \
    '				name="Microsoft.Windows.Common-Controls"' \
    '				version="6.0.0.0" processorArchitecture="x86"' \
    '				publicKeyToken="6595b64144ccf1df" language="*" />' \
    '		</dependentAssembly>' \
    '	</dependency>' \
    '</assembly>' \
    '' >"$scratch/expected.manifest"
wrestool -x --raw -t 24 -n 1 "$exe" >"$scratch/manifest"
cmp "$scratch/expected.manifest" "$scratch/manifest" || fail "embedded manifest differs"
cmp "$scratch/expected.manifest" "$source_dir/zorvekdownloader.exe.manifest" || fail "manifest file differs"

# The icon group: three 32-bit entries, images 1, 2 and 3 (each entry is
# width, height, colours, reserved, planes, bits, bytes, image number).
wrestool -x --raw -t 14 -n 1 "$exe" | od -An -v -tu1 -w48 | tr -s ' ' >"$scratch/group"
printf '%s\n' ' 0 0 1 0 3 0 16 16 0 0 1 0 32 0 104 4 0 0 1 0 32 32 0 0 1 0 32 0 168 16 0 0 2 0 48 48 0 0 1 0 32 0 168 37 0 0 3 0' |
    cmp -s - "$scratch/group" || fail "icon group: $(cat "$scratch/group")"

# Icons and bitmaps as extracted are the committed artwork.
# zorvek.ico holds its directory (6 + 3 x 16 bytes), then the three images.
offset=54
for n in 1 2 3; do
    wrestool -x --raw -t 3 -n "$n" "$exe" >"$scratch/image$n"
    size=$(stat -c %s "$scratch/image$n")
    cmp -s -i "$offset:0" -n "$size" "$source_dir/zorvek.ico" "$scratch/image$n" ||
        fail "icon image $n differs from zorvek.ico"
    offset=$((offset + size))
done
[ "$offset" -eq "$(stat -c %s "$source_dir/zorvek.ico")" ] || fail "zorvek.ico holds more than three images"
for n in 1 2 3; do
    wrestool -x -t 2 -n "$n" "$exe" >"$scratch/bitmap$n.bmp"
    cmp "$scratch/bitmap$n.bmp" "$source_dir/zorvek.bmp" || fail "bitmap $n differs from zorvek.bmp"
done
# Each bitmap: 40-byte header, 64 x 64, 1 plane, 32 bits, no compression,
# 16,384 image bytes, 2,835 pixels per metre both ways.
wrestool -x --raw -t 2 -n 1 "$exe" >"$scratch/bitmap"
header=$(head -c 40 "$scratch/bitmap" | od -An -v -tu4 -w40 | tr -s ' ')
[ "$header" = " 40 64 64 2097153 0 16384 2835 2835 0 0" ] || fail "bitmap header: $header"
echo "ok"
