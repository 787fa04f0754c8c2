# Helpers for the release tests, which build the executable again in folders
# of their own from a copy of the source tree.
: "${TESSALY_SOURCE_DIR:?}"

. "$(dirname "${BASH_SOURCE[0]}")/../check.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Copies the source tree (the files git knows or would add) to $1.
copy_source() {
    mkdir -p "$1"
    (cd "$TESSALY_SOURCE_DIR" && git ls-files -co --exclude-standard -z | xargs -0 cp --parents -t "$1")
}

# Configures and builds the executable from source $1 in folder $2; the rest
# are CMake definitions. Prints CMake's messages with its line wrapping undone.
build_exe() {
    local source=$1 build=$2
    shift 2
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@" >"$build.log" 2>&1 &&
        cmake --build "$build" >>"$build.log" 2>&1
    local status=$?
    tr -s '[:space:]' ' ' <"$build.log"
    return $status
}
