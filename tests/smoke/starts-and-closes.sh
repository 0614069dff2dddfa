#!/usr/bin/env bash
# Starts a program with "\S" (no splash) on the X display it is given, waits
# for its main window, closes it with File > Exit from the keyboard and
# expects a clean exit.  Run under xvfb-run; needs xdotool.
set -u
exe="$1"
title="$2"
reg="$(mktemp -d)"
trap 'rm -rf "$reg"' EXIT
TAVREL_REGISTRY_DIR="$reg" "$exe" '\S' &
pid=$!
win=""
for _ in $(seq 1 100); do
  win="$(xdotool search --onlyvisible --name "^$title: " 2>/dev/null | head -1)"
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$win" ]; then
  echo "no main window appeared"
  kill "$pid" 2>/dev/null
  exit 1
fi
echo "main window: $(xdotool getwindowname "$win")"
xdotool windowfocus --sync "$win" key --clearmodifiers alt+f
sleep 0.3
xdotool key x
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not close"
  kill "$pid"
  exit 1
fi
wait "$pid"
rc=$?
echo "exit code $rc"
exit "$rc"
