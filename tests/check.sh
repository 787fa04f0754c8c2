# The shell tests' way of reporting, sourced by each of them: one line a check,
# and a closing count that CI reads.

failures=0
checks=0

check() {  # check "what" command...: runs the command, reports the result
    local what=$1
    shift
    checks=$((checks + 1))
    if "$@"; then
        echo "  ok: $what"
    else
        echo "  FAILED: $what"
        failures=$((failures + 1))
    fi
}

not() { ! "$@"; }

finish() {
    echo "$(basename "$0" .sh): $((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
