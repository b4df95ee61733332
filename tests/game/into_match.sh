# Sourced by the scripts that play the real game with xdotool: waits for the game's window and
# clicks through the title, the character-select screen and the darts bar into a match. Sets
# `window` to the game's window.
into_match() {
  window=$(timeout 30 xdotool search --sync --name '^301 Darts Bar$' | head -n 1)
  sleep 2
  # The front end moves its cursor 3 pixels per count of relative motion, from 0, 0.
  xdotool mousemove_relative -- 120 170 click 1  # the third menu item: character select
  sleep 1.5
  xdotool mousemove --window "$window" 640 512 click 1  # OK on the character-select screen
  sleep 1.5
  xdotool mousemove_relative -- 0 -27 click 1  # the first item: the darts bar
  sleep 1.5
  xdotool click 1  # the match starts
}
