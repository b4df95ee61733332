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

# With a file named (a screenshot the game writes of an early frame), the mouse first waits for it:
# a slow build (the sanitizers) may take longer than the usual two seconds to show the title, and a
# move before that would land on another picture than the one the test expects.
into_match() {
  local title_shown=${1:-}
  wait_for_window "$game" 30 || exit 1
  if [ -n "$title_shown" ]; then
    wait_for_file "$game" "$title_shown" 60 "the title screenshot" || exit 1
  fi
  sleep 2
  # The front end moves its cursor 3 pixels per count of relative motion, from 0, 0.
  xdotool mousemove_relative -- 120 170  # the third menu item: character select
  player_click
  sleep 1.5
  # Where the system pointer came up on the character-select screen, over the window (x y).
  local px py wx wy
  px=$(xdotool getmouselocation --shell | sed -n 's/^X=//p')
  py=$(xdotool getmouselocation --shell | sed -n 's/^Y=//p')
  wx=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^X=//p')
  wy=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^Y=//p')
  pointer_on_select="$((px - wx)) $((py - wy))"
  xdotool mousemove --window "$window" 640 512  # OK on the character-select screen
  player_click
  sleep 1.5
  xdotool mousemove_relative -- 0 -27  # the first item: the darts bar
  player_click
  sleep 1.5
  player_click  # the match starts
}
