#!/usr/bin/env bash
# Fails when any of the given programs loads a Qt library: the core tests,
# benchmarks and tools are built from the core libraries alone.
set -u
status=0
for exe in "$@"; do
  if [ ! -x "$exe" ]; then
    echo "missing: $exe"; status=1; continue
  fi
  qt="$(ldd "$exe" | grep -i 'libQt' || true)"
  if [ -n "$qt" ]; then
    echo "$exe links Qt:"; echo "$qt"; status=1
  else
    echo "$exe: no Qt"
  fi
done
exit $status
