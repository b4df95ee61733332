# Sourced by the played tests: bounded waits on a game started in the background, each of which
# gives up at once when the game has ended, and says what it waited for when it gives up. The
# test's own time limit would otherwise end it without a word.
#
# The virtual X servers of the tests run with -noreset: by default a server resets when its last
# client leaves, and a game connecting in that moment (after one of xdotool's short connections,
# before its own) is refused.

# Polls COMMAND ten times a second until it succeeds.
wait_for() {  # GAME_PID SECONDS WHAT COMMAND...
  local game=$1 seconds=$2 what=$3 _
  shift 3
  for _ in $(seq $((seconds * 10))); do
    "$@" && return 0
    kill -0 "$game" 2>/dev/null || { echo "FAIL: the game ended before $what came"; return 1; }
    sleep 0.1
  done
  echo "FAIL: waited $seconds s for $what in vain"
  stop_stuck_game "$game"
  return 1
}

game_window_shown() {
  window=$(xdotool search --name '^301 Darts Bar$' 2>/dev/null | head -n 1) || true
  [ -n "$window" ]
}

# Waits for the game's window and sets window to its id.
wait_for_window() {  # GAME_PID SECONDS
  wait_for "$1" "$2" "the game's window" game_window_shown
}

# Waits until FILE is there and not empty (a screenshot the game writes at a frame).
wait_for_file() {  # GAME_PID FILE SECONDS WHAT
  wait_for "$1" "$3" "$4" test -s "$2"
}

# The game's state log (DARTS_STATE_LOG) says WHAT for each of the last FRAMES presented frames.
shown_for() {  # LOG WHAT FRAMES
  [ -s "$1" ] && [ "$(tail -n "$3" "$1" | grep -cx "[0-9]* $2")" -eq "$3" ]
}

# Waits until the game has shown WHAT (as its state log names it) for FRAMES frames: long enough
# that what the screen reads from the mouse and keyboard is now its own.
wait_for_shown() {  # GAME_PID LOG WHAT FRAMES SECONDS
  wait_for "$1" "$5" "'$3' on the screen for $4 frames" shown_for "$2" "$3" "$4"
}

# The game's state log holds at least COUNT frames.
frames_past() {  # LOG COUNT
  [ "$(grep -c '' "$1" || true)" -ge "$2" ]
}

# Waits until the game has presented FRAMES more frames than its state log holds now.
wait_for_frames() {  # GAME_PID LOG FRAMES SECONDS
  local until=$(($(grep -c '' "$2" || true) + $3))
  wait_for "$1" "$4" "$3 more frames" frames_past "$2" "$until"
}

# Waits until the game has ended and sets status to its exit status.
wait_for_exit() {  # GAME_PID SECONDS
  local _
  for _ in $(seq $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    echo "FAIL: the game did not end within $2 s"
    stop_stuck_game "$1"
  fi
  status=0
  wait "$1" || status=$?
}

# A game that is still running when the test gives up on it: its threads' stacks say where it
# stands (where gdb is installed), then it is killed.
stop_stuck_game() {  # GAME_PID
  kill -0 "$1" 2>/dev/null || return 0
  if command -v gdb >/dev/null; then
    timeout 20 gdb -p "$1" -batch -iex "set debuginfod enabled off" \
      -ex "thread apply all bt" 2>&1 | grep -E '^(Thread|#)' || true
  fi
  kill -9 "$1" 2>/dev/null || true
}

# Presses KEY and lets it go a few tenths of a second later, as a player does: the game looks at
# the keyboard once a frame.
hold_key() {  # KEY
  xdotool keydown "$1" sleep 0.25 keyup "$1"
}

# Exits 77 (the test is skipped) unless every TOOL is installed.
need_tools() {  # TOOL...
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is needed"; exit 77; }
  done
}

# From the title as the game first shows it (its cursor at 0, 0) to the bar machine's game select,
# with bar games on, every press held 0.3 s: character select -> OK -> darts bar. Needs window.
walk_to_game_select() {  # GAME_PID LOG
  wait_for_shown "$1" "$2" title 10 60 || return 1
  # The front end moves its cursor 3 pixels per count of relative motion.
  xdotool mousemove_relative -- 120 170 mousedown 1 sleep 0.3 mouseup 1  # character select
  wait_for_shown "$1" "$2" character-select 10 60 || return 1
  xdotool mousemove --window "$window" 640 512 mousedown 1 sleep 0.3 mouseup 1  # OK
  wait_for_shown "$1" "$2" title 10 60 || return 1
  xdotool mousemove_relative -- 0 -27 mousedown 1 sleep 0.3 mouseup 1  # the first item: darts bar
  wait_for_shown "$1" "$2" game-select 10 60
}
