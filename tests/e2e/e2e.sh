#!/usr/bin/env bash
# One end-to-end case: starts ks_e2e_driver on the X display, drives it with
# real X input from another client and checks the report it prints on exit.
#
#   e2e.sh CASE DRIVER [XGRAB]
#
# Exit 0 passed, 1 failed, 77 skipped (no display, or a tool is missing).
set -uo pipefail

case_name=$1
driver=$2
xgrab=${3:-}

skip() { echo "skipped: $*"; exit 77; }
fail() {
  echo "FAILED ($case_name): $*"
  [ -n "${out:-}" ] && [ -f "$out" ] && { echo "--- driver output"; cat "$out"; }
  [ -n "${err:-}" ] && [ -f "$err" ] && { echo "--- driver errors"; cat "$err"; }
  exit 1
}

[ -n "${DISPLAY:-}" ] || skip "DISPLAY is not set"
command -v xdotool >/dev/null || skip "xdotool is not installed"
case $case_name in
  clipboard_*) command -v xclip >/dev/null || skip "xclip is not installed" ;;
  screen | resize) [ -n "$xgrab" ] || skip "built without Xlib, no screen reader" ;;
  xdnd_*) [ -n "$xgrab" ] || skip "built without Xlib, no drag peer" ;;
  wayland)
    [ -n "$xgrab" ] || skip "built without Xlib, no screen reader"
    command -v weston >/dev/null || skip "weston is not installed (scripts/deps.sh installs it)"
    ;;
esac

