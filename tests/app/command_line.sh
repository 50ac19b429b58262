#!/usr/bin/env bash
# The command line of the real program: help and version without a display,
# a refusal in a line with the usage and status 2, no display in a line with status 1, a
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
    if [ "$got" != "$status" ] || ! grep -q -- "$pattern" "$work/out"; then
        echo "FAIL: $* gave status $got and printed: $(cat "$work/out")"
        failures=$((failures + 1))
    fi
}
headless() { env -u DISPLAY "$@"; }
run 0 "--library FILE" headless "$1" --help
run 0 "^vorplex [0-9]" headless "$1" --version
run 2 "^vorplex: The following argument was not expected: --colour" "$1" --colour
run 2 "Usage: vorplex" "$1" --colour
run 2 "^vorplex: --window: big is not WIDTHxHEIGHT, such as 1280x800" "$1" --window big
# The sizes at the limits are taken (the run goes on to look for a display);
# one pixel beyond is refused.
for size in 640x480 16384x16384; do run 1 "^vorplex: cannot open the display" headless "$1" --window $size; done
for size in 639x480 640x479 16385x480 640x16385; do
    run 2 "^vorplex: --window: $size is outside 640x480 to 16384x16384" "$1" --window $size
done
run 1 "^vorplex: cannot open the display" headless "$1"
run 2 "^vorplex: --library excludes --keep" "$1" --keep --library "$work/chips.json"
# --keep's library: in $XDG_DATA_HOME when it is absolute, else in ~/.local/share.
run 0 " /data/vorplex/library.json," env XDG_DATA_HOME=/data HOME=/home/u "$1" --help
for data in "" relative/data; do
    run 0 " /home/u/.local/share/vorplex/library.json," env XDG_DATA_HOME=$data HOME=/home/u "$1" --help
done
run 0 " /home/u/.local/share/vorplex/library.json," env -u XDG_DATA_HOME HOME=/home/u "$1" --help
echo '{"format": "vorplex-library", "version": 1, "definitions": [], "chips": [{"name": "X", "definition": 3}]}' >"$work/chips.json"
cp "$work/chips.json" "$work/before.json"
run 2 '^vorplex: chips.json: chip "X": no definition 3$' "$1" --library "$work/chips.json"
cmp -s "$work/chips.json" "$work/before.json" || { echo "FAIL: the bad library file was changed"; failures=$((failures + 1)); }
exit $((failures > 0))
