# Sourced by the played tests that type at the game's window; those that need a window manager
# on their virtual X server (full screen and Alt+Enter go through one, as on a desktop) start
# openbox with it. Needs xdotool, and openbox for start_openbox.

# Starts openbox and returns once it has taken over the screen: its --startup command runs only
# then. A window mapped earlier may be left unmanaged and without the keyboard's focus, so that
# keys typed at it go nowhere. Sets wm to openbox's process id. On a loaded machine this can take
# seconds.
start_openbox() {  # SCRATCH
  local ready=$1/openbox-ready
  rm -f "$ready"
  openbox --sm-disable --startup "touch $ready" >"$1/openbox.log" 2>&1 &
  wm=$!
  local _
  for _ in $(seq 600); do [ -e "$ready" ] && return 0; sleep 0.05; done
  echo "FAIL: openbox did not start in 30 s: $(head -c 300 "$1/openbox.log")"
  return 1
}

# Gives WINDOW the keyboard's focus and waits until it has it: keys typed by xdotool go to the
# focused window, and on a loaded machine the window manager may take a while to hand it over.
focus_window() {  # WINDOW
  local _
  for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    # Without a window manager there is no one to ask: the focus is set directly.
    xdotool windowactivate "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.1
  done
  echo "FAIL: window $1 never got the focus (it is on $(xdotool getwindowfocus 2>/dev/null))"
  return 1
}
