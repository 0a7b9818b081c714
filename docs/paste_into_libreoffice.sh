#!/bin/bash
# A chart published by quillmap, pasted into LibreOffice Draw under Xvfb (the README's
# pasted-chart.png). Usage: docs/paste_into_libreoffice.sh <build folder> [file.wk1]
set -eu
build=$1
docs=$(cd "$(dirname "$0")" && pwd)
wk1=${2:-$(dirname "$docs")/examples/treatment.wk1}
work=$(mktemp -d)
Xvfb :98 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:98 HOME=$work QT_QPA_PLATFORM=xcb
mkdir -p "$HOME/Desktop"
sleep 1

window_named() {
  for _ in $(seq 600); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.1
  done
}

xclip -selection clipboard -t Wk1 -i "$wk1"
"$build/app/quillmap" &
app=$!
w=$(window_named '^Quillmap$'); sleep 0.5; xdotool windowfocus --sync "$w"; xdotool key Return
w=$(window_named '^Quillmap 0001$'); sleep 0.3; xdotool windowfocus --sync "$w"; xdotool key Return
wait $app
echo "offered: $(xclip -selection clipboard -o -t TARGETS | tr '\n' ' ')"

lodraw --norestore --nologo -env:UserInstallation=file://$work/lo >/dev/null 2>&1 &
office=$!
w=$(window_named 'LibreOffice Draw')
sleep 8
tip=$(xdotool search --onlyvisible --name 'Tip of the Day' 2>/dev/null | tail -1)
if [ -n "$tip" ]; then xdotool windowfocus --sync "$tip"; xdotool key Escape; sleep 1; fi
xdotool windowfocus --sync "$w" 2>/dev/null || true
xdotool key ctrl+v
sleep 6
import -window root "$docs/pasted-chart.png"
kill $office 2>/dev/null || true
