#!/usr/bin/env bash
# Runs the real game on a damaged copy of its runtime folders (data/ and sound/) or a poor machine
# and checks that it either plays on or ends with exactly one line on stderr and the right status,
# and that it never crashes, hangs or trips a sanitizer.
#
#   fault_test.sh DARTS CASE      (run from the top of the repository)
#
# CASE is one of the names of the case statement below (tests/faults/CMakeLists.txt lists them).
# Exits 77 (skipped) where the game cannot get a window at all (no offscreen video driver, or no
# xvfb-run and xdotool for the played case).
set -euo pipefail

darts=$(realpath "$1")
case_name=$2
repo=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$repo/data" "$repo/sound" "$work/"

# Every run: no sound card of its own (the dummy driver) unless the case says otherwise, the
# offscreen video driver (a real OpenGL context without a display), a fixed seed and a short run.
export SDL_AUDIODRIVER=dummy
export SDL_VIDEODRIVER=offscreen
# Under the sanitizers the leak report may list the suppressions it used: not the game's stderr.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
game_args=(--window --seed 3 --frames 30)

# Damage that keeps a file's name: cut it to its first half, or fill it with bytes of another
# format (the start of the WAV effect, which is neither text, model nor image).
truncate_half() { truncate -s $(($(stat -c %s "$1") / 2)) "$1"; }
garble() { head -c "$(stat -c %s "$1")" "$repo/sound/BOARDHIT.WAV" >"$1.tmp" && mv "$1.tmp" "$1"; }
# A folder where the file should be: it opens but cannot be read.
unreadable() { rm -f "$1" && mkdir "$1"; }
textures() { find "$work/data" -maxdepth 1 \( -name '*.png' -o -name '*.jpg' \) | sort; }

# One run of the game in the damaged folder, checked.
#   run_and_check FOLDER STATUS PATTERN LABEL
run_and_check() {
  local folder=$1 want_status=$2 want_line=$3 label=$4
  local err="$folder/stderr.txt" status=0
  # A start-up that fails closes the window, and with it unloads the OpenGL driver: what the
  # driver had allocated can then no longer be told apart from the game's own leaks, so leak
  # checking is left to the runs that play on (every other sanitizer check stays on). The same
  # holds for a run whose first window was closed to try another kind of context.
  local asan=${ASAN_OPTIONS:-}
  if [ "$want_status" -ne 0 ] || [ -n "${first_window_closed:-}" ]; then
    asan="${asan:+$asan:}detect_leaks=0"
  fi
  (cd "$folder" && ASAN_OPTIONS=$asan timeout -k 5 60 "$darts" "${game_args[@]}" 2>"$err" >/dev/null) || status=$?
  local lines
  lines=$(grep -c '' "$err" || true)
  local problem=""
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    problem="hung (killed after 60 s)"
  elif [ "$status" -ge 128 ]; then
    problem="died of signal $((status - 128))"
  elif grep -qE 'Sanitizer|runtime error:' "$err"; then
    problem="sanitizer report"
  elif grep -qE '^darts: cannot (start SDL video|create the window)' "$err"; then
    echo "skipped: no offscreen video driver"; cat "$err"; return 77
  elif [ "$status" -ne "$want_status" ]; then
    problem="status $status, expected $want_status"
  elif [ "$want_line" = any ]; then
    [ "$lines" -le 1 ] || problem="$lines lines on stderr, expected at most one"
  elif [ -z "$want_line" ]; then
    [ "$lines" -eq 0 ] || problem="$lines lines on stderr, expected none"
  elif [ "$lines" -ne 1 ]; then
    problem="$lines lines on stderr, expected exactly one"
  elif ! grep -qE "$want_line" "$err"; then
    problem="the line does not match /$want_line/"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $case_name${label:+ ($label)}: $problem"
    echo "--- stderr:"; cat "$err"
    return 1
  fi
  echo "ok $case_name${label:+ ($label)}: status $status$( [ "$lines" -gt 0 ] && echo ", stderr: $(head -n 1 "$err")")"
}

