#!/usr/bin/env bash
# Starts a program whose stored configuration file is a named pipe, with a
# named pipe and a link to /dev/zero on its command line, on the X display it
# is given.  Nothing may hang or end the program: each file is refused with a
# warning, which is answered with Enter; then the main window shows and the
# program exits cleanly from File > Exit.  Run under xvfb-run; needs xdotool.
set -u
exe="$1"
title="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkfifo "$work/pipe.cfg" "$work/pipe.aky"
ln -s /dev/zero "$work/zero.aky"
mkdir "$work/reg"
printf '[Software]\nCorvane\\Tavrel\\%s\\Config\\FilePaths\\ConfigFile=%s\n' \
  "$title" "$work/pipe.cfg" > "$work/reg/HKEY_CURRENT_USER.ini"
TAVREL_REGISTRY_DIR="$work/reg" "$exe" '\S' "$work/pipe.aky" "$work/zero.aky" &
pid=$!
stop() {
  echo "$1"
  kill -9 "$pid" 2>/dev/null
  exit 1
}
warnings=0
seen=""
win=""
for _ in $(seq 1 150); do
  kill -0 "$pid" 2>/dev/null || stop "the program ended before its window showed"
  box="$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -1)"
  if [ -n "$box" ]; then
    case " $seen " in *" $box "*) ;; *) seen="$seen $box"; warnings=$((warnings + 1)) ;; esac
    xdotool windowfocus --sync "$box" key --clearmodifiers Return 2>/dev/null
    sleep 0.3
    continue
  fi
  win="$(xdotool search --onlyvisible --name "^$title: " 2>/dev/null | head -1)"
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || stop "no main window appeared"
echo "main window: $(xdotool getwindowname "$win") after $warnings warnings"
[ "$warnings" -eq 3 ] || stop "expected 3 warnings"
xdotool windowfocus --sync "$win" key --clearmodifiers alt+f
sleep 0.3
xdotool key x
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && stop "the program did not close"
wait "$pid"
rc=$?
echo "exit code $rc"
exit "$rc"
