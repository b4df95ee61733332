# Sourced by the scripts that play the real game with xdotool: waits for the game's window and
# clicks through the title, the character-select screen and the darts bar into a match. Sets
# `window` to the game's window, and `pointer_on_select` to where the system pointer appeared on
# the character-select screen. With DARTS_HELD_CLICKS set, every click is made as people click:
# the button is held down for 0.3 s, so its release comes frames after its press. The game's
# process id is in `game`; the waits of played_game.sh come with this file.
. "$(dirname "${BASH_SOURCE[0]}")/played_game.sh"

player_click() {
  if [ -n "${DARTS_HELD_CLICKS:-}" ]; then
    xdotool mousedown 1
    sleep 0.3
    xdotool mouseup 1
  else
    xdotool click 1
  fi
}

# The game must have been started with DARTS_STATE_LOG=LOG: each click waits until the screen it
# is meant for has been up for a few frames, however slowly the machine draws.
into_match() {  # LOG
  local log=$1
  wait_for_window "$game" 60 || exit 1
  # Long enough for the screenshots every 15 frames to catch each screen.
  wait_for_shown "$game" "$log" title 20 60 || exit 1
  # The front end moves its cursor 3 pixels per count of relative motion, from 0, 0.
  xdotool mousemove_relative -- 120 170  # the third menu item: character select
  player_click
  wait_for_shown "$game" "$log" character-select 10 60 || exit 1
  # Where the system pointer came up on the character-select screen, over the window (x y).
  local px py wx wy
  px=$(xdotool getmouselocation --shell | sed -n 's/^X=//p')
  py=$(xdotool getmouselocation --shell | sed -n 's/^Y=//p')
  wx=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^X=//p')
  wy=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^Y=//p')
  pointer_on_select="$((px - wx)) $((py - wy))"
  xdotool mousemove --window "$window" 640 512  # OK on the character-select screen
  player_click
  wait_for_shown "$game" "$log" title 10 60 || exit 1
  xdotool mousemove_relative -- 0 -27  # the first item: the darts bar
  player_click
  wait_for_shown "$game" "$log" darts-bar 30 60 || exit 1
  player_click  # the match starts
  wait_for_shown "$game" "$log" "match aiming" 20 60 || exit 1
}
