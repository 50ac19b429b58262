#!/usr/bin/env bash
# The command line of the real program: help, with the keys, and version
# without a display, a refusal in a line with the usage and status 2, no
# display in a line with status 1, a bad library file or a --library in no
# folder in a line with status 2, the file left as it was; truth tables and
# test files without a display, from --library or --keep, and their messages;
# on a display, nothing of the graphics library's own lines; traces, and a
# trace read back through the waveform viewer's own converters. Every run has
# 10 s at most: an editor opened where it should not be fails at once.
#   command_line.sh PATH/TO/vorplex
set -u
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
failures=0
# run STATUS PATTERN ARGUMENT...: the status, and the pattern in what it printed.
run() {
    local status=$1 pattern=$2 got
    shift 2
    timeout 10 "$@" >"$work/out" 2>&1
    got=$?
    if [ "$got" != "$status" ] || { [ -n "$pattern" ] && ! grep -q -- "$pattern" "$work/out"; } ||
        { [ -z "$pattern" ] && [ -s "$work/out" ]; }; then
        echo "FAIL: $* gave status $got and printed: $(cat "$work/out")"
        failures=$((failures + 1))
    fi
}
headless="env -u DISPLAY"
run 0 "--library FILE" $headless "$1" --help
run 0 "^  Ctrl+Z  *undo the last edit of the board" $headless "$1" --help
# The README's tables list every press and key as --help does, in its order.
readme="$(dirname "$0")/../../README.md"
diff <(timeout 10 $headless "$1" --help | sed -n '/^The mouse in the editor/,$p' | sed -n 's/^  \(.*[^ ]\)  \+\(.*\)$/| \1 | \2 |/p') \
     <(grep -E '^\| [^|]+ \| [^|]+ \|$' "$readme" | grep -v -E '^\| (keys|the mouse|benchmark) ') >"$work/keys" ||
    { echo "FAIL: the README's keys differ from --help's: $(cat "$work/keys")"; failures=$((failures + 1)); }
run 0 "^vorplex [0-9]" $headless "$1" --version
run 2 "^vorplex: The following argument was not expected: --colour" "$1" --colour
run 2 "Usage: vorplex" "$1" --colour
run 2 "^vorplex: --window: big is not WIDTHxHEIGHT, such as 1280x800" "$1" --window big
# The sizes at the limits are taken (the run goes on to look for a display);
# one pixel beyond is refused.
for size in 640x480 16384x16384; do run 1 "^vorplex: cannot open the display" $headless "$1" --window $size; done
for size in 639x480 640x479 16385x480 640x16385; do
    run 2 "^vorplex: --window: $size is outside 640x480 to 16384x16384" "$1" --window $size
done
run 1 "^vorplex: cannot open the display" $headless "$1"
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
run 2 "^vorplex: $work/none.json: no such file$" $headless "$1" table NAND --library "$work/none.json"
run 2 "^vorplex: W25 has 25 inputs; a truth table takes at most 24$" $headless "$1" table W25 --library "$work/lib.json"
timeout 10 $headless "$1" table W24 --library "$work/lib.json" | head -2 | tail -1 | grep -qE '^(0 +){24}\| \| 0$' ||
    { echo "FAIL: no table of 24 inputs"; failures=$((failures + 1)); }
printf '# rows that pass, 64 at a time\nchip NOT7\na b c d e f g | y\nx x x x x x 0 | 1\nsettle 0\nx x x x x x 1 | 0\nchip NAND\na b | y\n1 x | x\n' >"$work/pass"
run 0 "^$work/pass: 3 rows passed, 0 failed$" $headless "$1" test "$work/pass" --library "$work/lib.json"
printf 'chip NAND\na b | y\n1 x | 1\nx 0 | 1\nsettle 1\n1 1 | 0\n' >"$work/fail"
run 1 "^$work/fail:3: NAND a=1 b=1: expected y=1, came y=0 after 2 calls$" $headless "$1" test "$work/fail" --library "$work/lib.json"
run 1 "^$work/fail:6: NAND a=1 b=1: expected y=0 within 1 call, came y=0 after 2 calls$" $headless "$1" test "$work/fail" --library "$work/lib.json"
printf 'chip NAND\na b | y\n0 0 | 1\n0 1 1\n' >"$work/malformed"
run 2 "^vorplex: $work/malformed:4: no \"|\" between inputs and outputs$" $headless "$1" test "$work/malformed" --library "$work/lib.json"
# Counts in the singular and the plural, a header refused at its own line, a
# chip not found with the nearest names, case aside.
printf 'chip NAND\n\na | y\n' >"$work/header"
run 2 "^vorplex: $work/header:3: NAND has 2 inputs and 1 output, the header names 1 and 1$" $headless "$1" test "$work/header" --library "$work/lib.json"
printf 'chip NAND\na b | y\n1 | 0\n' >"$work/row"
run 2 "^vorplex: $work/row:3: a row of 1 input and 1 output under a header of 2 and 1$" $headless "$1" test "$work/row" --library "$work/lib.json"
run 2 "^vorplex: no chip \"nand\" in $work/lib.json (did you mean NAND?)$" $headless "$1" table nand --library "$work/lib.json"
printf '# no such chip\nchip NOT8\na b | y\n' >"$work/unknown"
run 2 "^vorplex: $work/unknown:2: no chip \"NOT8\" in $work/lib.json (did you mean NOT7 or NOT?)$" $headless "$1" test "$work/unknown" --library "$work/lib.json"
# A --library in a folder that does not exist is refused before anything
# opens, for the editor and the checks alike; --keep makes its own folder.
for command in "" "table NAND"; do
    run 2 "^vorplex: $work/none/lib.json: the folder $work/none does not exist$" $headless "$1" $command --library "$work/none/lib.json"
