#!/usr/bin/env bash
# Runs the cross-built Windows programs under Wine, headless. One session per test run: a new
# Wine prefix and home folder, a virtual X server of its own (the Windows clipboard lives on
# it) and a Wine server kept alive between the programs, so that each program starts quickly
# and the clipboard outlives the program that set it, as on Windows.
#   wine-session.sh start DIR             new session in DIR (removes an earlier one)
#   wine-session.sh run DIR PROGRAM ARGS  runs PROGRAM in the session
#   wine-session.sh stop DIR              ends the session's Wine server and X server
set -euo pipefail
command=$1
dir=$2
shift 2

session_environment() {
  export WINEPREFIX="$dir/prefix" HOME="$dir/home" WINEDEBUG=-all
  # No downloads of Wine's .NET and browser engines; nothing here needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
  DISPLAY=$(cat "$dir/display")
  export DISPLAY
}

case "$command" in
  start)
    "$0" stop "$dir" 2>/dev/null || true
    rm -rf "$dir"
    mkdir -p "$dir/prefix" "$dir/home/Desktop"
    if ! command -v wine >/dev/null || ! command -v Xvfb >/dev/null; then
      echo "wine-session: wine and Xvfb are needed (scripts/install-deps.sh installs them)" >&2
      exit 1
    fi
    # The X server picks a free display and writes its number to descriptor 3.
    # Servers started here must not hold the caller's output open (a test runner waits for it).
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$dir/display.number" \
      </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
      [ -s "$dir/display.number" ] && break
      sleep 0.1
    done
    [ -s "$dir/display.number" ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
    echo ":$(cat "$dir/display.number")" >"$dir/display"
    session_environment
    wineserver --persistent </dev/null >/dev/null 2>&1
    wineboot --init </dev/null >"$dir/wineboot.log" 2>&1 || { cat "$dir/wineboot.log" >&2; exit 1; }
    echo "wine-session: prefix ready in $dir on display $DISPLAY"
    ;;
  run)
    session_environment
    exec wine "$@"
    ;;
  stop)
    if [ -f "$dir/display" ]; then
      session_environment
      wineserver --kill 2>/dev/null || true
    fi
    if [ -f "$dir/xvfb.pid" ]; then
      kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
      rm -f "$dir/xvfb.pid"
    fi
    ;;
  *)
    echo "usage: wine-session.sh start|run|stop DIR [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac
