# The release package: the two programs, the Windows readme and SHA256SUMS,
# and the same zip byte for byte from a second run on other copies of the
# files, made at another time and with another umask.
source "$(dirname "$0")/lib.sh"
: "${ZORVEK_SOURCE:?}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
version=$(cat "$ZORVEK_SOURCE/VERSION")
name="zorvek-$version.zip"

bash "$ZORVEK_SOURCE/scripts/dist.sh" "$ZORVEK_BIN" "$scratch/first" >/dev/null

mkdir "$scratch/copies"
cp "$ZORVEK_BIN/zorvekdownloader.exe" "$ZORVEK_BIN/zorveksim.exe" "$scratch/copies/"
touch -d '2001-02-03 04:05:06' "$scratch/copies"/*
(umask 077 && bash "$ZORVEK_SOURCE/scripts/dist.sh" "$scratch/copies" "$scratch/second" >/dev/null)
cmp "$scratch/first/$name" "$scratch/second/$name" || fail "two runs gave different zips"

entries=$(unzip -Z1 "$scratch/first/$name" | tr '\n' ' ')
[ "$entries" = "zorvekdownloader.exe zorveksim.exe README.txt SHA256SUMS " ] || fail "entries: $entries"

mkdir "$scratch/unpacked"
unzip -q "$scratch/first/$name" -d "$scratch/unpacked"
cd "$scratch/unpacked"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match"
[ "$(cut -d' ' -f3 SHA256SUMS | tr '\n' ' ')" = "zorvekdownloader.exe zorveksim.exe README.txt " ] ||
    fail "SHA256SUMS lists: $(cat SHA256SUMS)"
for exe in zorvekdownloader.exe zorveksim.exe; do
    cmp "$exe" "$ZORVEK_BIN/$exe" || fail "$exe differs from the build"
done

# The readme as Notepad shows it: CRLF after every line, the version named.
lines=$(wc -l <README.txt)
[ "$(grep -c $'\r$' README.txt)" -eq "$lines" ] || fail "README.txt has lines without CRLF"
head -1 README.txt | grep -qF "Zorvek $version" || fail "README.txt does not name version $version"
! grep -q '@' README.txt || fail "README.txt holds an unfilled placeholder"
echo "ok"
