# Sourced by the display tests: the X server's display number, and where the picture lies on its
# screen, read from dumps of the root window by root_picture.py. Needs xwd and python3, and from
# the test: here (this folder), scratch (a folder to write in), say WORDS... and fail WORDS...
# (which ends the test).

# Waits up to 15 s for the display number that an X server started with -displayfd 3
# 3>"$scratch/display" writes once it is ready, and sets number to it ("" when none came).
await_display_number() {  # SERVER_PID
  local _
  number=""
  for _ in $(seq 150); do
    number=$(head -n 1 "$scratch/display" 2>/dev/null || true)
    [ -n "$number" ] && return 0
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
}

shot=0
# One root-window dump: sets w h (the screen), l t r b (the box of what is not black) and light
# (its mean brightness). DARTS_DISPLAY_TEST_KEEP=DIR keeps it as a PNG named after WHAT. A dump
# may be refused while the screen changes size (xwd reads each window of another visual, and
# one that still reaches past a smaller screen gives an X error): that dump counts as no picture.
picture() {  # WHAT
  shot=$((shot + 1))
  w=0 h=0 l=-1 t=-1 r=-1 b=-1 light=-1
  if ! xwd -root -silent >"$scratch/root.xwd" 2>"$scratch/xwd.txt"; then
    say "($1: no dump: $(head -n 1 "$scratch/xwd.txt"))"
    return 0
  fi
  local png=()
  if [ -n "${DARTS_DISPLAY_TEST_KEEP:-}" ]; then
    mkdir -p "$DARTS_DISPLAY_TEST_KEEP"
    png=("$DARTS_DISPLAY_TEST_KEEP/$(printf '%02d' "$shot")-${1//[^a-zA-Z0-9]/_}.png")
  fi
  python3 "$here/root_picture.py" "$scratch/root.xwd" "${png[@]}" >"$scratch/box"
  read -r w h l t r b light <"$scratch/box"
}
# Whether the last dump's box is LEFT TOP RIGHT BOTTOM (to 2 pixels: the edge of the scaled
# picture may round either way) and, with dark or light, the title (dark) or the character-select
# screen (light, the bar's cream wall).
box_is() {  # LEFT TOP RIGHT BOTTOM [dark|light]
  [ $((l - $1)) -le 2 ] && [ $(($1 - l)) -le 2 ] && [ $((t - $2)) -le 2 ] && [ $(($2 - t)) -le 2 ] &&
    [ $((r - $3)) -le 2 ] && [ $(($3 - r)) -le 2 ] && [ $((b - $4)) -le 2 ] && [ $(($4 - b)) -le 2 ] &&
    case ${5:-} in dark) [ "$light" -lt 80 ] ;; light) [ "$light" -ge 80 ] ;; *) true ;; esac
}
# Polls the root window until the picture's box is LEFT TOP RIGHT BOTTOM, for up to 20 s: a
# loaded machine may take seconds to show a change.
await_picture() {  # WHAT LEFT TOP RIGHT BOTTOM [dark|light]
  local what=$1 deadline=$((SECONDS + 20))
  shift
  while :; do
    picture "$what"
    if box_is "$@"; then
      say "$what: screen ${w}x$h, picture $l,$t..$r,$b (brightness $light)"
      return 0
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "$what: picture $l,$t..$r,$b (brightness $light), not $1,$2..$3,$4${5:+ ($5)}"
    fi
    sleep 0.2  # the game needs the CPU more than this loop
  done
}
