#!/usr/bin/env bash
# Makes the help page's pictures anew (help/images/*.png): the demo tour
# (scripts/demo.sh with MQ_DEMO_TOUR=1) under Wine and Xvfb at 96 DPI, each
# window cut out of the screen to itself, then stored with a palette of at
# most 256 colours and no metadata, so they stay small. The pictures are
# committed: building and packaging do not need Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

# The pictures are taken at 96 DPI, the scale the help page shows them at.
# The title bars' buttons are drawn with Wine's Marlett font, which this
# Wine finds only among the prefix's own fonts (without it they show as
# letters).
(
    source "$root/scripts/wine-env.sh"
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    # A caret that does not blink: each picture shows it, and a picture
    # taken anew is the same as before.
    wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f >/dev/null 2>&1
    wineserver -w
)

log="$root/build/help-pictures.log"
MQ_DEMO_TOUR=1 MQ_DEMO_CROP=1 MQ_DEMO_SCRIPTED=1 "$root/scripts/demo.sh" | tee "$log"
grep -qx 'DPI 96' "$log" || { echo "help-pictures: the screen was not at 96 DPI"; exit 1; }

# The demo's picture of each window, and the help's name for it.
pictures=(
    palette:palette
    dialog:text
    image:image
    deck:deck
    card:card
    navi-a:navi-a
    navi-action:navi-action
    choices:choices
    template:template
    version:version
    import:import
)
out="$root/help/images"
mkdir -p "$out"
for pair in "${pictures[@]}"; do
    shot="$root/build/demo/${pair%%:*}.png"
    picture="$out/${pair#*:}.png"
    [ -f "$shot" ] || { echo "help-pictures: the demo took no picture ${pair%%:*}"; exit 1; }
    convert "$shot" -strip +dither -colors 256 "PNG8:$picture"
    echo "$(identify -format '%wx%h' "$picture") $(stat -c %s "$picture") bytes  $picture"
done
