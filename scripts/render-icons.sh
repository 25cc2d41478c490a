#!/usr/bin/env bash
# Renders the program icon from gui/resources/passcat.svg into the PNG images of the
# window and the Linux desktop and the .ico of the Windows program file. The results are
# committed, so only a change of the SVG needs this (packages: librsvg2-bin, imagemagick).
set -euo pipefail

cd "$(dirname "$0")/../gui/resources"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" passcat.svg --output "passcat-$size.png"
done
# /usr/bin first: the image tools of some machines put a stand-in earlier on the path.
PATH="/usr/bin:$PATH" convert passcat-16.png passcat-32.png passcat-48.png passcat-256.png passcat.ico
