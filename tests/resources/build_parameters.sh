#!/usr/bin/env bash
# The build parameters: a bad referrer or package stops the build with a message
# that names the value and what is wrong, and leaves no output behind; good
# values are carried into the executable.
set -u
: "${TESSALY_SOURCE_DIR:?}" "${TESSALY_PACKAGE:?}" "${TESSALY_PYTHON:?}"

. "$(dirname "$0")/../check.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tools=$TESSALY_SOURCE_DIR/tools

# The referrer, case by case: the value and the words that must name the fault.
while IFS='|' read -r referrer reason; do
    out=$work/k7r
    message=$("$TESSALY_PYTHON" "$tools/make_install_source.py" "$referrer" "$out" 2>&1) && status=0 || status=$?
    check "referrer '$referrer' is refused: $reason" \
        bash -c '[ "$0" -ne 0 ] && grep -qF -- "$1" <<<"$2" && grep -qF -- "$3" <<<"$2"' \
        "$status" "'$referrer'" "$message" "$reason"
    check "nothing is written for '$referrer'" bash -c '! ls "$0"* >/dev/null 2>&1' "$out"
done <<'CASES'
|it is empty
https://www.velstrom.test/get|starts with a scheme
ftp:www.velstrom.test|starts with a scheme
www.velstrom.test/a b|white space
www.velstrom.test/<script>|'<', '>'
www.velstrom.test/?a=1&b=2|'&'
www.velstrom.test/%2f|'%'
www.velström.test/get|non-ASCII
/downloads/tessaly|no host name
CASES

# A package that is not an installer package, case by case.
cp "$TESSALY_PACKAGE" "$work/wrong-class.msi"
printf '\x00' | dd of="$work/wrong-class.msi" bs=1 seek=$(( ( $(od -An -tu4 -j48 -N4 "$TESSALY_PACKAGE") + 1 ) * 512 + 80 )) conv=notrunc status=none
: >"$work/empty.msi"
echo "plain text" >"$work/text.msi"
while IFS='|' read -r package reason; do
    message=$("$TESSALY_PYTHON" "$tools/check_package.py" "$package" "$work/copy.msi" 2>&1) && status=0 || status=$?
    check "package $(basename "$package") is refused: $reason" \
        bash -c '[ "$0" -ne 0 ] && grep -qF -- "$1" <<<"$2" && grep -qF -- "$3" <<<"$2"' \
        "$status" "$package" "$message" "$reason"
    check "nothing is copied for $(basename "$package")" bash -c '! ls "$0"* >/dev/null 2>&1' "$work/copy.msi"
done <<CASES
$work/missing.msi|no such file
$work/empty.msi|it is empty
$work/text.msi|not an OLE compound file
$work/wrong-class.msi|not a .msi package
CASES

# Through the build itself: a bad value stops the configuration with the
# message, and what an earlier build left there is removed.
configure() {  # prints CMake's output with its line wrapping undone
    cmake -S "$TESSALY_SOURCE_DIR" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$TESSALY_SOURCE_DIR/cmake/mingw-i686.cmake" \
        "$@" 2>&1 | tr -s '[:space:]' ' '
    return "${PIPESTATUS[0]}"
}
mkdir -p "$work/build"
echo stale >"$work/build/TessalySetup.exe"
message=$(configure -DTESSALY_REFERRER='http://x.test') && status=0 || status=$?
check "a bad referrer stops the build with its message" \
    bash -c '[ "$0" -ne 0 ] && grep -qF "the referrer '"'"'http://x.test'"'"' cannot be carried" <<<"$1"' "$status" "$message"
check "and leaves no executable behind" test ! -e "$work/build/TessalySetup.exe"

rm -rf "$work/build"
message=$(configure -DTESSALY_PACKAGE="$work/text.msi") && status=0 || status=$?
check "a bad package stops the build with its message" \
    bash -c '[ "$0" -ne 0 ] && grep -qF "cannot be carried: it is not an OLE compound file" <<<"$1"' "$status" "$message"

# Good values: another referrer and an outside package are what the executable carries.
rm -rf "$work/build"
cp "$TESSALY_PACKAGE" "$work/outside.msi"
printf 'outside' >>"$work/outside.msi"
referrer=downloads.example.test/velstrom/tessaly-setup
if configure -DTESSALY_REFERRER="$referrer" -DTESSALY_PACKAGE="$work/outside.msi" >/dev/null &&
    cmake --build "$work/build" >/dev/null 2>&1; then
    check "another referrer and package are carried" env TESSALY_EXE="$work/build/TessalySetup.exe" \
        TESSALY_REFERRER="$referrer" TESSALY_PACKAGE="$work/outside.msi" \
        "$TESSALY_PYTHON" "$TESSALY_SOURCE_DIR/tests/resources/check_resources.py"
else
    check "a build with another referrer and package succeeds" false
fi

finish
