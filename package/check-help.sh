#!/usr/bin/env bash
# check-help.sh ZIP SHOTS: the help page as the zip ships it, in a real
# browser (headless Chromium). At each window width it must not scroll
# sideways, show every picture (with a Japanese alternative text), lead
# every in-page link to its target and link no file the zip lacks.
# Screenshots of each width go to SHOTS. A browser that cannot run is a
# failure, never a skip. MQ_HELP_WIDTHS="W ..." reads it at other widths.
set -uo pipefail
zip=$1 shots=$2
read -ra widths <<<"${MQ_HELP_WIDTHS:-640 800 1024 1400}"
fail() { echo "help: $*"; exit 1; }

browser=$(command -v chromium || command -v chromium-browser) || fail "no chromium to read the page with"
listing=$(unzip -Z1 "$zip") || fail "cannot read $zip"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -q "$zip" -d "$tmp/zip" || fail "cannot unpack $zip"
help=$(find "$tmp/zip" -path '*/help/index.html' -print -quit)
[ -n "$help" ] || fail "the zip holds no help/index.html"
top=${help%/help/index.html}
mkdir -p "$shots"

# The page sits in a frame exactly as wide as the window; the harness reads
# it once everything has loaded and writes its findings into its own page,
# which --dump-dom prints. Files the page links to are named relative to the
# zip's top folder, for the comparison with the zip's listing below.
cat >"$top/check-help.html" <<'EOF'
<!DOCTYPE html>
<html><head><meta charset="UTF-8">
<style>html, body { margin: 0; overflow: hidden; } iframe { border: 0; display: block; height: 100vh; } #out { display: none; }</style>
</head><body>
<iframe id="f"></iframe>
<pre id="out">no result</pre>
<script>
const f = document.getElementById('f');
f.style.width = innerWidth + 'px';
f.addEventListener('load', () => {
  const out = [];
  try {
    const w = f.contentWindow, d = f.contentDocument, root = d.documentElement;
    out.push('width ' + w.innerWidth + ' ' + root.scrollWidth);
    const japanese = /[\u3040-\u30ff\u4e00-\u9fff]/;
    for (const img of d.images) {
      const name = img.getAttribute('src');
      if (!japanese.test(img.alt || '')) out.push('bad picture ' + name + ' has no Japanese alt text');
      if (!img.complete || img.naturalWidth === 0) out.push('bad picture ' + name + ' did not load');
      else if (img.width > img.naturalWidth) out.push('bad picture ' + name + ' drawn larger than its own size');
      out.push('file ' + decodeURI(name));
    }
    for (const a of d.querySelectorAll('[href]')) {
      const href = a.getAttribute('href');
      if (href.startsWith('#')) {
        const id = decodeURIComponent(href.slice(1));
        if (!d.getElementById(id)) out.push('bad link ' + href + ' leads nowhere');
      } else if (!/^[a-z][a-z0-9+.-]*:/i.test(href)) {
        out.push('file ' + decodeURI(href.replace(/[?#].*$/, '')));
      }
    }
  } catch (e) {
    out.push('bad harness ' + e);
  }
  document.getElementById('out').textContent = '\nRESULT\n' + out.join('\n') + '\nEND\n';
});
// The screenshots show the section of the widest picture.
f.src = 'help/index.html' + location.hash;
</script>
</body></html>
EOF

run_browser() {  # run_browser WIDTH FRAGMENT ARGS...: one headless run, no profile, no stdin
    local width=$1 fragment=$2; shift 2
    HOME="$tmp/home" timeout 90 "$browser" --headless --disable-gpu --no-first-run \
        --no-default-browser-check --disable-dev-shm-usage --user-data-dir="$tmp/profile" \
        $([ "$(id -u)" -eq 0 ] && echo --no-sandbox) --allow-file-access-from-files \
        --window-size="$width,900" --virtual-time-budget=10000 "$@" \
        "file://$top/check-help.html$fragment" </dev/null 2>>"$tmp/browser.log"
}

failed=0
mkdir -p "$tmp/home"
files=""
for width in "${widths[@]}"; do
    dom=$(run_browser "$width" "" --dump-dom)
    if ! grep -qx 'END' <<<"$dom"; then
        echo "help: Chromium gave no result at $width px:"; tail -n 20 "$tmp/browser.log"
        exit 1
    fi
    result=$(sed -n '/^RESULT$/,/^END$/p' <<<"$dom" | sed '1d;$d')
    read -r _ inner scroll <<<"$(grep '^width ' <<<"$result")"
    if [ "$inner" != "$width" ] || [ "$scroll" -gt "$width" ]; then
        echo "help: at $width px (frame $inner px) the page is $scroll px wide and scrolls sideways"
        failed=1
    fi
    if grep -q '^bad ' <<<"$result"; then
        sed -n "s/^bad /help: at $width px: /p" <<<"$result"
        failed=1
    fi
    files+=$(sed -n 's/^file //p' <<<"$result")$'\n'
    rm -f "$shots/help-$width.png"
    run_browser "$width" "#navia" --screenshot="$shots/help-$width.png" >/dev/null
    [ -s "$shots/help-$width.png" ] || { echo "help: no screenshot at $width px"; failed=1; }
    echo "help: $width px: page $scroll px wide; screenshot $shots/help-$width.png"
done

prefix=${top#"$tmp/zip/"}
while IFS= read -r file; do
    [ -n "$file" ] || continue
    path=$(realpath -m --relative-to="$top" "$top/help/$file")
    grep -qxF "$prefix/$path" <<<"$listing" || { echo "help: the page links $file, which the zip lacks"; failed=1; }
done < <(sort -u <<<"$files")
[ "$failed" -eq 0 ] || exit 1
echo "help: fits at ${widths[*]} px; every picture shown, every link leads somewhere in the zip"
