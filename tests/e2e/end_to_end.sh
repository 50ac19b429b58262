#!/usr/bin/env bash
# End-to-end run of the real editor on an X display of 1920 x 1080: real mouse
# and keyboard input through xdotool, checks on screenshot pixels.
#
#   end_to_end.sh PATH/TO/vorplex
#
# Runs from a directory holding Square.ttf (the build directory). Needs DISPLAY
# (xvfb-run -a -s "-screen 0 1920x1080x24" provides one), xdotool and ImageMagick.
# The screenshots are kept when a check fails, or always with KEEP_SHOTS=1.
#
# The story: the empty scene; switching board input 0; dragging a NOT from the
# palette onto the board; wiring input 0 -> NOT -> output 0 and watching lamp and
# wires follow the input; saving the board as "INV"; dragging INV onto the board,
# wiring input 0 -> INV -> a new output 1 and watching that lamp invert the input;
# Escape ends the program with status 0.
set -euo pipefail

program=${1:-}
fail() {
    echo "end_to_end: FAIL: $*" >&2
    [ -n "${last_shot:-}" ] && echo "end_to_end: last screenshot: $last_shot" >&2
    exit 1
}

[ -n "$program" ] || fail "usage: $0 PATH/TO/vorplex"
[ -x "$program" ] || fail "no executable at $program"
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: run under xvfb-run -a -s \"-screen 0 1920x1080x24\""
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done
[ -f Square.ttf ] || fail "Square.ttf is not in the working directory $(pwd)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorplex-e2e.XXXXXX")
pid=""
holder=""
last_shot=""
shots=0
passed=false

cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    if [ -n "$holder" ]; then
        kill "$holder" 2>/dev/null || true
        wait "$holder" 2>/dev/null || true
    fi
    if $passed; then
        [ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"
    else
        echo "end_to_end: screenshots and program output kept in $work" >&2
    fi
}
trap cleanup EXIT

step() { echo "end_to_end: $*"; }

# The X server starts afresh whenever its last client disconnects, and turns
# connections away while it does; other tests come and go on the same display.
# A client that stays connected for the whole run keeps the server from
# restarting under the program or between two xdotool commands: a search for
# a window that never appears.
hold_display() {
    local attempt
    for ((attempt = 0; attempt < 50; attempt++)); do
        xdotool search --sync --name "^vorplex end-to-end $$ holds the display\$" >/dev/null 2>&1 &
        holder=$!
        sleep 0.2
        kill -0 "$holder" 2>/dev/null && return 0
        wait "$holder" 2>/dev/null || true
        holder=""
    done
    fail "cannot connect to the X display $DISPLAY"
}
hold_display
geometry=$(xdotool getdisplaygeometry) || fail "cannot reach the X display $DISPLAY"
[ "$geometry" = "1920 1080" ] || fail "the display is $geometry, the test needs 1920 1080"

# --- Screenshots and pixels -------------------------------------------------

shot() {
    shots=$((shots + 1))
    last_shot=$(printf '%s/shot-%03d.png' "$work" "$shots")
    import -window root "$last_shot"
}

# Prints "x RRGGBB" for each pixel of row y from x0 to x1 - 1.
row() {
    convert "$1" -crop "$(($4 - $3))x1+$3+$2" +repage -depth 8 txt:- |
        sed -n "2,\$s/^\([0-9]*\),0:.*#\([0-9A-Fa-f]\{6\}\).*/\1 \2/p" |
        awk -v x0="$3" '{ print $1 + x0, toupper($2) }'
}

# Number of pixels of the colour in the rectangle W x H at (x, y).
count_colour() {
    convert "$1" -crop "$4x$5+$2+$3" -depth 8 txt:- | grep -ci "#$6" || true
}

