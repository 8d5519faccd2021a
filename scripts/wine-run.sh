#!/usr/bin/env bash
# Runs one Windows program under the checkout's Wine prefix (CTest's
# emulator for the Windows build).
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
