#!/usr/bin/env bash
# Builds Marquill and shows it at work with the stand-in host editor and a
# small sample HDML deck, under Wine.
#
# With a display (DISPLAY set): the host and the palette open, and you use
# them yourself; close the host window to end.
# Without one (or with MQ_DEMO_SCRIPTED=1): a short scripted session under
# Xvfb selects a word, opens the text formatting dialog, picks CENTER with
# its closing tag, presses OK, prints the host's text before and after,
# and saves screenshots (PNG) of the palette and of the open dialog.
# MQ_DEMO_TOUR=1 adds a picture of every other dialog. MQ_DEMO_CROP=1 cuts
# each picture of one window out of the screen, to that window alone (the
# demo names the window's rectangle on its SHOT line).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"

echo "== building (windows preset)"
cmake --preset windows >"$root/build/demo-configure.log" 2>&1 || { tail -n 30 "$root/build/demo-configure.log"; exit 1; }
cmake --build --preset windows --target marquill standin demo >"$root/build/demo-build.log" 2>&1 ||
    { tail -n 40 "$root/build/demo-build.log"; exit 1; }

bin="$root/build/windows"
marquill="$bin/src/marquill.exe"
standin=$(find "$bin" -name standin.exe -print -quit)
demo="$bin/tools/demo/demo.exe"
out="$root/build/demo"
rm -rf "$out"
mkdir -p "$out"

if [ -n "${DISPLAY:-}" ] && [ -z "${MQ_DEMO_SCRIPTED:-}" ]; then
    # The sample deck in code page 932, as the host editor keeps it.
    sed 's/$/\r/' samples/sample.hdml | iconv -f UTF-8 -t CP932 >"$out/sample.hdml"
    cp "$marquill" "$out/marquill.exe"
    [ -d help ] && cp -r help "$out/"
    [ -d templates ] && cp templates/*.ktt "$out/" 2>/dev/null || true
    source "$root/scripts/wine-env.sh"
    echo "== the stand-in host and the palette are open: select text in the host, then use the palette"
    echo "   (close the host window to end)"
    wine "$standin" --file "$out/sample.hdml" --sel 0,0 --launch "$out/marquill.exe"
    wineserver -w
    exit 0
fi

echo "== scripted session under Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "'"$root"'/scripts/wine-env.sh"
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
    out="'"$out"'"
    wine "'"$demo"'" "$out" "'"$root"'/samples/sample.hdml" --templates "'"$root"'/templates" ${MQ_DEMO_TOUR:+--tour} | while IFS= read -r line; do
        line=${line%$'"'"'\r'"'"'}
        case "$line" in
            "SHOT "*)
                read -r _ name x y w h <<<"$line"
                if [ -n "${MQ_DEMO_CROP:-}" ] && [ -n "$h" ]; then
                    # The window alone, taken until two pictures in a row
                    # agree: the screen may lag behind what the window painted.
                    for try in 1 2 3 4 5 6 7 8 9 10; do
                        xwd -root -silent >"$out/$name.xwd"
                        convert "xwd:$out/$name.xwd" -crop "${w}x${h}+${x}+${y}" +repage "rgb:$out/$name.rgb"
                        if [ -f "$out/$name.last" ] && cmp -s "$out/$name.rgb" "$out/$name.last"; then break; fi
                        mv "$out/$name.rgb" "$out/$name.last"
                        sleep 0.25
                    done
                    convert "xwd:$out/$name.xwd" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
                    rm -f "$out/$name.rgb" "$out/$name.last"
                else
                    xwd -root -silent >"$out/$name.xwd"
                    convert "xwd:$out/$name.xwd" "$out/$name.png"
                fi
                rm -f "$out/$name.xwd"
                : >"$out/$name.done"
                echo "[screenshot: $out/$name.png]"
                ;;
            *) printf "%s\n" "$line" ;;
        esac
    done
    rc=${PIPESTATUS[0]}
    wineserver -k
    exit $rc'
rm -f "$out"/*.done
echo "== screenshots in $out:"
ls "$out"/*.png
