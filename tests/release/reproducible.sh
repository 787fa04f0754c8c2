#!/usr/bin/env bash
# Two builds from copies of the source in different folders, made at different
# times, give byte-identical executables and packages.
set -u
. "$(dirname "$0")/lib.sh"

for n in 1 2; do
    copy_source "$work/source-$n"
    find "$work/source-$n" -exec touch -d "@$((1700000000 + n * 86400))" {} +
    build_exe "$work/source-$n" "$work/build-$n" >/dev/null || echo "build $n failed: $(tail -c 2000 "$work/build-$n.log")"
done

for file in TessalySetup.exe res/VelstromTessaly.msi; do
    first=$(sha256sum <"$work/build-1/$file" | cut -d' ' -f1)
    second=$(sha256sum <"$work/build-2/$file" | cut -d' ' -f1)
    echo "  $file: $first / $second"
    check "$file is the same in both builds" [ -n "$first" -a "$first" = "$second" ]
done
finish