work=$(mktemp -d)
out=$work/out
err=$work/err
driver_pid=
helper_pid=
cleanup() {
  [ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null
  [ -n "$helper_pid" ] && kill "$helper_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Starts the driver and waits until it has drawn and printed its layout.
start_driver() {
  "$driver" --time-limit 20 "$@" >"$out" 2>"$err" &
  driver_pid=$!
  for _ in $(seq 200); do
    grep -q '^ready$' "$out" && break
    kill -0 "$driver_pid" 2>/dev/null || fail "the driver exited before it was ready"
    sleep 0.05
  done
  grep -q '^ready$' "$out" || fail "the driver did not get ready"
  wid=$(timeout 10 xdotool search --sync --limit 1 --name '^ks_e2e_driver$' | head -n1)
  [ -n "$wid" ] || fail "no X window named ks_e2e_driver"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # Desktop (0, 0) is the native window's top-left on the X screen.
  ox=$X
  oy=$Y
  # Key events go to the focused window; without a window manager nobody
  # else gives it the focus.
  xdotool windowfocus "$wid" 2>/dev/null || true
}

# Ctrl+Q is the driver's Quit command key; then its final report.
quit_driver() {
  xdotool windowfocus "$wid" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+q
  local status=0
  for _ in $(seq 100); do
    kill -0 "$driver_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$driver_pid" 2>/dev/null && fail "the driver did not quit on Ctrl+Q"
  wait "$driver_pid" || status=$?
  driver_pid=
  [ "$status" -eq 0 ] || fail "the driver exited with status $status"
  grep -q '^end quit$' "$out" || fail "the driver ended without a quit request"
  grep -Eq 'LeakSanitizer|AddressSanitizer|runtime error' "$err" && fail "sanitizer report"
  report=$(sed -n '/^end /,$p' "$out")
}

# Field `key` ("content", "drag", "goaway") of window `name` in `text`.
field() {
  local text=$1 name=$2 key=$3
  awk -v n="$name" -v k="$key" \
    '$1 == "window" && $2 == n { for (i = 3; i < NF; i++) if ($i == k) print $(i + 1) }' \
    <<<"$text" | head -n1
}
layout() { sed -n '/^ready$/q;p' "$out"; }

# Moves the X pointer to desktop point (h, v).
pointer_to() { xdotool mousemove --sync $((ox + $1)) $((oy + $2)); }

# press_drag H V DH DV STEPS: presses at (H, V), moves by (DH, DV) in STEPS
# even steps, as a hand would (the tracking loop follows each one), releases.
press_drag() {
  local h=$1 v=$2 dh=$3 dv=$4 steps=$5 step
  pointer_to "$h" "$v"
  xdotool mousedown 1
  sleep 0.15
  for step in $(seq "$steps"); do
    pointer_to $((h + dh * step / steps)) $((v + dv * step / steps))
    sleep 0.03
  done
  sleep 0.1
  xdotool mouseup 1
  sleep 0.15
}

# retry TRIES CMD...: runs CMD every 50 ms until it succeeds, TRIES times at most.
retry() {
  local n=$1
  shift
  for _ in $(seq "$n"); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
# The X screen shows colour RRGGBB at desktop point (H, V); or N pixels of it.
pixel_is() { [ "$("$xgrab" $((ox + $1)),$((oy + $2)) | awk '{ print $2 }')" = "$3" ]; }
pixels_at_least() { [ "$("$xgrab" --count "$2" | awk '{ print $2 }')" -ge "$1" ]; }

near() { # near A B: |A - B| <= 2
  local d=$(($1 - $2))
  [ "${d#-}" -le 2 ]
}

# xdnd_drag BIN TYPE DATA [PEER OPTIONS]: the peer (in place of XGRAB) drags
# DATA into the middle of bin BIN and drops it; its report goes to $peer_out.
xdnd_drag() {
  start_driver
  IFS=, read -r l t r b <<<"$(sed -n "s/^bin $1 //p" "$out")"
  [ -n "$l" ] || fail "no bin $1 in the layout"
  peer_out=$work/peer
  "$xgrab" "$wid" $((ox + (l + r) / 2)) $((oy + (t + b) / 2)) "$2" "$3" "${@:4}" \
    >"$peer_out" 2>&1 || fail "the peer failed: $(cat "$peer_out")"
}
peer_said() { grep -Fqx "$1" "$peer_out" || fail "the peer did not report '$1': $(cat "$peer_out")"; }

# xdnd_out [TARGET OPTIONS]: the peer's target window at (700, 400), report
# in $peer_out; the clip is pressed and moved onto it, the button kept down.
xdnd_out() {
  start_driver
  IFS=, read -r l t r b <<<"$(sed -n "s/^bin clip //p" "$out")"
  peer_out=$work/peer
  "$xgrab" --target $((ox + 700)) $((oy + 400)) 200 150 "$@" >"$peer_out" 2>&1 &
  helper_pid=$!
  retry 100 grep -qx ready "$peer_out" || fail "the peer's window did not come up"
  local h=$(((l + r) / 2)) v=$(((t + b) / 2)) step
  pointer_to "$h" "$v"
  xdotool mousedown 1
  for step in $(seq 6); do
    sleep 0.05
    pointer_to $((h + (800 - h) * step / 6)) $((v + (475 - v) * step / 6))
  done
  sleep 0.2
}
dragged_out() { # after the release: the driver's verdict, and the peer's end
  retry 200 grep -qx "dragout handled=$1" "$out" || fail "the drag did not end with handled=$1"
  retry 200 grep -qx end "$peer_out" || fail "the peer did not end: $(cat "$peer_out")"
}

case $case_name in
xdnd_file)
  xdnd_drag takes text/uri-list 'file:///tmp/clip%20one.mov'
  peer_said "status accept=1"
  peer_said "finished accept=1"
  retry 40 grep -qx 'drop takes file:/tmp/clip one.mov' "$out" || fail "the bin did not take the file"
  quit_driver
  ;;
xdnd_refused)
  xdnd_drag refuses text/uri-list 'file:///tmp/a'
  peer_said "status accept=0"
  peer_said "finished accept=0"
  grep -q '^drop ' "$out" && fail "a refusing bin took a drop"
  quit_driver
  ;;
xdnd_text_eager)
  xdnd_drag takes UTF8_STRING 'café' --eager
  peer_said "finished accept=1"
  retry 40 grep -q '^drop takes text:caf' "$out" || fail "the bin did not take the text"
  quit_driver
  ;;
xdnd_silent)
  # A peer that never hands over its data: the drag ends by time-out.
  xdnd_drag takes text/uri-list 'file:///tmp/a' --silent
  peer_said "finished accept=0"
  grep -q '^drop ' "$out" && fail "a drop arrived without data"
  quit_driver
  ;;
xdnd_incr)
  # More than one piece of the peer's: the transfer comes in increments.
  xdnd_drag takes UTF8_STRING 'abcdefgh' --incr 300000
  peer_said "finished accept=1"
  retry 40 grep -qx 'drop takes textsize:300000' "$out" || fail "the bin did not take the whole text"
  quit_driver
  ;;
xdnd_out | xdnd_out_old)
  # A version 4 peer's answer carries no verdict: its status stands for it.
  v=5
  [ "$case_name" = xdnd_out_old ] && v=4
  xdnd_out $([ $v = 4 ] && echo --old)
  xdotool mouseup 1
  dragged_out 1
  types='text/uri-list,text/plain;charset=utf-8,UTF8_STRING,STRING'
  for line in "enter version=$v types=$types" "targets TARGETS,$types" finished \
    'data text/uri-list file:///tmp/clip%20one.mov\x0d\x0a' 'data STRING Caf\xe9' \
    'data text/plain;charset=utf-8 Caf\xc3\xa9' 'data UTF8_STRING Caf\xc3\xa9'; do
    peer_said "$line"
  done
  quit_driver
  ;;
