# Sourced by the scripts that run Windows programs: one Wine prefix per
# checkout, Japanese locale so that the ANSI code page is 932, no Mono or
# Gecko prompts, no debug noise.
mq_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${MQ_WINEPREFIX:-$mq_root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
