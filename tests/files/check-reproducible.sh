# Two clean builds of one source tree, copied into two folders of different
# names and depths, give the same program files byte for byte with each
# toolchain. Usage: check-reproducible.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
scratch=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$scratch"
trees=("$scratch/a/zorvek" "$scratch/second-folder/deeper/zorvek-copy")
for tree in "${trees[@]}"; do
    mkdir -p "$tree"
    for entry in "$source_dir"/*; do
        [ "$(basename "$entry")" = build ] || cp -r "$entry" "$tree/"
    done
done

for preset in gnu llvm; do
    for tree in "${trees[@]}"; do
        (cd "$tree" && cmake --preset "$preset" >build.log 2>&1 && cmake --build --preset "$preset" -j "$(nproc)" >>build.log 2>&1) ||
            fail "$preset build in $tree failed: $(tail -20 "$tree/build.log")"
    done
    case $preset in
        gnu) bin=build/win32/bin ;;
        llvm) bin=build/win32-llvm/bin ;;
    esac
    count=0
    for exe in "${trees[0]}/$bin"/*.exe; do
        name=$(basename "$exe")
        cmp "$exe" "${trees[1]}/$bin/$name" || fail "$preset: $name differs between the two builds"
        count=$((count + 1))
    done
    [ "$count" -ge 3 ] || fail "$preset: only $count program files built"
    [ "$(ls "${trees[1]}/$bin"/*.exe | wc -l)" -eq "$count" ] || fail "$preset: the builds made different files"
    echo "$preset: $count program files equal"
done
rm -rf "$scratch"
