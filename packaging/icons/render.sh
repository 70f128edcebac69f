#!/usr/bin/env bash
# Renders the committed PNG icons from tillbrook.svg (needs rsvg-convert, librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" tillbrook.svg -o "tillbrook-$size.png"
done