# A check is "X Y RRGGBB" (that exact pixel) or "~X Y RRGGBB" (some pixel of
# the 3 x 3 square around it: for 1-pixel wires, whose row or column depends on
# how the line is rasterised). check_all FILE CHECK... reads every pixel it needs
# in one pass and prints the first check that fails.
check_all() {
    local file=$1 check x y colour dx dy format="" found i=0 got
    shift
    for check in "$@"; do
        read -r x y colour <<<"$check"
        if [ "${x#\~}" != "$x" ]; then
            x=${x#\~}
            for dy in -1 0 1; do
                for dx in -1 0 1; do format+="%[hex:p{$((x + dx)),$((y + dy))}],"; done
            done
            format+=" "
        else
            format+="%[hex:p{$x,$y}] "
        fi
    done
    found=$(convert "$file" -format "$format" info:) || { echo "cannot read $file"; return 1; }
    read -r -a found <<<"$found"
    for check in "$@"; do
        read -r x y colour <<<"$check"
        got=${found[i]:-none}
        i=$((i + 1))
        if [ "${x#\~}" != "$x" ]; then
            [[ ",$got" == *",$colour,"* ]] || { echo "$check: the pixels around it are $got"; return 1; }
        else
            [ "$got" = "$colour" ] || { echo "$check: found $got"; return 1; }
        fi
    done
}

# wait_for WHAT TIMEOUT CHECK...: takes screenshots until every check holds in
# one of them, or fails after TIMEOUT seconds.
wait_for() {
    local what=$1 timeout=$2 report
    shift 2
    local deadline=$((SECONDS + timeout))
    while :; do
        program_running || fail "$what: the program has ended ($(tail -n 3 "$work/vorplex.log" | tr '\n' ' '))"
        shot
        report=$(check_all "$last_shot" "$@") && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "$what: $report"
        sleep 0.1
    done
}

# wait_for_pixel X Y RRGGBB TIMEOUT
wait_for_pixel() { wait_for "pixel ($1, $2) should be $3" "$4" "$1 $2 $3"; }

program_running() { [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; }

# --- Input ------------------------------------------------------------------

# The program takes at most one event per frame (60 per second) and reads the
# mouse position every frame: each action gets a few frames to itself.
settle() { sleep 0.15; }
move() { xdotool mousemove "$1" "$2"; settle; }
click() { move "$1" "$2"; xdotool click 1; settle; }
# Moves the pointer off every button and chip, so nothing shows a hover colour.
park() { move 960 250; }

# A real drag with the left button: press at (x1, y1), move in steps, release at (x2, y2).
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    move "$x1" "$y1"
    xdotool mousedown 1
    settle
    for i in 1 2 3 4 5; do
        xdotool mousemove $((x1 + (x2 - x1) * i / 5)) $((y1 + (y2 - y1) * i / 5))
        sleep 0.05
    done
    settle
    xdotool mouseup 1
    settle
}

# Colours.
BACKGROUND=333333
FRAME_GREY=666666
BUTTON=505050
BUTTON_HOVER=3C3C3C
NAME_BOX=787878
NAME_BOX_FOCUSED=A0A0A0
RED=FF0000
GREEN=00FF00
BLACK=000000

# Seconds a change may take to show. A passing run never waits this long: it
# goes on as soon as a screenshot shows the change.
SHORT=5

# Where things are. Board input 0 and output 0 stand at the board's middle height.
IN0_X=38
OUT_X=1882
MID_Y=540

# --- 1. The empty scene -------------------------------------------------------

step "starting $program"
move 960 250
# Built with AddressSanitizer, any program that opens a window here reports at
# exit a few hundred bytes that the OpenGL driver never frees, from a driver
# module already unloaded, which no suppression can name. Leaks are left to
# the windowless tests; every other sanitizer check stays on for this run.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$program" >"$work/vorplex.log" 2>&1 &
pid=$!

# The palette's NOT: body from x 20, top at y 1010, 50 high; x 70 lies right of
# the board-input column (x 28 to 48), which would take a press there.
NOT_PRESS_X=70
PALETTE_PRESS_Y=1050
wait_for "the initial scene" 20 \
    "960 500 $BACKGROUND" \
    "5 1070 $BACKGROUND" \
    "1000 98 $FRAME_GREY" "1000 982 $FRAME_GREY" "1878 300 $BACKGROUND" "1883 300 $FRAME_GREY" \
    "1000 102 $BACKGROUND" "1000 95 $BACKGROUND" \
    "$IN0_X $MID_Y $BLACK" "$((IN0_X + 8)) $MID_Y $BLACK" "$OUT_X $MID_Y $BLACK" \
    "14 46 $BUTTON" "14 86 $BUTTON" "1874 46 $BUTTON" "304 66 $BUTTON" "104 66 $BUTTON" \
    "520 60 $NAME_BOX" "840 40 $NAME_BOX" \
    "$NOT_PRESS_X $PALETTE_PRESS_Y $RED" "140 1050 $RED" \
    "21 1050 $BLACK" "101 1050 $BLACK"
initial=$last_shot

# The palette row at y 1050: NOT's body, a gap, AND's body, then background.
# Measure where NOT and AND end; saved chips line up 15 pixels after AND.
palette_row=$(row "$initial" "$PALETTE_PRESS_Y" "$NOT_PRESS_X" 400)
not_right=$(awk -v bg="$BACKGROUND" '$2 == bg { print $1; exit }' <<<"$palette_row")
and_right=$(awk -v bg="$BACKGROUND" '$1 > 100 && $2 == bg { print $1; exit }' <<<"$palette_row")
[[ -n $not_right && -n $and_right ]] || fail "could not find the right ends of the NOT and AND palette chips at y $PALETTE_PRESS_Y"
# NOT ends before AND begins at x 100, and both are wider than their 30-pixel margin.
((not_right > 50 && not_right <= 100)) || fail "the NOT palette chip ends at x $not_right"
((and_right > 130)) || fail "the AND palette chip ends at x $and_right"
not_width=$((not_right - 20))
step "palette: NOT x 20..$((not_right - 1)), AND x 100..$((and_right - 1))"

# NOT's pins on its body's edges at y 1035: input black, output green (a NOT of
# input 0 holds 1); AND's two inputs and its output are black.
wait_for "palette chip pins" $SHORT \
    "~17 1035 $BLACK" "~$((not_right + 1)) 1035 $GREEN" "~$((and_right + 2)) 1035 $BLACK"

# Hovering a button darkens it; leaving it restores it.
move 175 60
wait_for "Connect under the mouse" $SHORT "104 66 $BUTTON_HOVER" "304 66 $BUTTON"
park
wait_for "Connect after the mouse left" $SHORT "104 66 $BUTTON"

# --- 2. Switching board input 0 ----------------------------------------------

step "switching input 0"
click $IN0_X $MID_Y
park
wait_for "input 0 after one click" $SHORT "$IN0_X $MID_Y $GREEN" "$((IN0_X - 8)) $MID_Y $GREEN"
click $IN0_X $MID_Y
park
wait_for "input 0 after a second click" $SHORT "$IN0_X $MID_Y $BLACK" "$((IN0_X - 8)) $MID_Y $BLACK"

# --- 3. Dragging a NOT onto the board ------------------------------------------

# Pressed 50 right of its left edge and 40 below its top, released at (950, 555):
# the body's top-left lands at (900, 515), so its pins' centres are at y 540,
# level with input 0 and output 0, and the wires to them run horizontally.
NOT_X=900
NOT_Y=515
step "dragging a NOT to ($NOT_X, $NOT_Y)"
drag $NOT_PRESS_X $PALETTE_PRESS_Y $((NOT_X + NOT_PRESS_X - 20)) $((NOT_Y + PALETTE_PRESS_Y - 1010))
park
not_out_x=$((NOT_X + not_width))  # its output pin's centre, give or take a pixel
wait_for "the NOT dropped on the board" $SHORT \
    "$((NOT_X - 2)) 555 $BACKGROUND" "$NOT_X 555 $BLACK" "$((NOT_X + 3)) 555 $RED" \
    "$((NOT_X + 5)) $((NOT_Y - 2)) $BACKGROUND" "$((NOT_X + 5)) $NOT_Y $BLACK" "$((NOT_X + 5)) $((NOT_Y + 49)) $BLACK" \
    "$((NOT_X + 5)) $((NOT_Y + 51)) $BACKGROUND" "$((not_out_x - 8)) 555 $RED" \
    "$((NOT_X - 3)) $MID_Y $BLACK" "~$((not_out_x + 2)) $MID_Y $GREEN" \
    "$NOT_PRESS_X $PALETTE_PRESS_Y $RED"

# --- 4. Wiring input 0 -> NOT -> output 0 --------------------------------------

CONNECT_X=175
CONNECT_Y=50
NOT_BODY_X=$((NOT_X + 20))
NOT_BODY_Y=$((NOT_Y + 40))
step "wiring input 0 -> NOT -> output 0"
click $CONNECT_X $CONNECT_Y
click $IN0_X $MID_Y
click $NOT_BODY_X $NOT_BODY_Y
click $CONNECT_X $CONNECT_Y
click $NOT_BODY_X $NOT_BODY_Y
click $OUT_X $MID_Y
park

WIRE_IN_X=$(((IN0_X + NOT_X) / 2))     # middle of input 0 -> NOT
WIRE_OUT_X=$(((not_out_x + OUT_X) / 2))  # middle of NOT -> output 0
# Input 0 off: the NOT gives 1, lamp 0 lights.
wait_for "input 0 off: wire to the NOT black, its output wire and lamp 0 green" $SHORT \
    "$IN0_X $MID_Y $BLACK" "~$WIRE_IN_X $MID_Y $BLACK" "~$WIRE_OUT_X $MID_Y $GREEN" "$OUT_X $MID_Y $GREEN"
click $IN0_X $MID_Y
park
wait_for "input 0 on: wire to the NOT green, its output wire and lamp 0 black" $SHORT \
    "$IN0_X $MID_Y $GREEN" "~$WIRE_IN_X $MID_Y $GREEN" "~$WIRE_OUT_X $MID_Y $BLACK" "$OUT_X $MID_Y $BLACK"
click $IN0_X $MID_Y
park
wait_for "input 0 off again: lamp 0 green" $SHORT \
    "$IN0_X $MID_Y $BLACK" "~$WIRE_IN_X $MID_Y $BLACK" "~$WIRE_OUT_X $MID_Y $GREEN" "$OUT_X $MID_Y $GREEN"

# --- 5. Saving the board as INV and using it -----------------------------------

step "saving the board as INV"
click 600 50
park
wait_for_pixel 520 60 $NAME_BOX_FOCUSED $SHORT
xdotool type --delay 100 INV
settle
park
shot
# The name is drawn in black, centred in the box at x 675.
typed=$(count_colour "$last_shot" 600 32 150 36 "$BLACK")
[ "$typed" -gt 20 ] || fail "the typed name does not show in the name box ($typed black pixels)"
click 375 50
park
# The new entry's body starts 15 pixels right of AND's; the name box is empty again.
INV_LEFT=$((and_right + 15))
wait_for "the INV palette entry" $SHORT \
    "$((and_right + 5)) $PALETTE_PRESS_Y $BACKGROUND" "$((INV_LEFT + 4)) $PALETTE_PRESS_Y $RED" \
    "$((INV_LEFT + 10)) 1058 $BLACK" "$((INV_LEFT + 10)) 1061 $BACKGROUND" \
    "520 60 $NAME_BOX"
palette_row=$(row "$last_shot" "$PALETTE_PRESS_Y" "$and_right" $((INV_LEFT + 4)))
entry_left=$(awk -v bg="$BACKGROUND" '$2 != bg { print $1; exit }' <<<"$palette_row")
[ -n "$entry_left" ] || fail "no INV palette entry right of AND at y $PALETTE_PRESS_Y"
((entry_left >= INV_LEFT - 1 && entry_left <= INV_LEFT + 1)) ||
    fail "the INV palette entry starts at x $entry_left, expected $INV_LEFT"
[ "$(count_colour "$last_shot" 600 32 150 36 "$BLACK")" -eq 0 ] ||
    fail "the name box still shows text after saving"
# The board is unchanged by saving: lamp 0 still lit.
check_all "$last_shot" "$OUT_X $MID_Y $GREEN" "$NOT_X 555 $BLACK" >/dev/null || fail "saving changed the board"

# A second output: outputs now stand at a third and two thirds of the band
# (y 393.3 and 686.7); the NOT's wire follows output 0.
step "adding output 1"
click 1890 30
park
OUT0_Y=393
OUT1_Y=687
wait_for "two outputs" $SHORT \
    "$OUT_X $OUT0_Y $GREEN" "$OUT_X $OUT1_Y $BLACK" "$OUT_X $MID_Y $FRAME_GREY"

# Drag INV from the palette so its body's top-left lands near (1200, 662): its
# pins' centres are then at y 687, level with output 1.
INV_PRESS_X=$((INV_LEFT + 12))
INV_X=1200
INV_Y=662
step "dragging INV to ($INV_X, $INV_Y)"
drag $INV_PRESS_X $PALETTE_PRESS_Y $((INV_X + 12)) $((INV_Y + PALETTE_PRESS_Y - 1010))
park
wait_for "INV dropped on the board" $SHORT \
    "$((INV_X + 6)) $((INV_Y + 45)) $RED" "$((INV_X + 6)) $((INV_Y - 3)) $BACKGROUND" \
    "$((INV_X + 6)) $((INV_Y + 53)) $BACKGROUND" "$INV_PRESS_X $PALETTE_PRESS_Y $RED"

step "wiring input 0 -> INV -> output 1"
INV_BODY_X=$((INV_X + 15))
INV_BODY_Y=$((INV_Y + 40))
click $CONNECT_X $CONNECT_Y
click $IN0_X $MID_Y
click $INV_BODY_X $INV_BODY_Y
click $CONNECT_X $CONNECT_Y
click $INV_BODY_X $INV_BODY_Y
click $OUT_X $OUT1_Y
park

WIRE_INV_OUT_X=1600  # on the nearly level wire from INV to output 1
wait_for "input 0 off: INV lights lamp 1" $SHORT \
    "$OUT_X $OUT1_Y $GREEN" "~$WIRE_INV_OUT_X $OUT1_Y $GREEN" "$OUT_X $OUT0_Y $GREEN"
click $IN0_X $MID_Y
park
wait_for "input 0 on: lamp 1 dark" $SHORT \
    "$IN0_X $MID_Y $GREEN" "$OUT_X $OUT1_Y $BLACK" "~$WIRE_INV_OUT_X $OUT1_Y $BLACK" "$OUT_X $OUT0_Y $BLACK"
click $IN0_X $MID_Y
park
wait_for "input 0 off again: lamp 1 lit" $SHORT \
    "$IN0_X $MID_Y $BLACK" "$OUT_X $OUT1_Y $GREEN" "~$WIRE_INV_OUT_X $OUT1_Y $GREEN" "$OUT_X $OUT0_Y $GREEN"

# --- 6. Escape ------------------------------------------------------------------

step "pressing Escape"
xdotool key Escape
for ((i = 0; i < 100; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program is still running 10 s after Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status after Escape"

passed=true
step "passed ($shots screenshots)"
