#!/usr/bin/env bash
# Makes the release package, the zip that a Windows user downloads:
# both programs, a plain-text readme (CRLF line ends) and SHA256SUMS.
# Usage: dist.sh BIN_DIR OUT_DIR; writes OUT_DIR/zorvek-<version>.zip.
#
# Two runs on the same commit give the same zip byte for byte: fixed file
# order, modes and time stamps (the commit's time, or SOURCE_DATE_EPOCH),
# and no owner or extended time fields.
set -euo pipefail
bin_dir=$1
out_dir=$2
root=$(cd "$(dirname "$0")/.." && pwd)

version=$(tr -d '\r\n' <"$root/VERSION")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "dist: bad version in VERSION: $version" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || {
        echo "dist: not a git checkout; set SOURCE_DATE_EPOCH" >&2
        exit 1
    }
fi

files=(zorvekdownloader.exe zorveksim.exe README.txt SHA256SUMS)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

for exe in zorvekdownloader.exe zorveksim.exe; do
    [ -f "$bin_dir/$exe" ] || { echo "dist: $bin_dir/$exe is missing" >&2; exit 1; }
    cp "$bin_dir/$exe" "$stage/"
done
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/package/README.txt" >"$stage/README.txt"
(cd "$stage" && sha256sum zorvekdownloader.exe zorveksim.exe README.txt >SHA256SUMS)

chmod 644 "${files[@]/#/$stage/}"
touch -d "@$SOURCE_DATE_EPOCH" "${files[@]/#/$stage/}"

mkdir -p "$out_dir"
zip_file="$out_dir/zorvek-$version.zip"
rm -f "$zip_file"
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$stage/package.zip" "${files[@]}")
mv "$stage/package.zip" "$zip_file"
echo "$zip_file"
