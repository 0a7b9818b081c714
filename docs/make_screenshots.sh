#!/bin/bash
# Screenshots of the three dialogs for the README, taken under Xvfb (no window manager, so
# the windows have no title bars). Usage: docs/make_screenshots.sh <build folder>
# Needs Xvfb, xclip, xdotool and ImageMagick's import.
set -eu
build=$1
docs=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$docs")
work=$(mktemp -d)
Xvfb :97 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:97 HOME=$work QT_QPA_PLATFORM=xcb
mkdir -p "$HOME/Desktop"
sleep 1

window_named() {
  for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.1
  done
}

xclip -selection clipboard -t Wk1 -i "$source_dir/examples/treatment.wk1"
"$build/app/quillmap" &
app=$!
main=$(window_named Quillmap)
sleep 0.5
import -window "$main" "$docs/main-dialog.png"

# The Options button, then the Options dialog.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((WIDTH * 5210 / 10000)) $((HEIGHT * 4845 / 10000)) click 1
options=$(window_named Options)
sleep 0.5
import -window "$options" "$docs/options-dialog.png"
xdotool key Escape
sleep 0.3

# The About entry of the dialog's menu.
xdotool mousemove --window "$main" $((WIDTH / 2)) $((HEIGHT - 20)) click 3
sleep 0.5
xdotool key Down Return
about=$(window_named "About Quillmap")
sleep 0.5
import -window "$about" "$docs/about-box.png"
xdotool key Return
sleep 0.3
xdotool windowfocus "$main" key Escape
wait $app
