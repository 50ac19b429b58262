#!/usr/bin/env bash
# The real editor, installed from the build and started elsewhere, on an X
# display of its own, driven with real input (xdotool) and checked on
# screenshot pixels: a window opens centred; the menu's command starts it;
# its labels show; place a NOT, wire input 0 -> NOT -> output 0, switch the
# input, name it "a" with Ctrl and a click, save the board as "INV", kept in
# the user's library, and see its pin's name on hover; place INV, quit
# with Escape; start again and find the same screen; remove the NOT with its
# wires and bring it back with Ctrl+Z; pause with Space, switch the input off
# and see the change move a wire per step with the Right arrow, and on the
# timing diagram; export it; open INV with Ctrl and a click, and find its NOT
# on the board alone; place a copy of INV, change INV and save it, and see
# the copy change only with Ctrl+U; wire a second NOT after the first,
# select both with a drag, duplicate them with Ctrl+D, drag the copies away,
# wire them from the input to a new lamp and see them work, and paste a
# third pair through the desktop's clipboard; go back with Alt+Left;
# Ctrl+click on the INV on the board to see its inside running, and come
# back with Alt+Left.
#   Usage: end_to_end.sh BUILD_FOLDER
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/vorplex-e2e.XXXXXX")
pids=()
fail() { echo "end_to_end: FAIL: $*; screenshots in $work" >&2; exit 1; }
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
trap 'exit 1' INT TERM HUP

