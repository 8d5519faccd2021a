#!/usr/bin/env bash
# check-package.sh ZIP OBJDUMP: what the zip must hold, and that the program
# imports only DLLs that every Windows has.
set -euo pipefail
zip=$1 objdump=$2
fail() { echo "package: $*"; exit 1; }
listing=$(unzip -Z1 "$zip") || fail "cannot read $zip"
for f in marquill.exe readme.txt help/index.html; do
    grep -q "/$f\$" <<<"$listing" || fail "$f missing"
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -q "$zip" -d "$tmp"
exe=$(find "$tmp" -name marquill.exe)
iconv -f CP932 -t UTF-8 "$(find "$tmp" -name readme.txt)" | grep -q 'TeraPad' || fail "read-me is not code page 932 text"
system="ADVAPI32.dll COMCTL32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll SHELL32.dll USER32.dll UxTheme.dll VERSION.dll SHLWAPI.dll"
for dll in $("$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p'); do
    grep -qiw "$dll" <<<"$system" || fail "marquill.exe needs $dll, which Windows does not ship"
done
echo "package: $(grep -c . <<<"$listing") entries, imports only system DLLs"
