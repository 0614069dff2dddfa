#!/usr/bin/env bash
# Renders the program icons and splash pictures from their SVG drawings into
# the PNG files the programs load (Qt reads PNG without extra modules).
# Needs rsvg-convert (Debian package librsvg2-bin).  Run after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")"
for svg in icons/*.svg splash/*.svg; do
  rsvg-convert -o "${svg%.svg}.png" "$svg"
done