# Nothing else may draw on this display: no other window can cover the editor
# or take its clicks. Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
cmake --install "$1" --prefix "$work/installed" >/dev/null || fail "cannot install"
# Built with the sanitizers, the program is not checked for leaks here: the GL
# driver, unloaded as the program ends, leaves allocations LeakSanitizer can no
# longer name. The editor's own tests check for leaks with the driver loaded.
# start LOG COMMAND...: the installed editor, found on the PATH, in the background, as $editor.
start() {
    local log=$1
    shift
    (cd "$work" && PATH="$work/installed/bin:$PATH" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" exec "$@") >"$work/$log" 2>&1 &
    editor=$!
    pids+=($editor)
}

# A window opens centred on the display, here wholly visible.
start window.log vorplex --window 1280x800
for _ in $(seq 50); do
    geometry=$(xdotool search --name '^Vorplex$' getwindowgeometry 2>/dev/null) || true
    grep -q "Position: 320,140" <<<"$geometry" && break
    sleep 0.2
done
grep -q "Position: 320,140" <<<"$geometry" && grep -q "Geometry: 1280x800" <<<"$geometry" || fail "not centred: $geometry"
kill "$editor" && wait "$editor" || true
echo "end_to_end: a window centred"

# The menu's entry is valid, its icon installed where it names it, and it
# starts the editor keeping its work in the user's library, whose folder is
# made at the first save.
desktop="$work/installed/share/applications/vorplex.desktop"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
icon="$work/installed/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg"
grep -q '<svg' "$icon" || fail "no icon where the desktop entry names it: $icon"
export XDG_DATA_HOME="$work/data"
start editor.log $(sed -n 's/^Exec=//p' "$desktop")
quit() {
    xdotool key Escape
    for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null && sleep 0.1; done
    kill -0 "$editor" 2>/dev/null && fail "the editor still runs after Escape"
    wait "$editor" || fail "the editor ended with status $?"
}

# expect WHAT X,Y=RRGGBB...: screenshots until every pixel has its colour, 10 s at most.
expect() {
    local what=$1 format="" want="" got="" shot
    shift
    for check in "$@"; do format+="%[hex:p{${check%=*}}] " want+="${check#*=} "; done
    for shot in $(seq 40); do
        import -window root "$work/$what-$shot.png" 2>/dev/null && got=$(convert "$work/$what-$shot.png" -format "$format" info:)
        [ "$got" = "$want" ] && echo "end_to_end: $what" && return
        kill -0 "$editor" 2>/dev/null || fail "$what: the editor has ended"
        sleep 0.25
    done
    fail "$what: wanted $want, found $got"
}
# appears WHAT RRGGBB X Y WIDTH HEIGHT: screenshots until the area shows the colour, 10 s at most.
appears() {
    local what=$1 colour=$2 shot
    for shot in $(seq 40); do
        import -window root "$work/$what-$shot.png" 2>/dev/null &&
            [[ "$(convert "$work/$what-$shot.png" -crop "$5x$6+$3+$4" +repage txt:-)" == *"#$colour"* ]] &&
            echo "end_to_end: $what" && return
        sleep 0.25
    done
    fail "$what: no $colour in $5x$6+$3+$4"
}
click() { xdotool mousemove "$1" "$2" sleep 0.1 click 1 sleep 0.1; }
drag() { xdotool mousemove "$1" "$2" sleep 0.1 mousedown 1 sleep 0.1 mousemove "$3" "$4" sleep 0.2 mouseup 1 sleep 0.2; }

expect "the empty board, labels shown" 38,540=000000 1882,540=000000 30,1035=FF0000 105,35=505050 110,45=000000
[ -e "$XDG_DATA_HOME" ] && fail "the library's folder was made before the first edit"
drag 70 1035 600 540  # the NOT's pins now stand at (550, 540) and (628, 540)
expect "a NOT placed" 560,530=FF0000 628,540=00FF00
click 175 50 && click 38 540 && click 589 540  # input 0 -> NOT
click 175 50 && click 589 540 && click 1882 540  # NOT -> output 0
expect "wired: the lamp shows NOT 0" 1882,540=00FF00 550,540=000000 300,540=000000 1200,540=00FF00
click 38 540
expect "input 0 switched on" 38,540=00FF00 550,540=00FF00 300,540=00FF00 1882,540=000000
# Ctrl and a click on input 0 name it, and leave it on; the name shows beside it.
xdotool mousemove 38 540 sleep 0.1 keydown ctrl click 1 keyup ctrl sleep 0.1
xdotool type --delay 100 a && xdotool key Return
appears "input 0 named a, and still on" C8C8C8 54 525 20 24 && expect "input 0 still on" 38,540=00FF00
click 675 50 && xdotool type --delay 100 INV && click 375 50
expect "saved as INV" 230,1035=FF0000 1882,540=000000
xdotool mousemove 193 1035 sleep 0.1  # INV's input pin in the palette: its label beside the pointer
expect "the label of INV's pin a on hover" 210,1056=787878
# Written within a second of the save.
for _ in $(seq 30); do grep -q '"name":"INV"' "$XDG_DATA_HOME/vorplex/library.json" && break; sleep 0.1; done
grep -q '"name":"INV"' "$XDG_DATA_HOME/vorplex/library.json" || fail "INV not kept in the user's library"
[ "$(stat -c %a "$XDG_DATA_HOME/vorplex")" = 700 ] || fail "the library's folder is not private"
drag 230 1035 900 540  # under the wire from the NOT to the lamp
expect "INV placed, the wire drawn over it" 925,530=FF0000 925,540=000000
drag 160 1035 1300 300  # an AND, 50 high in the palette, sqrt(2) x 50 on the board
expect "AND placed" 1280,285=FF0000 1280,340=FF0000
# The line that said "saved INV" goes after a few seconds.
for _ in $(seq 40); do
    import -window root "$work/left.png"
    [ "$(convert "$work/left.png" -crop 660x22+40+984 +repage -format %k info:)" = 1 ] && break
    sleep 0.25
done
quit
start again.log $(sed -n 's/^Exec=//p' "$desktop")
for shot in $(seq 40); do
    import -window root "$work/again.png" 2>/dev/null &&
        [ "$(compare -metric AE "$work/left.png" "$work/again.png" null: 2>&1)" = 0 ] && break
    [ "$shot" = 40 ] && fail "started again, the screen is not as it was left"
    sleep 0.25
done
echo "end_to_end: started again as it was left"
xdotool mousemove 589 540 sleep 0.1 click 3 sleep 0.1
expect "the NOT removed with its wires" 560,530=333333 300,540=333333
xdotool key ctrl+z
expect "the NOT back with Ctrl+Z" 560,530=FF0000 300,540=00FF00
xdotool key space && click 38 540
expect "paused: the input off, its wire as it was" 38,534=000000 300,540=00FF00 1882,540=000000
xdotool key Right
expect "one step: the wire into the NOT, not yet the lamp" 300,540=000000 1882,540=000000
xdotool key Right
expect "another: the NOT and its lamp" 1882,540=00FF00
# The timing diagram: in0 low in the newest column, high two before; the
# lamp's row high in the newest, low in the one before. Ctrl+E exports the
# record beside the library, input 0 by its name.
xdotool key F2
expect "F2: the timing diagram" 1853,930=000000 1853,914=5A5A5A 1841,914=00FF00 1853,942=00FF00 1847,958=000000
xdotool key ctrl+e
for _ in $(seq 30); do grep -qs '^\$var wire 1 ! a \$end$' "$XDG_DATA_HOME"/vorplex/library-*.vcd && break; sleep 0.1; done
grep -qs '^\$var wire 1 ! a \$end$' "$XDG_DATA_HOME"/vorplex/library-*.vcd || fail "Ctrl+E: no VCD beside the library"
xdotool key F2
xdotool key space
xdotool mousemove 230 1035 sleep 0.1 keydown ctrl click 1 keyup ctrl sleep 0.1
expect "INV opened: its NOT, not INV or the AND" 560,530=FF0000 925,530=333333 1280,285=333333
drag 230 1035 900 300  # a copy of INV, its input free
expect "a copy of INV placed: its output shows 1" 931,300=00FF00
xdotool mousemove 1200 540 sleep 0.1 mousedown 3 sleep 0.3 mouseup 3 sleep 0.1
expect "the NOT's wire to the lamp deleted" 1200,540=333333
click 375 50  # INV saved again, its output fed by nothing
expect "INV changed, its copy as it was" 931,300=00FF00
xdotool key ctrl+u
expect "the copy updated with Ctrl+U, where it stood" 931,300=000000 890,318=FF0000
xdotool key ctrl+z
expect "the older copy back with Ctrl+Z" 931,300=00FF00
drag 70 1035 800 540  # a second NOT, pins at (750, 540) and (828, 540)
click 175 50 && click 589 540 && click 789 540
drag 500 400 900 600
expect "both NOTs selected" 589,513=50B4FF 789,513=50B4FF
xdotool key ctrl+d
drag 640 578 640 778  # the copies, pins 20 right and 220 down
click 1890 30 && click 175 50 && click 38 540 && click 609 760 && click 175 50 && click 809 760 && click 1882 687
expect "the copies wired from the input to a new lamp" 38,540=00FF00 700,760=000000 1882,687=00FF00
click 38 540
expect "the copies pass the input on" 700,760=00FF00 1882,687=000000
xdotool mousemove 1200 250 key ctrl+c key ctrl+v
expect "a third pair pasted through the clipboard" 1239,290=FF0000 1239,248=50B4FF
xdotool key alt+Left
expect "back with Alt+Left to the board that stood" 925,530=FF0000 1280,285=FF0000
xdotool mousemove 925 530 sleep 0.1 keydown ctrl click 1 keyup ctrl sleep 0.1
expect "inside the INV on the board, running: its NOT and lit lamp" 925,530=333333 560,530=FF0000 1882,540=00FF00
xdotool key alt+Left
expect "back from inside with Alt+Left" 925,530=FF0000 1280,285=FF0000
quit
echo "end_to_end: passed" && rm -rf "$work"
