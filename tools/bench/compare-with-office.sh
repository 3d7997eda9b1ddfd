#!/bin/bash
# The whole KJV typeset into PDF by Pelorin's Bible printing (tools_BibleBench_bench) and by
# LibreOffice Writer (headless) from the same text laid out the same way: A4, margins of 25 mm,
# two justified columns with hyphenation, centred titles and subheadings, large chapter numbers,
# verse numbers, Liberation Serif 12 pt. Both run on one core (taskset -c 0), one after the other;
# the times, pages and file sizes are printed side by side.
#   tools/bench/compare-with-office.sh [build folder]
# LibreOffice Writer and the English hyphenation patterns are installed from Debian when missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kjv="${PELORIN_KJV:-$(cd "$root/../shared/data/kjv" 2>/dev/null && pwd || true)}"
if [ ! -f "$kjv/KJV.ssf" ]; then
  kjv=$(cd "$root/../../shared/data/kjv" 2>/dev/null && pwd || true)
fi
if [ ! -f "$kjv/KJV.ssf" ]; then
  echo "the KJV project was not found (set PELORIN_KJV)" >&2
  exit 2
fi

if ! command -v soffice > /dev/null || [ ! -d /usr/share/hyphen ]; then
  echo "installing LibreOffice Writer and the hyphenation patterns ..."
  sudo_="" && [ "$(id -u)" -ne 0 ] && sudo_=sudo
  $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    libreoffice-writer hyphen-en-us fonts-liberation > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same text in the same layout as a flat OpenDocument text, made from the book files with the
# markers Pelorin reads: titles, chapters, subheadings, paragraphs and verses.
python3 - "$kjv/KJV" "$work/Bible.fodt" <<'PYTHON'
import glob, html, os, re, sys
folder, output = sys.argv[1], sys.argv[2]
out = open(output, "w", encoding="utf-8")
out.write('''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:font-face-decls><style:font-face style:name="Liberation Serif" svg:font-family="Liberation Serif"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"/></office:font-face-decls>
<office:styles>
<style:default-style style:family="paragraph"><style:paragraph-properties fo:hyphenation-ladder-count="no-limit"/>
<style:text-properties style:font-name="Liberation Serif" fo:font-size="12pt" fo:language="en" fo:country="US"
 fo:hyphenate="true" fo:hyphenation-remain-char-count="3" fo:hyphenation-push-char-count="3"/></style:default-style>
<style:style style:name="Text" style:family="paragraph"><style:paragraph-properties fo:text-align="justify" fo:text-indent="7mm"/></style:style>
<style:style style:name="Title" style:family="paragraph"><style:paragraph-properties fo:text-align="center" fo:margin-top="4mm"/>
<style:text-properties fo:font-size="20pt" fo:font-weight="bold"/></style:style>
<style:style style:name="Heading" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/>
<style:text-properties fo:font-weight="bold"/></style:style>
<style:style style:name="Chapter" style:family="text"><style:text-properties fo:font-size="34pt" fo:font-weight="bold"/></style:style>
<style:style style:name="Verse" style:family="text"><style:text-properties style:text-position="super 58%"/></style:style>
</office:styles>
<office:automatic-styles>
<style:page-layout style:name="A4"><style:page-layout-properties fo:page-width="210mm" fo:page-height="297mm"
 fo:margin-top="25mm" fo:margin-bottom="25mm" fo:margin-left="25mm" fo:margin-right="25mm"/></style:page-layout>
<style:style style:name="Columns" style:family="section"><style:section-properties>
<style:columns fo:column-count="2" fo:column-gap="8mm"/></style:section-properties></style:style>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="A4"/></office:master-styles>
<office:body><office:text>
''')
section = 0
open_section = False
paragraph = None
def flush():
    global paragraph
    if paragraph is not None:
        out.write('<text:p text:style-name="Text">' + paragraph + '</text:p>\n')
        paragraph = None
def columns(on):
    global open_section, section
    if on == open_section:
        return
    flush()
    if on:
        section += 1
        out.write('<text:section text:style-name="Columns" text:name="S%d">\n' % section)
        open_section = True
    else:
        out.write('</text:section>\n')
        open_section = False
for path in sorted(glob.glob(os.path.join(folder, "*.SFM"))):
    chapter = None
    for line in open(path, encoding="cp1252"):
        line = line.strip()
        marker, _, rest = line.partition(" ")
        rest = html.escape(rest)
        if marker in ("\\mt", "\\st"):
            columns(False)
            flush()
            out.write('<text:p text:style-name="Title">' + rest + '</text:p>\n')
        elif marker == "\\c":
            chapter = rest
        elif marker == "\\s":
            columns(True)
            flush()
            out.write('<text:p text:style-name="Heading">' + rest + '</text:p>\n')
        elif marker == "\\p":
            columns(True)
            flush()
            paragraph = ""
        elif marker == "\\v":
            columns(True)
            number, _, text = rest.partition(" ")
            if paragraph is None:
                paragraph = ""
            if chapter is not None:
                paragraph += '<text:span text:style-name="Chapter">' + chapter + '</text:span> '
                chapter = None
            elif number:
                paragraph += '<text:span text:style-name="Verse">' + number + '</text:span> '
            paragraph += text + " "
flush()
columns(False)
out.write('</office:text></office:body></office:document>\n')
PYTHON

# The Windows path of a Linux path under Wine.
windows() { echo "Z:${1//\//\\}"; }

echo "The KJV typeset into PDF, on one core (taskset -c 0):"
start=$(date +%s.%N)
taskset -c 0 "$root/scripts/wine-env.sh" "$build" wine "$build/bin/tools_BibleBench_bench.exe" \
  "$(windows "$kjv/KJV")" "$(windows "$work/Pelorin.pdf")" > "$work/pelorin.txt"
pelorin=$(echo "$(date +%s.%N) - $start" | bc)
start=$(date +%s.%N)
taskset -c 0 soffice --headless --norestore --convert-to pdf --outdir "$work" "$work/Bible.fodt" > /dev/null 2>&1
office=$(echo "$(date +%s.%N) - $start" | bc)

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
size() { echo "scale=1; $(stat -c %s "$1") / 1048576" | bc; }
sed 's/^/  Pelorin: /' "$work/pelorin.txt"
printf '  %-34s %10s %8s %9s\n' "" "time (s)" "pages" "PDF (MB)"
printf '  %-34s %10.2f %8s %9s\n' "Pelorin (whole run under Wine)" "$pelorin" "$(pages "$work/Pelorin.pdf")" \
  "$(size "$work/Pelorin.pdf")"
printf '  %-34s %10.2f %8s %9s\n' "LibreOffice Writer (headless)" "$office" "$(pages "$work/Bible.pdf")" \
  "$(size "$work/Bible.pdf")"
echo "  LibreOffice takes $(echo "scale=1; $office / $pelorin" | bc) times as long."
