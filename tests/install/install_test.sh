#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a player gets: the layout (game, data,
# menu entry, icons), the menu entry against the freedesktop rules, and the installed game started
# from an unrelated working folder, where it must find its data by itself and still write a
# screenshot named on the command line into that working folder.
#
#   install_test.sh CMAKE BUILD_DIR SOURCE_DIR NAME CONFIGURED_DATA_DIR
#
# Exits 77 (skipped) without xvfb-run, after the layout checks.
set -euo pipefail

cmake=$1 build=$2 source=$3 name=$4 configured=$5
scratch=$(mktemp -d)
manifest=$build/install_manifest.txt
saved_manifest=$scratch/install_manifest.txt
# An install writes its manifest into the build folder; a real install's list of files, needed to
# uninstall it, must survive this scratch install.
if [ -f "$manifest" ]; then cp "$manifest" "$saved_manifest"; fi
restore_manifest() {
  if [ -f "$saved_manifest" ]; then cp "$saved_manifest" "$manifest"; else rm -f "$manifest"; fi
}
trap 'restore_manifest; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" || {
  cat "$scratch/install.log"
  fail "cmake --install failed"
}
restore_manifest

[ -x "$prefix/bin/$name" ] || fail "no executable bin/$name"
for folder in data sound; do
  expected=$(cd "$source/$folder" && find . -type f | sort)
  installed=$(cd "$prefix/share/$name/$folder" && find . -type f | sort)
  [ "$expected" = "$installed" ] || fail "share/$name/$folder differs from $folder/"
done

desktop=$prefix/share/applications/$name.desktop
[ -f "$desktop" ] || fail "no share/applications/$name.desktop"
for line in "Name=301 Darts Bar" "Exec=$name" "Icon=$name" "Categories=Game;SportsGame;"; do
  grep -qxF "$line" "$desktop" || fail "$desktop lacks the line $line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
fi

# A PNG of exactly the size its folder names: the signature, then IHDR's width and height.
for size in 16 32; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$name.png
  [ -f "$icon" ] || fail "no icon $icon"
  header=$(od -An -tx1 -N24 "$icon" | tr -d ' \n')
  [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  printf -v dimensions '%08x%08x' "$size" "$size"
  [ "${header:32:16}" = "$dimensions" ] || fail "$icon is not ${size}x${size}"
done

elsewhere=$scratch/elsewhere
mkdir "$elsewhere"

# Without data beside it nor in the folder the build installs to, the game says so in one line.
lonely=$scratch/lonely/bin
mkdir -p "$lonely"
cp "$prefix/bin/$name" "$lonely/"
if [ ! -d "$configured" ]; then
  status=0
  (cd "$elsewhere" && "$lonely/$name" --window --frames 1) 2>"$scratch/lonely.txt" || status=$?
  [ "$status" -eq 1 ] || fail "a game without data ended with status $status"
  [ "$(wc -l <"$scratch/lonely.txt")" -eq 1 ] || fail "not one line: $(cat "$scratch/lonely.txt")"
  grep -q "pcdata.kpd" "$scratch/lonely.txt" || fail "no file named: $(cat "$scratch/lonely.txt")"
fi

if ! command -v xvfb-run >/dev/null; then
  echo "skipped: xvfb-run is needed to start the installed game"
  exit 77
fi
status=0
(cd "$elsewhere" && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-noreset -screen 0 1024x768x24" \
  "$prefix/bin/$name" --window --frames 30 --screenshot 30:shot.png) 2>"$scratch/game.txt" ||
  status=$?
cat "$scratch/game.txt" >&2
[ "$status" -eq 0 ] || fail "the installed game ended with status $status"
[ -s "$elsewhere/shot.png" ] || fail "the screenshot did not land in the working folder"
echo "installed game ran from $elsewhere"
