#!/bin/bash
# quillmap as a user runs it, under Xvfb with xclip as the spreadsheet: a WK1 range goes on
# the clipboard as target Wk1, quillmap starts, OK is pressed from the keyboard, the success
# box is dismissed, and after quillmap has ended the clipboard still yields the chart, the
# same bytes as quilpic.emf on the desktop. The same range as tab-separated text (the .tsv
# beside the .wk1) gives the same chart. Then a clipboard without a range: "No data on
# Clipboard".
# Then, with a clipboard manager running, quillmap-clipboard hands the chart to the manager
# and ends. Last, an owner of the clipboard that does not answer: quillmap says so and "No data
# on Clipboard" after a short wait.
# With a fourth argument "picture" and the picture probe as the fifth, instead: a local page
# in Chromium takes Ctrl+V, and its paste handler must get an image/png of the chart's size;
# the probe (a Qt program) must read a picture from the clipboard.
# With a fourth argument "office", instead: the chart is pasted into new LibreOffice Writer,
# Draw, Impress and Calc documents, which are saved; the picture in each must be the metafile
# (SVM, or EMF of quilpic.emf's bytes), not a bitmap. That part needs LibreOffice and unzip.
# Usage: end_to_end_test.sh <quillmap> <file.wk1> <fake_clipboard_manager> [office]. Exits 77
# (skipped) without the tools.
set -u
quillmap=$1
wk1=$2
fake_manager=$3
mode=${4:-clipboard}
probe=${5:-}
tools="Xvfb xclip xdotool"
[ "$mode" = office ] && tools="$tools soffice unzip"
[ "$mode" = picture ] && tools="$tools chromium"
for tool in $tools; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
[ -r "$wk1" ] || { echo "skipped: $wk1 is missing"; exit 77; }

work=$(mktemp -d)
xvfb=
manager=
silent=
browser=
cleanup() {
  if [ -n "$browser" ]; then
    # Chromium's helpers write its profile until they end.
    kill "$browser" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$browser" 2>/dev/null || break; sleep 0.1; done
    sleep 0.5
  fi
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  [ -n "$silent" ] && kill "$silent" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and names it when it is ready: tests started at the same
# moment (ctest -j, other checkouts) never share one, and so never share a clipboard.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=:$(head -n 1 "$work/display")
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"

export HOME=$work/home
mkdir -p "$HOME/Desktop"
unset WAYLAND_DISPLAY XDG_CONFIG_HOME
export QT_QPA_PLATFORM=xcb

# Presses Return in the window titled exactly $1, once it is shown (up to 20 s). Windows
# come and go while xdotool looks, so a failed search is simply repeated.
press_return_in() {
  local window=
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || return 1
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.2
  xdotool key Return
}

# Waits up to 20 s for a process to end.
wait_for_end() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill "$1"
  return 1
}

