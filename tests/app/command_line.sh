#!/usr/bin/env bash
# The command line of the real program: help and version without a display,
# a refusal in a line with the usage, no display in a line with status 1, a
# bad library file in a line with status 2, the file left as it was.
#   command_line.sh PATH/TO/vorplex
set -u
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
failures=0
# run STATUS PATTERN ARGUMENT...: the status, and the pattern in what it printed.
run() {
    local status=$1 pattern=$2 got
    shift 2
    "$@" >"$work/out" 2>&1
    got=$?
    if ! { [ "$status" = any ] && [ $got -ne 0 ] || [ "$got" = "$status" ]; } || ! grep -q -- "$pattern" "$work/out"; then
        echo "FAIL: $* gave status $got and printed: $(cat "$work/out")"
        failures=$((failures + 1))
    fi
}
headless() { env -u DISPLAY "$@"; }
run 0 "--library FILE" headless "$1" --help
run 0 "^vorplex [0-9]" headless "$1" --version
run any "^vorplex: The following argument was not expected: --colour" "$1" --colour
run any "Usage: vorplex" "$1" --colour
run any "^vorplex: --window: 600x600 is outside 640x480 to 16384x16384" "$1" --window 600x600
run any "^vorplex: --window:" "$1" --window wide
run 1 "^vorplex: cannot open the display" headless "$1"
echo '{"format": "vorplex-library", "version": 1, "definitions": [], "chips": [{"name": "X", "definition": 3}]}' >"$work/chips.json"
cp "$work/chips.json" "$work/before.json"
run 2 '^vorplex: chips.json: chip "X": no definition 3$' "$1" --library "$work/chips.json"
cmp -s "$work/chips.json" "$work/before.json" || { echo "FAIL: the bad library file was changed"; failures=$((failures + 1)); }
exit $((failures > 0))
