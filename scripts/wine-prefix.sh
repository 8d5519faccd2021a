#!/usr/bin/env bash
# Creates the checkout's own Wine prefix once, with the settings the tests
# rely on: Japanese fonts, no window-manager wait on close, no crash dialog.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.marquill-ready"
[ -f "$stamp" ] && exit 0
echo "setup: creating Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg() { wine reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg' /d IPAPGothic
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg 2' /d IPAPGothic
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
wineserver -w
touch "$stamp"
