# Sourced by the played tests: bounded waits on a game started in the background, each of which
# gives up at once when the game has ended, and says what it waited for when it gives up. The
# test's own time limit would otherwise end it without a word.

# Waits for the game's window and sets window to its id.
wait_for_window() {  # GAME_PID SECONDS
  local _
  for _ in $(seq $(($2 * 10))); do
    window=$(xdotool search --name '^301 Darts Bar$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && return 0
    kill -0 "$1" 2>/dev/null || { echo "FAIL: the game ended before it showed a window"; return 1; }
    sleep 0.1
  done
  echo "FAIL: the game's window did not appear in $2 s"
  return 1
}

# Waits until FILE is there and not empty (a screenshot the game writes at a frame).
wait_for_file() {  # GAME_PID FILE SECONDS WHAT
  local _
  for _ in $(seq $(($3 * 10))); do
    [ -s "$2" ] && return 0
    kill -0 "$1" 2>/dev/null || { echo "FAIL: the game ended before $4"; return 1; }
    sleep 0.1
  done
  echo "FAIL: no $4 after $3 s"
  return 1
}

# Waits until the game has ended and sets status to its exit status. A game that does not end
# in time has its threads' stacks printed (where gdb is installed) and is killed.
wait_for_exit() {  # GAME_PID SECONDS
  local _
  for _ in $(seq $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    echo "FAIL: the game did not end within $2 s"
    if command -v gdb >/dev/null; then
      timeout 60 gdb -p "$1" -batch -iex "set debuginfod enabled off" \
        -ex "thread apply all bt" 2>&1 | grep -E '^(Thread|#)' || true
    fi
    kill -9 "$1" 2>/dev/null || true
  fi
  status=0
  wait "$1" || status=$?
}

# Presses KEY and lets it go a few tenths of a second later, as a player does: the game looks at
# the keyboard once a frame.
hold_key() {  # KEY
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
}