# The office paste: new Writer, Draw, Impress and Calc documents take the chart with their
# default paste (what Ctrl+V does) and are saved. A LibreOffice Basic macro of a private user
# profile does the pasting and saving in one LibreOffice run, so no keystrokes reach its
# windows; it also lists the formats LibreOffice saw on the clipboard.
paste_into_office() {
  publish_chart
  local profile=$work/office
  # A first start writes the profile, the macro then replaces the empty Standard module.
  timeout 120 soffice --headless --terminate_after_init -env:UserInstallation="file://$profile" \
    >/dev/null 2>&1 || fail "LibreOffice did not start"
  local module=$profile/user/basic/Standard/Module1.xba
  [ -e "$module" ] || fail "no Basic library in the LibreOffice profile"
  cat >"$module" <<'MACRO'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">
<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" script:language="StarBasic">
Sub PasteIntoOffice
  On Error Goto Failed
  flavors = createUnoService(&quot;com.sun.star.datatransfer.clipboard.SystemClipboard&quot;).getContents().getTransferDataFlavors()
  n = FreeFile
  Open Environ(&quot;QM_OUT&quot;) &amp; &quot;/flavors.txt&quot; For Output As #n
  For i = 0 To UBound(flavors)
    Print #n, flavors(i).MimeType
  Next
  Close #n
  factories = Array(&quot;swriter&quot;, &quot;sdraw&quot;, &quot;simpress&quot;, &quot;scalc&quot;)
  filters = Array(&quot;writer8&quot;, &quot;draw8&quot;, &quot;impress8&quot;, &quot;calc8&quot;)
  Dim filter(0) As New com.sun.star.beans.PropertyValue
  filter(0).Name = &quot;FilterName&quot;
  For k = 0 To 3
    doc = StarDesktop.loadComponentFromURL(&quot;private:factory/&quot; &amp; factories(k), &quot;_blank&quot;, 0, Array())
    createUnoService(&quot;com.sun.star.frame.DispatchHelper&quot;).executeDispatch(doc.CurrentController.Frame, &quot;.uno:Paste&quot;, &quot;&quot;, 0, Array())
    filter(0).Value = filters(k)
    doc.storeToURL(ConvertToURL(Environ(&quot;QM_OUT&quot;) &amp; &quot;/pasted-&quot; &amp; filters(k) &amp; &quot;.zip&quot;), filter())
    doc.close(True)
  Next
  StarDesktop.terminate()
  Exit Sub
Failed:
  n = FreeFile
  Open Environ(&quot;QM_OUT&quot;) &amp; &quot;/error.txt&quot; For Output As #n
  Print #n, &quot;Basic error &quot; &amp; Err &amp; &quot; in line &quot; &amp; Erl &amp; &quot;: &quot; &amp; Error$
  Close #n
  StarDesktop.terminate()
End Sub
</script:module>
MACRO
  QM_OUT=$work timeout 180 soffice --norestore --nologo --nodefault \
    -env:UserInstallation="file://$profile" "macro:///Standard.Module1.PasteIntoOffice" \
    >/dev/null 2>&1 || fail "LibreOffice did not paste and save"
  [ -e "$work/error.txt" ] && fail "$(cat "$work/error.txt")"
  echo "LibreOffice saw: $(tr '\n' ' ' <"$work/flavors.txt" 2>/dev/null)"
  local program document shown
  for program in writer8 draw8 impress8 calc8; do
    document=$work/pasted-$program.zip
    [ -s "$document" ] || fail "$program saved no document"
    echo "$program: pictures $(unzip -Z1 "$document" 'Pictures/*' 2>/dev/null | tr '\n' ' ')"
    # The frame's first image is the one shown; LibreOffice stores a PNG beside a metafile
    # only as the replacement for readers without it.
    shown=$(unzip -p "$document" content.xml | grep -o '<draw:image xlink:href="[^"]*"' | head -1)
    case "$shown" in
      *.emf\")
        unzip -p "$document" "$(echo "$shown" | sed 's/.*href="\(.*\)"/\1/')" >"$work/kept.emf"
        cmp -s "$work/kept.emf" "$HOME/Desktop/quilpic.emf" || fail "$program keeps another EMF"
        echo "$program pasted the metafile, kept as quilpic.emf's bytes: $shown" ;;
      *.svm\") echo "$program pasted the metafile: $shown" ;;
      "") fail "nothing was pasted into $program" ;;
      *) fail "$program pasted a bitmap: $shown" ;;
    esac
    # The chart is 144 mm x 108 mm wherever it lands.
    unzip -p "$document" content.xml |
      grep -q -E 'svg:width="(5.6693in|14.4cm)" svg:height="(4.252in|10.8cm)"' ||
      fail "the chart pasted into $program is not 144 mm x 108 mm"
  done
  echo "PASS"
}