xdnd_out_silent | xdnd_out_escape)
  # A peer that never answers: the drag ends by time-out and the application
  # goes on. Escape over a peer that answers cancels it.
  if [ "$case_name" = xdnd_out_silent ]; then xdnd_out --silent; else
    xdnd_out
    xdotool key Escape
    sleep 0.2
  fi
  xdotool mouseup 1
  dragged_out 0
  peer_said leave
  grep -qx drop "$peer_out" && fail "the peer was given a drop"
  quit_driver
  ;;
drag)
  start_driver
  IFS=, read -r l t r b <<<"$(field "$(layout)" Alpha content)"
  IFS=, read -r dh dv <<<"$(field "$(layout)" Alpha drag)"
  [ -n "$dh" ] || fail "no drag point reported for Alpha"
  press_drag "$dh" "$dv" 150 90 5
  quit_driver
  IFS=, read -r l2 t2 r2 b2 <<<"$(field "$report" Alpha content)"
  [ -n "$l2" ] || fail "Alpha is gone after the drag"
  near "$l2" $((l + 150)) && near "$t2" $((t + 90)) ||
    fail "Alpha's content is at $l2,$t2; expected about $((l + 150)),$((t + 90))"
  [ $((r2 - l2)) -eq $((r - l)) ] && [ $((b2 - t2)) -eq $((b - t)) ] ||
    fail "the drag changed Alpha's size"
  # Dragging a window behind brings it to the front.
  [ "$(awk '$1 == "window" { print $2; exit }' <<<"$report")" = Alpha ] ||
    fail "Alpha is not the front window after its drag"
  ;;

modal)
  # Beta is modal: a drag on Alpha's title bar and a click in its content are
  # refused, and Alpha never becomes active.
  start_driver --modal
  IFS=, read -r l t r b <<<"$(field "$(layout)" Alpha content)"
  IFS=, read -r dh dv <<<"$(field "$(layout)" Alpha drag)"
  [ -n "$dh" ] || fail "no drag point reported for Alpha"
  press_drag "$dh" "$dv" 150 90 5
  pointer_to $((l + 20)) $((t + 20))
  xdotool click 1
  sleep 0.15
  quit_driver
  [ "$(field "$report" Alpha content)" = "$l,$t,$r,$b" ] || fail "Alpha moved behind the modal Beta"
  # Only the active window shows its close box.
  [ -z "$(field "$report" Alpha goaway)" ] || fail "Alpha became active behind the modal Beta"
  ;;

grow)
  # Only the active window shows its grow box: Beta, made last, is in front.
  start_driver
  IFS=, read -r l t r b <<<"$(field "$(layout)" Beta content)"
  IFS=, read -r gh gv <<<"$(field "$(layout)" Beta grow)"
  [ -n "$gh" ] || fail "no grow box reported for Beta"
  press_drag "$gh" "$gv" 60 40 4
  quit_driver
  IFS=, read -r l2 t2 r2 b2 <<<"$(field "$report" Beta content)"
  [ "$l2,$t2" = "$l,$t" ] || fail "growing moved Beta to $l2,$t2"
  near $((r2 - l2)) $((r - l + 60)) && near $((b2 - t2)) $((b - t + 40)) ||
    fail "Beta is $((r2 - l2))x$((b2 - t2)); expected about $((r - l + 60))x$((b - t + 40))"
  ;;

zoom)
  start_driver
  IFS=, read -r l t r b <<<"$(field "$(layout)" Beta content)"
  IFS=, read -r zh zv <<<"$(field "$(layout)" Beta zoom)"
  [ -n "$zh" ] || fail "no zoom box reported for Beta"
  pointer_to "$zh" "$zv"
  xdotool click 1
  sleep 0.2
  quit_driver
  IFS=, read -r l2 t2 r2 b2 <<<"$(field "$report" Beta content)"
  # Zoomed out to the standard state: larger than it was, below the menu bar.
  [ $((r2 - l2)) -gt $((r - l)) ] && [ $((b2 - t2)) -gt $((b - t)) ] ||
    fail "zooming left Beta at $((r2 - l2))x$((b2 - t2))"
  [ "$t2" -ge 20 ] || fail "the zoomed Beta reaches into the menu bar (top $t2)"
  ;;