done
run 1 "^vorplex: cannot open the display" $headless XDG_DATA_HOME="$work/none" "$1" --keep
# A NAND traced on rows held to 150 steps, its inputs changing at the edges
# of 64 steps: the output follows them two steps late (an AND, then a NOT),
# in the VCD as written and as the viewer's converters read it back.
# steps FILE: the values of a VCD's wires at each step, a line per step.
steps() {
    awk '/^\$var/ { code[$4] = n++ } /^#/ { t = substr($0, 2) + 0; end = t }
         /^[01x]/ { change[t, code[substr($0, 2)]] = substr($0, 1, 1) }
         END { for (s = 0; s < end; s++) { line = s; for (i = 0; i < n; i++) { if ((s, i) in change) v[i] = change[s, i]; line = line " " v[i] }; print line } }' "$1"
}
{ echo "# a b"; for t in $(seq 0 99); do echo "$(((t / 8) % 2)) $(((t / 3) % 2))  # step $t"; echo; done; } >"$work/rows"
for t in $(seq 0 149); do
    r=$((t < 100 ? t : 99)) p=$((t < 102 ? t - 2 : 97))
    echo "$t $(((r / 8) % 2)) $(((r / 3) % 2)) $((t < 2 ? 1 : !(((p / 8) % 2) && ((p / 3) % 2))))"
done >"$work/expected"
run 0 "" $headless "$1" trace NAND --library "$work/lib.json" --inputs "$work/rows" --steps 150 --vcd "$work/nand.vcd"
steps "$work/nand.vcd" | diff -q - "$work/expected" >/dev/null || { echo "FAIL: the trace of NAND"; failures=$((failures + 1)); }
if command -v vcd2fst >/dev/null && command -v fst2vcd >/dev/null; then
    vcd2fst "$work/nand.vcd" "$work/nand.fst" && fst2vcd "$work/nand.fst" >"$work/back.vcd"
    steps "$work/back.vcd" | diff -q - "$work/expected" >/dev/null && grep -q '^\s*1s$' "$work/back.vcd" ||
        { echo "FAIL: the trace of NAND read back through vcd2fst and fst2vcd"; failures=$((failures + 1)); }
else
    echo "FAIL: no vcd2fst or fst2vcd (Debian's gtkwave): scripts/install-deps installs them"; failures=$((failures + 1))
fi
# Without --steps a step per row, to standard output; bad rows and a VCD that
# cannot be written, in a line each.
printf '0 0\n1 1\n' >"$work/two"
run 0 "^#2$" $headless "$1" trace NAND --library "$work/lib.json" --inputs "$work/two"
printf '0 0\n1 2\n' >"$work/bad"
run 2 "^vorplex: $work/bad:2: \"2\" is not 0 or 1$" $headless "$1" trace NAND --library "$work/lib.json" --inputs "$work/bad"
printf '# none\n\n0 1\n1\n' >"$work/bad"
run 2 "^vorplex: $work/bad:4: a row of 1 values for a chip of 2 inputs$" $headless "$1" trace NAND --library "$work/lib.json" --inputs "$work/bad"
run 1 "^vorplex: $work: cannot write: Is a directory$" $headless "$1" trace NAND --library "$work/lib.json" --inputs "$work/two" --vcd "$work"
# NAND with its first input named a and its output bé: the table's header,
# the trace's wires;
# a test header that calls a named pin otherwise, input or output, refused.
# NOT7's names no header can hold: those columns are free.
sed 's/"definition":2}/"definition":2,"pins":{"inputs":["a",""],"outputs":["b\\u00e9"]}}/; s/"version": 1/"version": 3/;
     s/"definition":3}/"definition":3,"pins":{"inputs":["chip","x y","#","|","","",""],"outputs":[""]}}/' \
    "$work/lib.json" >"$work/named.json"
run 0 "^a in1 | bé | calls$" $headless "$1" table NAND --library "$work/named.json"
run 0 '^\$var wire 1 # b_ \$end$' $headless "$1" trace NAND --library "$work/named.json" --inputs "$work/two"
printf 'chip NAND\na any | bé\n1 1 | 0\nchip NOT7\na b c d e f g | y\nx x x x x x 1 | 0\n' >"$work/named"
run 0 "^$work/named: 2 rows passed, 0 failed$" $headless "$1" test "$work/named" --library "$work/named.json"
printf 'chip NAND\n# the pins\nc b | bé\n1 1 | 0\n' >"$work/renamed"
run 2 "^vorplex: $work/renamed:3: input 0 of NAND is a, not c$" $headless "$1" test "$work/renamed" --library "$work/named.json"
printf 'chip NAND\na b | y\n1 1 | 0\n' >"$work/renamed"
run 2 "^vorplex: $work/renamed:2: output 0 of NAND is bé, not y$" $headless "$1" test "$work/renamed" --library "$work/named.json"
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
# On a display, nothing of the graphics library's own lines, such as "Setting
# vertical sync not supported": the editor runs on, saying nothing.
if [ -n "${DISPLAY:-}" ]; then
    timeout 3 "$1" --window 640x480 >"$work/out" 2>&1
    [ $? = 124 ] && [ ! -s "$work/out" ] || { echo "FAIL: the editor printed: $(cat "$work/out")"; failures=$((failures + 1)); }
fi
exit $((failures > 0))