# Puts the range on the clipboard and has quillmap publish its chart.
publish_chart() {
  xclip -selection clipboard -t Wk1 -i "$wk1" || fail "xclip could not take the clipboard"
  "$quillmap" &
  local app=$!
  press_return_in "Quillmap" || fail "the main dialog did not appear"
  press_return_in "Quillmap 0001" || fail "the success message did not appear"
  wait_for_end "$app" || fail "quillmap did not end"
}
# The picture paste: Chromium's page shows what its paste handler got in its title.
paste_as_picture() {
  publish_chart
  local answer
  answer=$("$probe" 2>/dev/null) || fail "the Qt program got no picture"
  echo "the Qt program got: $answer"
  [ "$answer" = "picture 1088x816" ] || fail "the Qt program got $answer"
  cat >"$work/paste.html" <<'PAGE'
<!DOCTYPE html>
<title>waiting</title>
<div id="target" contenteditable="true" autofocus style="width:400px;height:300px">paste here</div>
<script>
document.getElementById("target").focus();
document.addEventListener("paste", async (event) => {
  event.preventDefault();
  const types = [...event.clipboardData.items].map((item) => item.type);
  const item = [...event.clipboardData.items].find((item) => item.type === "image/png");
  if (!item) { document.title = "pasted no png: " + types.join(" "); return; }
  const picture = await createImageBitmap(item.getAsFile());
  document.title = "pasted image/png " + picture.width + "x" + picture.height;
});
</script>
PAGE
  chromium --no-sandbox --no-first-run --no-default-browser-check --disable-gpu \
    --ozone-platform=x11 --user-data-dir="$work/chromium" --window-size=800,600 \
    "file://$work/paste.html" >/dev/null 2>&1 &
  browser=$!
  local window= title=
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^waiting' 2>/dev/null | tail -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "Chromium did not show the page"
  for _ in $(seq 10); do
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key ctrl+v
    for _ in $(seq 20); do
      title=$(xdotool getwindowname "$window" 2>/dev/null)
      case "$title" in pasted*) break 2 ;; esac
      sleep 0.1
    done
  done
  echo "Chromium: $title"
  case "$title" in
    "pasted image/png 1088x816"*) echo "PASS" ;;
    *) fail "Chromium's page got: $title" ;;
  esac
}
if [ "$mode" = picture ]; then
  paste_as_picture
  exit 0
fi
if [ "$mode" = office ]; then
  paste_into_office
  exit 0
fi

# 1. A range on the clipboard: the chart is drawn, written and published.
xclip -selection clipboard -t Wk1 -i "$wk1" || fail "xclip could not take the clipboard"
"$quillmap" &
app=$!
press_return_in "Quillmap" || fail "the main dialog did not appear"
press_return_in "Quillmap 0001" || fail "the success message did not appear"
wait_for_end "$app" || fail "quillmap did not end"

emf=$HOME/Desktop/quilpic.emf
[ -s "$emf" ] || fail "no quilpic.emf on the desktop"
targets=$(xclip -selection clipboard -o -t TARGETS) || fail "no clipboard owner after the end"
echo "clipboard targets:"
echo "$targets"
first=$(echo "$targets" | grep -v -E '^(TARGETS|MULTIPLE|TIMESTAMP|SAVE_TARGETS)$' | head -1)
[ "$first" = 'application/x-openoffice-emf;windows_formatname="Image EMF"' ] ||
  fail "the first chart format is '$first'"
for format in image/x-emf image/emf WCF_ENHMETAFILE \
  'application/x-openoffice-svxb;windows_formatname="SVXB (StarView Bitmap/Animation)"' \
  image/svg+xml image/png image/gif; do
  echo "$targets" | grep -qxF "$format" || fail "format $format is not offered"
done
# Writer would take a JPEG or BMP before the metafile (the PNG it ranks below LibreOffice's
# own graphic).
for format in image/jpeg image/bmp; do
  echo "$targets" | grep -qxF "$format" && fail "format $format is offered"
done
xclip -selection clipboard -o -t image/emf >"$work/pasted.emf" || fail "image/emf unreadable"
cmp "$work/pasted.emf" "$emf" || fail "the pasted metafile differs from quilpic.emf"
xclip -selection clipboard -o -t 'application/x-openoffice-emf;windows_formatname="Image EMF"' \
  >"$work/office.emf" || fail "the office format is unreadable"
cmp "$work/office.emf" "$emf" || fail "the office format differs from quilpic.emf"
xclip -selection clipboard -o -t image/gif >"$work/pasted.gif" || fail "image/gif unreadable"
[ "$(head -c 6 "$work/pasted.gif")" = GIF89a ] || fail "not a GIF"
xclip -selection clipboard -o -t image/png >"$work/pasted.png" || fail "image/png unreadable"
file "$work/pasted.png" | grep -q 'PNG image data, 1088 x 816' ||
  fail "the PNG is not the 1088 x 816 chart: $(file "$work/pasted.png")"
echo "pasted chart: $(stat -c %s "$work/pasted.emf") bytes of EMF, same as quilpic.emf"
# The choices of the chart drawn are remembered in the user's settings.
grep -qx "plotTypeButton=1000" "$HOME/.config/Quillmap/Quillmap.conf" ||
  fail "the choices were not remembered in ~/.config/Quillmap/Quillmap.conf"