close)
  start_driver
  IFS=, read -r gh gv <<<"$(field "$(layout)" Beta goaway)"
  [ -n "$gh" ] || fail "no close box reported for Beta"
  # A press in the close box that is released outside it closes nothing.
  pointer_to "$gh" "$gv"
  xdotool mousedown 1
  sleep 0.1
  pointer_to $((gh + 120)) $((gv + 150))
  sleep 0.05
  xdotool mouseup 1
  sleep 0.1
  # A full click does.
  pointer_to "$gh" "$gv"
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.15
  quit_driver
  [ -z "$(field "$report" Beta content)" ] || fail "Beta still exists after its close box"
  [ -n "$(field "$report" Alpha content)" ] || fail "Alpha went away too"
  ;;

typing)
  start_driver
  IFS=, read -r l t r b <<<"$(field "$(layout)" Alpha content)"
  pointer_to $((l + 20)) $((t + 20))
  xdotool windowfocus "$wid" 2>/dev/null || true
  xdotool type --delay 30 'Hello, World 42!'
  xdotool key Return
  sleep 0.1
  quit_driver
  typed=$(awk '$1 == "typed" { print $2 }' <<<"$report")
  [ "$typed" = 'Hello,%20World%2042!%0D' ] || fail "typed $typed; expected Hello,%20World%2042!%0D"
  ;;

screen)
  # Desktop background, Alpha's content, its left frame line, Beta's title
  # bar (the front window) and the menu bar: the driver's own pixels there
  # must be what the X screen shows.
  points=(50,700 200,200 99,200 650,139 300,10)
  probes=()
  for p in "${points[@]}"; do probes+=(--probe "$p"); done
  start_driver "${probes[@]}"
  for attempt in $(seq 40); do
    bad=0
    mismatch=""
    for p in "${points[@]}"; do
      want=$(awk -v p="$p" '$1 == "probe" && $2 == p { print $3 }' "$out")
      h=${p%,*}
      v=${p#*,}
      got=$("$xgrab" $((ox + h)),$((oy + v)) | awk '{ print $2 }')
      [ "$want" = "$got" ] || {
        bad=1
        mismatch+=" $p: desktop $want, screen $got;"
      }
    done
    [ $bad -eq 0 ] && break
    sleep 0.05
  done
  [ $bad -eq 0 ] || fail "the X screen differs from the desktop:$mismatch"
  # And the pixels are the ones the layout asks for.
  [ "$(awk '$1 == "probe" && $2 == "50,700" { print $3 }' "$out")" = 3C4A60 ] ||
    fail "the desktop background is not the colour set"
  [ "$(awk '$1 == "probe" && $2 == "200,200" { print $3 }' "$out")" = FFFFFF ] ||
    fail "Alpha's content is not white"
  frame=$(awk '$1 == "probe" && $2 == "99,200" { print $3 }' "$out")
  [ "$frame" != FFFFFF ] && [ "$frame" != 3C4A60 ] || fail "no frame line left of Alpha's content"
  quit_driver
  ;;

clipboard_in)
  # Another client owns the clipboard with UTF-8 text and a line feed.
  printf 'Caf\xc3\xa9\nline two' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  helper_pid=$!
  for _ in $(seq 40); do
    [ "$(timeout 2 xclip -selection clipboard -o 2>/dev/null | head -c 3)" = Caf ] && break
    sleep 0.05
  done
  start_driver
  quit_driver
  scrap=$(awk '$1 == "scrap" { print $2 }' <<<"$report")
  [ "$scrap" = 'Caf%8E%0Dline%20two' ] || fail "GetScrap read $scrap; expected Caf%8E%0Dline%20two"
  ;;

clipboard_out)
  start_driver --put-scrap 'Out%8E%0Dnext%20line'
  got=$(timeout 5 xclip -selection clipboard -o | od -An -tx1 | tr -d ' \n')
  want=$(printf 'Out\xc3\xa9\nnext line' | od -An -tx1 | tr -d ' \n')
  [ "$got" = "$want" ] || fail "xclip read bytes $got; expected $want"
  quit_driver
  scrap=$(awk '$1 == "scrap" { print $2 }' <<<"$report")
  [ "$scrap" = 'Out%8E%0Dnext%20line' ] || fail "the scrap became $scrap"
  ;;

