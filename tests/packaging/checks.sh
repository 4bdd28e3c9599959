# The helpers of the packaging checks, sourced by each: a failed check is
# counted and reported, and the checks go on, so that one run names every
# fault; finish ends the script with the count.
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# finish WHAT MESSAGE: fails when any check did, else prints MESSAGE.
finish() {
    [ "$failures" -eq 0 ] || {
        echo "$failures $1 checks failed" >&2
        exit 1
    }
    echo "$2"
}
