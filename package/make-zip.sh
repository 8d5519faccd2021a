#!/usr/bin/env bash
# make-zip.sh SOURCE_DIR OUT_DIR EXE VERSION STRIP: the distributable zip.
# The program goes out without its symbols and debug information (most of
# that is the static runtime's); the build beside it keeps them for the
# tests and the debugger. The read-me goes out in code page 932 with CR LF,
# as Windows users of Japanese tools expect, the licence with CR LF too; the
# help page stays UTF-8 (it declares it).
set -euo pipefail
src=$1 out=$2 exe=$3 version=$4 strip=$5
name="marquill-$version"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"
"$strip" --strip-all -o "$stage/marquill.exe" "$exe"
sed 's/$/\r/' "$src/package/readme.txt" | iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
sed 's/$/\r/' "$src/LICENSE" >"$stage/LICENSE.txt"
if [ -d "$src/help" ]; then cp -r "$src/help" "$stage/help"; fi
if compgen -G "$out/templates/*.ktt" >/dev/null; then
    cp "$out"/templates/*.ktt "$stage/"
elif compgen -G "$src/templates/*.ktt" >/dev/null; then
    cp "$src"/templates/*.ktt "$stage/"
fi
(cd "$out" && zip -q -r -X "$name.zip" "$name")
echo "package: $out/$name.zip"