clipboard_edit)
  # A text record's copy reaches other programs as UTF-8, and their text is
  # pasted into it in place of the selection.
  start_driver --edit 'Gr%9A%A7e%20aus'
  xdotool windowfocus "$wid" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+c
  want=$(printf 'Gr\xc3\xb6\xc3\x9fe aus')
  got=""
  for _ in $(seq 40); do
    got=$(timeout 2 xclip -selection clipboard -o 2>/dev/null)
    [ "$got" = "$want" ] && break
    sleep 0.05
  done
  [ "$got" = "$want" ] || fail "xclip read '$got' after the copy"
  printf 'na\xc3\xafve\nzwei' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  helper_pid=$!
  for _ in $(seq 40); do
    [ "$(timeout 2 xclip -selection clipboard -o 2>/dev/null | head -c 2)" = na ] && break
    sleep 0.05
  done
  xdotool windowfocus "$wid" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+v
  sleep 0.2
  quit_driver
  edit=$(awk '$1 == "edit" { print $2 }' <<<"$report")
  [ "$edit" = 'na%95ve%0Dzwei' ] || fail "the record holds $edit; expected na%95ve%0Dzwei"
  ;;

resize)
  # The native window shrinks below Beta's title bar, then grows to the whole
  # X screen: the desktop follows both, Beta is kept within reach, and the
  # area the growth uncovers shows the desktop and the menu bar at once.
  start_driver --probe 300,10
  bar=$(awk '$1 == "probe" && $2 == "300,10" { print $3 }' "$out")
  read -r sw sh <<<"$(xdotool getdisplaygeometry)"
  xdotool windowsize --sync "$wid" 320 240
  sleep 0.3
  xdotool windowsize --sync "$wid" "$sw" "$sh"
  retry 40 pixel_is $((sw - 60)) $((sh - 60)) 3C4A60 || fail "the grown area does not show the desktop"
  retry 40 pixel_is $((sw - 60)) 10 "$bar" || fail "the menu bar does not span the grown desktop"
  quit_driver
  [ "$(awk '$1 == "desktop" { print $2 }' <<<"$report")" = "$sw,$sh" ] ||
    fail "the desktop did not follow the window: $(grep '^desktop' <<<"$report")"
  IFS=, read -r l2 t2 r2 b2 <<<"$(field "$report" Beta content)"
  [ -n "$l2" ] && [ "$l2" -lt $((320 - 8)) ] && [ "$t2" -lt $((240 - 8)) ] ||
    fail "Beta was left out of reach of the small desktop at $l2,$t2"
  ;;

wayland)
  # The driver on a Wayland compositor (weston, nested in the X display, with
  # its own seat): its desktop must reach the screen, and it must exit cleanly.
  runtime=$work/runtime
  mkdir -m 700 "$runtime"
  printf '[core]\nidle-time=0\n[shell]\nbackground-color=0xff102030\npanel-position=none\n' \
    >"$work/weston.ini"
  XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman --socket=ks-e2e \
    --width=1000 --height=700 --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
  helper_pid=$!
  retry 100 test -S "$runtime/ks-e2e" || skip "weston could not start: $(tail -n 3 "$work/weston.log")"
  # Mesa's software driver (behind SDL's renderer here) and the decorations
  # plugin are unloaded before the leak check, which then cannot name what
  # they keep; leaks are checked by the X11 cases, memory errors still here.
  XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=ks-e2e SDL_VIDEODRIVER=wayland \
    LSAN_OPTIONS="${LSAN_OPTIONS:-}:detect_leaks=0" "$driver" --time-limit 4 >"$out" 2>"$err" &
  driver_pid=$!
  retry 100 grep -q '^ready$' "$out" || fail "the driver did not get ready on Wayland"
  # The desktop background: the window reached weston's output on the X screen.
  retry 40 pixels_at_least 10000 3C4A60 || fail "the desktop never reached the screen"
  status=0
  wait "$driver_pid" || status=$?
  driver_pid=
  [ "$status" -eq 0 ] || fail "the driver exited with status $status"
  grep -q '^end timeout$' "$out" || fail "the driver did not run to its time limit"
  grep -Eq 'Assertion|LeakSanitizer|AddressSanitizer|runtime error' "$err" && fail "error report at exit"
  ;;

msgbox)
  # The window's command fails; its report comes up as a message box, and a
  # click on the box's OK button answers it.
  start_driver
  xdotool key --clearmodifiers f
  retry 100 grep -q '^box OK ' "$out" || fail "no message box came up"
  IFS=, read -r bh bv <<<"$(sed -n 's/^box OK //p' "$out" | head -n1)"
  pointer_to "$bh" "$bv"
  xdotool click 1
  retry 100 grep -q '^answer ' "$out" || fail "the click did not answer the box"
  [ "$(sed -n 's/^answer //p' "$out" | head -n1)" = 1 ] || fail "the box did not answer OK"
  quit_driver
  ;;

*)
  fail "unknown case"
  ;;
esac
echo "passed: $case_name"
