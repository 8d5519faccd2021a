#!/usr/bin/env bash
# Creates the checkout's own Wine prefix once, with the settings the tests,
# the demo and the help pictures rely on: Japanese fonts (the dialogs' face
# with Windows' metrics), no window-manager wait on close, no crash dialog.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
# The stamp names the settings' version: a prefix made with older settings
# gets the current ones, without being made anew.
stamp="$WINEPREFIX/.marquill-ready"
version=2
[ "$(cat "$stamp" 2>/dev/null)" = "$version" ] && exit 0
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
else
    echo "setup: updating the settings of Wine prefix $WINEPREFIX"
fi
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic
# The dialogs' own face: Ume UI Gothic has MS UI Gothic's metrics (IPAPGothic
# is wider), so dialogs lay out here as they do on Windows.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'Ume UI Gothic'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg' /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg 2' /d IPAPGothic
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
wineserver -w
echo "$version" >"$stamp"
