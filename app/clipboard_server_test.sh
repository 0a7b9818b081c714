#!/bin/bash
# quillmap-clipboard without a display: --version and --help answer, anything else says that
# there is no display and ends with status 1, never with Qt's abort. Usage:
# clipboard_server_test.sh <quillmap-clipboard> <version>
server=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo chart >"$work/formats"
failed=0

# One case: the environment, the arguments, the status, and a part of the output.
check() {
  local name=$1 environment=$2 status=$3 part=$4
  shift 4
  local output code
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $environment \
    timeout 20 "$server" "$@" 2>&1)
  code=$?
  if [ "$code" != "$status" ] || [[ "$output" != *"$part"* ]]; then
    echo "FAIL $name: status $code (wanted $status), output: $output"
    failed=1
  else
    echo "ok   $name"
  fi
}

check "version" "" 0 "quillmap-clipboard $version" --version
check "help" "" 0 "Usage: quillmap-clipboard FILE" --help
check "no display" "" 1 "quillmap-clipboard: no display: DISPLAY is not set" "$work/formats"
check "offscreen chosen" "QT_QPA_PLATFORM=offscreen" 1 "no display: DISPLAY is not set" \
  "$work/formats"
check "a display that cannot be reached" "DISPLAY=:7391" 1 \
  "quillmap-clipboard: no display: the display :7391 could not be opened" "$work/formats"
check "no file" "" 2 "Usage: quillmap-clipboard FILE"
[ -e "$work/formats" ] || { echo "FAIL the file was removed"; failed=1; }
exit $failed
