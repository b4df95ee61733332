#!/usr/bin/env bash
# A whole Cricket leg at the bar machine, played through as a new player would, under a virtual X
# server with openbox, every click held 0.3 s: title -> character select -> OK -> darts bar ->
# the game select, set up by hand from its first opening (Cricket; "+ Add" twice; the second seat
# made a guest, its name typed) -> Start -> the player's and the guest's turns thrown, the
# hand-overs clicked, the computers' turns watched -> the result -> the title -> Escape.
# Pictures of each new screen are taken from the X server's frame buffer as they show.
#
# Not part of the tests: the computers throw at the game's own pace (about 9 s a dart, waiting on
# their gauge), so a leg takes many minutes. Run it by hand when the bar machine's screens change.
#
#   bar_leg_by_hand.sh DARTS PICTURES_FOLDER     (run from the top of the repository)
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  darts=$2 out=$3 pictures=$4 fb=$5
  . "$(dirname "$0")/window_manager.sh"
  . "$(dirname "$0")/played_game.sh"
  held_click() { xdotool mousedown 1 sleep 0.3 mouseup 1; }
  click_at() { xdotool mousemove --window "$window" "$1" "$2"; held_click; }
  picture() {  # NAME: the screen as it stands, once the game has shown it for a few frames
    "$convert" "xwd:$fb/Xvfb_screen0" "$pictures/$1.png"
    echo "picture $1 at frame $(grep -c '' "$log")"
  }
  last_shown() { tail -n 1 "$log" | cut -d' ' -f2-; }
  start_openbox "$out" || exit 1
  log=$out/shown.txt
  DARTS_STATE_LOG=$log "$darts" --window --seed 5 --mute 2>>"$out/stderr.txt" &
  game=$!
  wait_for_window "$game" 60 || exit 1
  walk_to_game_select "$game" "$log" || exit 1
  picture game-select-first
  for _ in 1 2 3 4 5; do click_at 578 100; done  # the game's right arrow: 701 ... 1501, Cricket
  click_at 670 333  # + Add
  click_at 670 333  # + Add
  click_at 262 416  # the second seat's kind: a guest
  click_at 600 416  # its name box
  focus_window "$window" || exit 1
  xdotool type --delay 150 "Aki"
  hold_key Return
  xdotool mousemove --window "$window" 700 300
  wait_for_frames "$game" "$log" 5 30 || exit 1
  picture game-select-cricket
  click_at 675 551  # Start
  wait_for_shown "$game" "$log" "match aiming" 10 60 || exit 1
  picture first-dart
  echo "the game select left for the match: frames $(grep -c ' game-select$' "$log") on it"

  # A human's turn: up to three darts, each a click once the arm is aimed.
  human_turn() {
    local dart
    for dart in 1 2 3; do
      wait_for "$game" 120 "the next dart or the leg's end" \
        eval 'shown_for "$log" "match aiming" 10 || [[ $(last_shown) == bar* ]]' || return 1
      [[ $(last_shown) == bar* ]] && return 0
      held_click
      wait_for "$game" 60 "the dart's flight" \
        eval '[[ $(last_shown) == "match released" || $(last_shown) == "match landed" ]]' || return 1
    done
  }
  human_turn || exit 1
  turns=1 shots=0
  while true; do
    wait_for "$game" 600 "the machine's next pause" \
      eval '[[ $(last_shown) == bar* ]] && shown_for "$log" "$(last_shown)" 10' || exit 1
    shown=$(last_shown)
    case $shown in
      "bar hand-over")
        if [ "$shots" -lt 2 ]; then picture "hand-over-$turns"; shots=$((shots + 1)); fi
        held_click
        wait_for "$game" 30 "the hand-over's end" eval '[[ $(last_shown) != "bar hand-over" ]]' ||
          exit 1
        turns=$((turns + 1))
        human_turn || exit 1
        ;;
      "bar leg-over")
        picture leg-over
        held_click
        ;;
      "bar game-over")
        picture game-over
        held_click
        break
        ;;
      *)
        echo "FAIL: unexpected '$shown'"
        exit 1
        ;;
    esac
  done
  wait_for_shown "$game" "$log" title 10 120 || exit 1
  picture back-on-title
  echo "human turns: $turns"
  focus_window "$window" || exit 1
  hold_key Escape
  wait_for_exit "$game" 30
  exit "$status"
fi

# ImageMagick's, where a stand-in of the same name comes first on the path.
convert=$(command -v /usr/bin/convert || command -v convert) || { echo "ImageMagick is needed"; exit 1; }
export convert
darts=$(realpath "$1")
pictures=$(realpath -m "$2")
mkdir -p "$pictures"
out=$(mktemp -d)
fb=$out/fb
mkdir -p "$fb"
export XDG_CONFIG_HOME=$out/config SDL_AUDIODRIVER=dummy
conf=$XDG_CONFIG_HOME/darts301/darts301.conf
mkdir -p "$(dirname "$conf")"
echo "bar_games = yes" >"$conf"
status=0
xvfb-run -a -s "-noreset -screen 0 1024x768x24 -fbdir $fb" "$0" --inside "$darts" "$out" "$pictures" "$fb" ||
  status=$?
cp "$out/shown.txt" "$pictures/shown.txt" 2>/dev/null || true
echo "settings file after the game:"
cat "$conf"
if [ "$status" != 0 ] || grep -q '^darts:' "$out/stderr.txt"; then
  echo "ended with status $status; the game said:" >&2
  cat "$out/stderr.txt" >&2
  tail -n 5 "$out/shown.txt" >&2 || true
  exit 1
fi
rm -rf "$out"