# What the run must end with: "0" (plays on) or a status, and a pattern that the single stderr
# line must match ("" for no line at all, "any" for at most one line of any kind).
expect_status=0 expect_line=""
expect() { expect_status=$1 expect_line=$2; }

case "$case_name" in
  roster_missing) rm "$work/data/pcdata.kpd"; expect 1 '^darts: cannot open the roster data/pcdata.kpd' ;;
  roster_unreadable) unreadable "$work/data/pcdata.kpd"; expect 1 '^darts: cannot open the roster data/pcdata.kpd' ;;
  roster_truncated) truncate_half "$work/data/pcdata.kpd"; expect 0 "" ;;
  roster_garbage) garble "$work/data/pcdata.kpd"; expect 0 "" ;;
  shots_missing) rm "$work/data/pcshotp.kpd"; expect 1 '^darts: cannot open the shot table data/pcshotp.kpd' ;;
  shots_unreadable) unreadable "$work/data/pcshotp.kpd"; expect 1 '^darts: cannot open the shot table data/pcshotp.kpd' ;;
  shots_truncated) truncate_half "$work/data/pcshotp.kpd"; expect 0 "" ;;
  shots_garbage) garble "$work/data/pcshotp.kpd"; expect 0 "" ;;
  model_missing_*|model_truncated_*|model_garbage_*)
    model="$work/data/${case_name##*_}.x"
    [ -f "$model" ] || { echo "no such model: $model"; exit 2; }
    case "$case_name" in
      model_missing_*) rm "$model" ;;
      model_truncated_*) truncate_half "$model" ;;
      model_garbage_*) garble "$model" ;;
    esac
    expect 1 "^darts: cannot load the model data/${case_name##*_}\\.x" ;;
  # Every texture the models name, one run each: the subset is drawn untextured.
  textures_missing|textures_truncated|textures_garbage)
    mapfile -t files < <(textures)
    [ "${#files[@]}" -gt 0 ] || { echo "no textures in data/"; exit 2; }
    for file in "${files[@]}"; do
      cp "$file" "$file.good"
    done
    failed=0
    for file in "${files[@]}"; do
      case "$case_name" in
        textures_missing) rm "$file" ;;
        textures_truncated) truncate_half "$file" ;;
        textures_garbage) garble "$file" ;;
      esac
      run_and_check "$work" 0 "" "$(basename "$file")" || failed=$?
      mv "$file.good" "$file"
    done
    exit "$failed" ;;
  # A whole played run (title, character select, darts bar, a throw that lands) without any
  # texture, effect or music file: everything is drawn untextured and nothing sounds.
  played_bare)
    command -v xvfb-run >/dev/null && command -v xdotool >/dev/null ||
      { echo "skipped: xvfb-run and xdotool are needed"; exit 77; }
    unset SDL_VIDEODRIVER  # a window on the virtual X server
    textures | xargs rm
    rm "$work/sound/BOARDHIT.WAV" "$work/sound/FM_14.MID"
    status=0
    (cd "$work" && timeout -k 5 240 "$repo/tests/played/play_test.sh" "$darts" /bin/true \
       >/dev/null 2>"$work/stderr.txt") || status=$?
    lines=$(grep -c '' "$work/stderr.txt" || true)
    if [ "$status" -ne 0 ] || [ "$lines" -ne 1 ] ||
       ! grep -q '^darts: no music: cannot read the MIDI file' "$work/stderr.txt"; then
      echo "FAIL $case_name: status $status, $lines lines on stderr"; cat "$work/stderr.txt"; exit 1
    fi
    echo "ok $case_name: status 0, stderr: $(cat "$work/stderr.txt")"
    exit 0 ;;
  boardhit_missing) rm "$work/sound/BOARDHIT.WAV"; expect 0 "" ;;
  # Not RIFF at all: the bytes of a model.
  boardhit_garbage) head -c 4096 "$repo/data/hand.x" >"$work/sound/BOARDHIT.WAV"; expect 0 "" ;;
  boardhit_truncated) truncate_half "$work/sound/BOARDHIT.WAV"; expect 0 "" ;;
  midi_missing) rm "$work/sound/FM_14.MID"; expect 0 '^darts: no music: cannot read the MIDI file sound/FM_14.MID$' ;;
  midi_garbage) head -c 4096 "$repo/data/hand.x" >"$work/sound/FM_14.MID"
    expect 0 '^darts: no music: cannot read the MIDI file sound/FM_14.MID$' ;;
  # A MIDI header followed by nonsense: the synthesiser gives up on the tune when it reads it.
  midi_truncated) truncate -s 30 "$work/sound/FM_14.MID"; expect 0 any ;;
  no_soundfont) export DARTS_SOUNDFONT="$work/no-such-font.sf2"
    expect 0 '^darts: no music: no General MIDI soundfont found' ;;
  audio_dummy) expect 0 "" ;;
  # Nowhere to show the window: the game ends saying so instead of playing unseen. Wayland's
  # client library stays quiet with a runtime folder of its own.
  no_display) unset SDL_VIDEODRIVER DISPLAY WAYLAND_DISPLAY; export XDG_RUNTIME_DIR=$work
    expect 1 '^darts: no display to open the window on' ;;
  audio_no_such_driver) export SDL_AUDIODRIVER=no-such-driver; expect 0 "" ;;
  # Mesa then offers nothing newer than OpenGL 2.1: no 3.3 core context can be made, and the
  # game plays on OpenGL ES 3.0 instead; with ES held at 2.0 as well it has neither.
  no_gl33) export MESA_GL_VERSION_OVERRIDE=2.1 MESA_GLSL_VERSION_OVERRIDE=120
    first_window_closed=1  # the core attempt's window goes, and the desktop driver with it
    expect 0 "" ;;
  no_gl33_no_gles30) export MESA_GL_VERSION_OVERRIDE=2.1 MESA_GLSL_VERSION_OVERRIDE=120
    export MESA_GLES_VERSION_OVERRIDE=2.0
    expect 1 '^darts: .*OpenGL 3\.3 core or OpenGL ES 3\.0' ;;
  gles_forced) export DARTS_GL=es; expect 0 "" ;;
  screenshot_unwritable)
    game_args+=(--screenshot "5:$work/no-such-folder/shot.png")
    expect 1 "^darts: .*$work/no-such-folder/shot.png" ;;
  # Demos: one cut short, one that no longer fits the data it was recorded with (another roster
  # changes the opponent drawn, and with it the state), and a recording nowhere to be written.
  demo_truncated) head -c 1500 "$repo/tests/demos/escape.dem" >"$work/cut.dem"
    game_args=(--window --playdemo cut.dem)
    expect 1 "^darts: the demo file 'cut.dem' ends without its end event" ;;
  demo_out_of_step) cp "$repo/tests/demos/escape.dem" "$work/escape.dem"
    for record in 0 1 2 3 4 5 6 7; do  # every character's gauge statistic becomes 9
      printf '9' | dd of="$work/data/pcdata.kpd" bs=1 seek=$((18 + 60 * record)) conv=notrunc status=none
    done
    game_args=(--window --playdemo escape.dem)
    expect 1 "^darts: demo escape.dem: the game's state differs from the demo's after frame" ;;
  demo_unwritable) game_args+=(--record "$work/no-such-folder/a.dem")
    expect 1 "^darts: cannot create the demo file '$work/no-such-folder/a.dem'" ;;
  *) echo "unknown case: $case_name"; exit 2 ;;
esac

run_and_check "$work" "$expect_status" "$expect_line" ""
