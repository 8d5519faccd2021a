#!/usr/bin/env bash
# check-package.sh ZIP OBJDUMP LIMIT: what the zip must hold (the help
# page with every picture it shows among it), that the program imports only
# DLLs that Windows never takes from the program's folder, carries no debug
# sections and is at most LIMIT bytes.
set -euo pipefail
zip=$1 objdump=$2 limit=$3
fail() { echo "package: $*"; exit 1; }
listing=$(unzip -Z1 "$zip") || fail "cannot read $zip"
for f in marquill.exe readme.txt help/index.html; do
    grep -q "/$f\$" <<<"$listing" || fail "$f missing"
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -q "$zip" -d "$tmp"
exe=$(find "$tmp" -name marquill.exe)
help=$(find "$tmp" -path '*/help/index.html')
pictures=$({ grep -o '<img [^>]*>' "$help" || true; } | sed -n 's/.* src="\([^"]*\)".*/\1/p')
for picture in $pictures; do
    [ -f "$(dirname "$help")/$picture" ] || fail "the help shows help/$picture, which the zip lacks"
done
iconv -f CP932 -t UTF-8 "$(find "$tmp" -name readme.txt)" | grep -q 'TeraPad' || fail "read-me is not code page 932 text"
# The terms of use, and the read-me naming them and saying what changed.
grep -q "/LICENSE.txt\$" <<<"$listing" || fail "LICENSE.txt missing"
grep -q '^MIT License' "$(find "$tmp" -name LICENSE.txt)" || fail "LICENSE.txt is not the MIT licence"
for section in 'ライセンス' '更新履歴'; do
    iconv -f CP932 -t UTF-8 "$(find "$tmp" -name readme.txt)" | grep -q "^■ $section" || fail "read-me has no section $section"
done
# Windows' known DLLs: the ones it only ever takes from the system folder.
# Any other import (comctl32, uxtheme, version, dwmapi...) is resolved
# before the program's first line runs, from the program's folder first, so
# a file planted there would run inside it; those are loaded at run time.
known="ADVAPI32.dll COMDLG32.dll GDI32.dll IMM32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll SHELL32.dll SHLWAPI.dll USER32.dll"
for dll in $("$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p'); do
    grep -qiw "$dll" <<<"$known" || fail "marquill.exe imports $dll, which Windows may take from the program's folder"
done
headers=$("$objdump" -h "$exe") || fail "cannot read marquill.exe's sections"
debug=$(awk '$2 ~ /^\.(z?debug|stab)/ {print $2}' <<<"$headers" | tr '\n' ' ')
[ -z "$debug" ] || fail "marquill.exe carries debug sections: $debug"
size=$(stat -c %s "$exe")
[ "$size" -le "$limit" ] || fail "marquill.exe is $size bytes, more than $limit"
echo "package: $(grep -c . <<<"$listing") entries, $(grep -c . <<<"$pictures") pictures of the help, imports only known DLLs; marquill.exe $size bytes, no debug sections"
