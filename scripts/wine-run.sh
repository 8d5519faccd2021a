#!/usr/bin/env bash
# Runs one Windows program under the checkout's Wine prefix (CTest's
# emulator for the Windows build).
#
# Wine now and then loses a process it is starting: it dies before any
# code of the program has run. The test programs (*_tests.exe) mark the
# moment their own code starts (MQ_STARTED_FILE). One that failed without
# the mark never ran a test: it is started once more, with a line that
# says so, which scripts/soak.sh counts. A test program that started and
# then failed is never run again.
source "$(dirname "$0")/wine-env.sh"
case "${1##*/}" in
    *_tests.exe) ;;
    *) exec wine "$@" ;;
esac
mark=$(mktemp -u /tmp/mq-started.XXXXXXXX)
export MQ_STARTED_FILE="Z:${mark//\//\\}"
wine "$@"
rc=$?
if [ "$rc" -ne 0 ] && [ ! -e "$mark" ]; then
    echo "wine-run: Wine lost ${1##*/} during its start (exit $rc); starting it once more" >&2
    wine "$@"
    rc=$?
fi
rm -f "$mark"
exit "$rc"
