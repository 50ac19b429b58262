#!/usr/bin/env bash
# The command line of the real program: help, with the keys, and version
# without a display, a refusal in a line with the usage and status 2, no
# display in a line with status 1, a bad library file in a line with status 2,
# the file left as it was; truth tables and test files without a display,
# from --library or --keep.
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
run 0 "^  Ctrl+Z  *undo the last edit of the board" headless "$1" --help
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

# Chips checked without a display: NAND; NOT7, a NOT on the last of 7
# inputs; W24 and W25, 24 and 25 inputs and nothing else.
cat >"$work/lib.json" <<'END'
{"format": "vorplex-library", "version": 1, "definitions": [
  {"kind":1,"id":24603,"inputs":"00","outputs":"0"}, {"kind":0,"id":17291,"inputs":"0","outputs":"0"},
  {"kind":2,"id":31845,"inputs":"00","outputs":"0","parts":[0,1],"connections":[[0,0,24603,0],[0,1,24603,1],[24603,0,17291,0],[17291,0,0,0]]},
  {"kind":3,"id":10002,"inputs":"0000000","outputs":"0","parts":[1],"connections":[[0,6,17291,0],[17291,0,0,0]]},
  {"kind":4,"id":10003,"inputs":"000000000000000000000000","outputs":""},
  {"kind":5,"id":10004,"inputs":"0000000000000000000000000","outputs":""}],
 "chips": [{"name":"NAND","definition":2}, {"name":"NOT7","definition":3}, {"name":"W24","definition":4}, {"name":"W25","definition":5}]}
END
run 2 "^vorplex: $work/none.json: no such file$" headless "$1" table NAND --library "$work/none.json"
run 2 "^vorplex: W25 has 25 inputs; a truth table takes at most 24$" headless "$1" table W25 --library "$work/lib.json"
headless "$1" table W24 --library "$work/lib.json" | head -2 | tail -1 | grep -qE '^(0 +){24}\| \| 0$' ||
    { echo "FAIL: no table of 24 inputs"; failures=$((failures + 1)); }
printf '# rows that pass, 64 at a time\nchip NOT7\na b c d e f g | y\nx x x x x x 0 | 1\nsettle 0\nx x x x x x 1 | 0\nchip NAND\na b | y\n1 x | x\n' >"$work/pass"
run 0 "^$work/pass: 3 rows passed, 0 failed$" headless "$1" test "$work/pass" --library "$work/lib.json"
printf 'chip NAND\na b | y\n1 x | 1\nx 0 | 1\nsettle 1\n1 1 | 0\n' >"$work/fail"
run 1 "^$work/fail:3: NAND a=1 b=1: expected y=1, came y=0 after 2 calls$" headless "$1" test "$work/fail" --library "$work/lib.json"
run 1 "^$work/fail:6: NAND a=1 b=1: expected y=0 within 1 call, came y=0 after 2 calls$" headless "$1" test "$work/fail" --library "$work/lib.json"
printf 'chip NAND\na b | y\n0 0 | 1\n0 1 1\n' >"$work/malformed"
run 2 "^vorplex: $work/malformed:4: no \"|\" between inputs and outputs$" headless "$1" test "$work/malformed" --library "$work/lib.json"
# NAND with its first input named a and its output bé: the table's header;
# a test header that calls a named pin otherwise, input or output, refused.
# NOT7's names no header can hold: those columns are free.
sed 's/"definition":2}/"definition":2,"pins":{"inputs":["a",""],"outputs":["b\\u00e9"]}}/; s/"version": 1/"version": 3/;
     s/"definition":3}/"definition":3,"pins":{"inputs":["chip","x y","#","|","","",""],"outputs":[""]}}/' \
    "$work/lib.json" >"$work/named.json"
run 0 "^a in1 | bé | calls$" headless "$1" table NAND --library "$work/named.json"
printf 'chip NAND\na any | bé\n1 1 | 0\nchip NOT7\na b c d e f g | y\nx x x x x x 1 | 0\n' >"$work/named"
run 0 "^$work/named: 2 rows passed, 0 failed$" headless "$1" test "$work/named" --library "$work/named.json"
printf 'chip NAND\n# the pins\nc b | bé\n1 1 | 0\n' >"$work/renamed"
run 2 "^vorplex: $work/renamed:3: input 0 of NAND is a, not c$" headless "$1" test "$work/renamed" --library "$work/named.json"
printf 'chip NAND\na b | y\n1 1 | 0\n' >"$work/renamed"
run 2 "^vorplex: $work/renamed:2: output 0 of NAND is bé, not y$" headless "$1" test "$work/renamed" --library "$work/named.json"
# --keep reads the user's library: in $XDG_DATA_HOME when it is absolute, else in ~/.local/share.
mkdir -p "$work/data/vorplex" "$work/home/.local/share/vorplex"
cp "$work/lib.json" "$work/data/vorplex/library.json"
run 0 "^1   1   | 0    | 2$" env XDG_DATA_HOME="$work/data" HOME="$work/nowhere" "$1" table NAND --keep
mv "$work/data/vorplex/library.json" "$work/home/.local/share/vorplex/library.json"
run 0 "^1   1   | 0    | 2$" env -u XDG_DATA_HOME HOME="$work/home" "$1" table NAND --keep
cd "$work" && run 0 "^1   1   | 0    | 2$" env XDG_DATA_HOME=data HOME="$work/home" "$1" table NAND --keep
echo '{"format": "vorplex-library", "version": 1, "definitions": [], "chips": [{"name": "X", "definition": 3}]}' >"$work/chips.json"
cp "$work/chips.json" "$work/before.json"
run 2 '^vorplex: chips.json: chip "X": no definition 3$' "$1" --library "$work/chips.json"
cmp -s "$work/chips.json" "$work/before.json" || { echo "FAIL: the bad library file was changed"; failures=$((failures + 1)); }
exit $((failures > 0))