# 1b. The same range copied as a spreadsheet copies it, tab-separated text (UTF-8, as
# text/plain and UTF8_STRING): the same chart.
tsv=${wk1%.wk1}.tsv
if [ -r "$tsv" ]; then
  cp "$emf" "$work/from-wk1.emf"
  xclip -selection clipboard -i "$tsv" || fail "xclip could not take the clipboard (text)"
  "$quillmap" &
  app=$!
  press_return_in "Quillmap" || fail "the main dialog did not appear (text range)"
  press_return_in "Quillmap 0001" || fail "the success message did not appear (text range)"
  wait_for_end "$app" || fail "quillmap did not end (text range)"
  cmp "$emf" "$work/from-wk1.emf" || fail "the text range drew another chart than its WK1"
  echo "text range: the same chart as the WK1 range"
fi

# The serving programs of this display: the one that keeps the chart.
servers() {
  local pid
  for pid in $(pgrep -f "$(dirname "$quillmap")/quillmap-clipboard"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "DISPLAY=$display" && echo "$pid"
  done
}
[ -n "$(servers)" ] || fail "no quillmap-clipboard keeps the chart"

# 2. A picture on the clipboard, no range: the server gives the clipboard up and ends; the
# program says "No data on Clipboard" and ends without its dialog.
rm "$emf"
xclip -selection clipboard -t image/png -i "$(dirname "$0")/icons/quillmap-32.png"
for _ in $(seq 50); do [ -z "$(servers)" ] && break; sleep 0.1; done
[ -z "$(servers)" ] || fail "quillmap-clipboard did not end when another program took the clipboard"
"$quillmap" &
app=$!
press_return_in "Quillmap" || fail "the no-data message did not appear"
wait_for_end "$app" || fail "quillmap did not end after the no-data message"
[ ! -e "$emf" ] || fail "a chart was drawn without data"
# 3. With a clipboard manager: the chart goes to the manager, which serves it afterwards.
: >"$work/manager.log"
"$fake_manager" >"$work/manager.log" &
manager=$!
for _ in $(seq 50); do grep -q ready "$work/manager.log" && break; sleep 0.1; done
grep -q ready "$work/manager.log" || fail "the clipboard manager did not start"
xclip -selection clipboard -t Wk1 -i "$wk1"
"$quillmap" &
app=$!
press_return_in "Quillmap" || fail "the main dialog did not appear (with a manager)"
press_return_in "Quillmap 0001" || fail "the success message did not appear (with a manager)"
wait_for_end "$app" || fail "quillmap did not end (with a manager)"
for _ in $(seq 100); do [ -z "$(servers)" ] && break; sleep 0.1; done
[ -z "$(servers)" ] || fail "quillmap-clipboard still runs beside a clipboard manager"
grep -q "saved 8 targets" "$work/manager.log" || fail "the manager got: $(cat "$work/manager.log")"
xclip -selection clipboard -o -t image/emf >"$work/managed.emf" || fail "the manager has no EMF"
cmp "$work/managed.emf" "$emf" || fail "the manager's metafile differs from quilpic.emf"
echo "handed to the clipboard manager: $(tail -1 "$work/manager.log")"

# 4. A clipboard owner that never answers: a short wait, a line on standard error, then "No
# data on Clipboard" (Qt alone would wait 5 s for each of its requests).
: >"$work/silent.log"
"$fake_manager" --silent-owner >"$work/silent.log" &
silent=$!
for _ in $(seq 50); do grep -q ready "$work/silent.log" && break; sleep 0.1; done
grep -q ready "$work/silent.log" || fail "the silent owner did not take the clipboard"
rm -f "$emf"
started=$(date +%s%N)
"$quillmap" 2>"$work/silent.err" &
app=$!
press_return_in "Quillmap" || fail "the no-data message did not appear (silent owner)"
waited=$((($(date +%s%N) - started) / 1000000))
wait_for_end "$app" || fail "quillmap did not end (silent owner)"
grep -q "did not answer" "$work/silent.err" || fail "nothing said of the silent owner: $(cat "$work/silent.err")"
[ "$waited" -lt 10000 ] || fail "the no-data message came after $waited ms"
[ ! -e "$emf" ] || fail "a chart was drawn without data (silent owner)"
echo "silent clipboard owner: no data after $waited ms"
echo "PASS"
