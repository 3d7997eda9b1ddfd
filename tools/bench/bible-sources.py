#!/usr/bin/env python3
"""The KJV books as the same text for the other typesetters of compare-with-office.sh.

Reads the book files (*.SFM, code page 1252) with the markers Pelorin's Bible printing reads and
writes, for the layout that tools_BibleBench_bench printed (its lines after "layout:"):
  Bible.tex   for XeLaTeX: two page columns (\\twocolumn), titles in the column;
  Bible.fodt  for Writer: a page style of two columns, titles in the column;
  reference.json  the words in reading order, with their style and paragraph, for
                  bible-quality.py.
Both documents use the fonts, sizes, line pitch, page, margins, column widths, first-line indent
and hyphenation distances of the Pelorin run, justified text, chapter numbers standing beside the
first two lines of their chapter, verse numbers in the text, and a header of the page number and
date above the text area.

  bible-sources.py LAYOUT_FILE BOOK_FOLDER OUTPUT_FOLDER [DATE_TEXT]
"""
import glob
import html
import json
import os
import re
import sys

def read_layout(path):
    layout = {"styles": {}}
    inside = False
    for line in open(path, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        if line.startswith("layout:"):
            inside = True
            continue
        if not inside or not line.startswith("  "):
            continue
        parts = line.split()
        if parts[0] == "style":
            match = re.match(r'\s*style (\S+) "([^"]*)" (\d+) (\w+) ([\d.]+)', line)
            name, font, size, weight, pitch = match.groups()
            layout["styles"][name] = {"font": font, "size": int(size), "bold": weight == "bold",
                                      "pitch": float(pitch)}
        else:
            # Lengths in points, to the hundredth.
            layout[parts[0]] = [float(p) for p in parts[1:]]
    for key in ("page", "text-area", "column-width", "line-spacing"):
        if key not in layout:
            sys.exit("bible-sources: no '%s' in the layout printed by the benchmark (%s)" % (key, path))
    return layout


def parse_books(folder):
    """The books as blocks, read as Pelorin reads them: ("title", style, text), ("subheading", text),
    ("paragraph", {"indent": bool, "chapter": number text or None, "runs": [(style, text)]})."""
    blocks = []
    paths = sorted(glob.glob(os.path.join(folder, "*.SFM")) + glob.glob(os.path.join(folder, "*.sfm")))
    for path in paths:
        lines = [line.strip() for line in open(path, encoding="cp1252")]
        chapters = [line for line in lines if line.startswith("\\c")]
        one_chapter = len(chapters) <= 1
        book = None
        pending = None
        paragraph = None

        def new_paragraph(indent, chapter=None):
            nonlocal paragraph
            paragraph = {"indent": indent, "chapter": chapter, "runs": [], "book": book}
            blocks.append(("paragraph", paragraph))

        for line in lines:
            marker, _, rest = line.partition(" ")
            rest = rest.strip()
            if marker.startswith("\\h"):
                # The name of the book, for the page headers.
                book = rest
                continue
            if marker == "\\id":
                continue
            if marker in ("\\mt", "\\st") or marker.startswith("\\mt") or marker.startswith("\\st"):
                style = "subtitle" if marker.startswith("\\st") else "main-title"
                blocks.append(("title", style, rest))
                paragraph = None
                continue
            if marker.startswith("\\c"):
                pending = rest.split()[0] if rest.split() else "1"
                continue
            if marker.startswith("\\s"):
                blocks.append(("subheading", rest))
                paragraph = None
                continue
            if marker.startswith("\\p") or marker in ("\\q", "\\nb") or marker.startswith("\\q"):
                # A poetry line (\q) begins a line of its own as a paragraph does; \nb goes on
                # with the paragraph before it.
                if marker == "\\nb":
                    if paragraph is None:
                        new_paragraph(False)
                elif pending is not None:
                    new_paragraph(False, None if one_chapter else pending)
                    pending = None
                else:
                    new_paragraph(True)
                if rest:
                    paragraph["runs"].append(("text", rest))
                continue
            if marker.startswith("\\v"):
                number, _, text = rest.partition(" ")
                if pending is not None:
                    new_paragraph(False, None if one_chapter else pending)
                    pending = None
                elif paragraph is None:
                    new_paragraph(False)
                if number != "1" or one_chapter:
                    paragraph["runs"].append(("verse-number", number))
                if text.strip():
                    paragraph["runs"].append(("text", text.strip()))
                continue
            if marker.startswith("\\d"):
                # A description (as of a psalm) is a paragraph of its own, before its chapter's first verse.
                blocks.append(("paragraph", {"indent": False, "chapter": None, "runs": [("text", rest)], "book": book}))
                continue
            if line:
                if paragraph is None:
                    new_paragraph(False)
                paragraph["runs"].append(("text", line))
    return blocks


def reference(blocks):
    """Words in reading order: [word, style, paragraph number]."""
    words = []
    for number, block in enumerate(blocks):
        if block[0] == "title":
            words += [[w, block[1], number] for w in block[2].split()]
        elif block[0] == "subheading":
            words += [[w, "subheading", number] for w in block[1].split()]
        else:
            paragraph = block[1]
            if paragraph["chapter"] is not None:
                words.append([paragraph["chapter"], "chapter", number])
            for style, text in paragraph["runs"]:
                words += [[w, style, number] for w in text.split()]
    return words


# ---------------------------------------------------------------------------------------------
# XeLaTeX

TEX_SPECIAL = {"\\": r"\textbackslash{}", "{": r"\{", "}": r"\}", "$": r"\$", "&": r"\&", "#": r"\#",
               "_": r"\_", "%": r"\%", "~": r"\textasciitilde{}", "^": r"\textasciicircum{}"}


def tex(text):
    return "".join(TEX_SPECIAL.get(c, c) for c in text)


def write_tex(blocks, layout, output, date):
    width, height = layout["page"]
    left, top, right, bottom = layout["text-area"]
    column = layout["column-width"][0]
    styles = layout["styles"]
    body = styles["text"]
    size, pitch = body["size"], body["pitch"]
    # Liberation Serif's ascent and descent: the first baseline stands an ascent below the top
    # of the text area and the last one a descent above its foot, as Pelorin's line boxes do.
    ascent, descent = 0.891 * size, 0.216 * size
    indent = round(column * 0.07)
    out = open(output, "w", encoding="utf-8")
    w = out.write
    w(r"""\documentclass{article}
\usepackage{fontspec}
\setmainfont{%(font)s}[Ligatures={NoCommon}, Kerning=Off]
\pdfpagewidth=%(width).2fbp \pdfpageheight=%(height).2fbp
\paperwidth=%(width).2fbp \paperheight=%(height).2fbp
\hoffset=0pt \voffset=0pt
\oddsidemargin=\dimexpr %(left).2fbp-1in\relax \evensidemargin=\oddsidemargin
\textwidth=%(textwidth).2fbp \columnsep=%(gap).2fbp
\headheight=%(pitch).2fbp \headsep=10bp
\topmargin=\dimexpr %(top).2fbp-1in-\headheight-\headsep\relax
\topskip=%(ascent).2fbp \textheight=%(textheight).2fbp \maxdepth=%(descent).2fbp
\footskip=0pt
\raggedbottom
\parskip=0pt \parindent=%(indent).2fbp
\lefthyphenmin=3 \righthyphenmin=3 \frenchspacing
%% Narrow justified columns: rather wider gaps than lines sticking out.
\emergencystretch=3em
\makeatletter
\def\ps@bible{\def\@oddhead{\rlap{}\hfil\rightmark\ifx\rightmark\leftmark\else\ --\ \leftmark\fi\hfil
  \llap{%(date)s\hskip 10\fontdimen2\font\thepage}}\let\@evenhead\@oddhead\def\@oddfoot{}\def\@evenfoot{}}
\makeatother
\pagestyle{bible}
\newcommand\Bible[3]{\par{\centering\fontsize{#1bp}{#2bp}\selectfont\bfseries #3\par}\nobreak}
\newcommand\Chapter[2]{\par\markboth{#1}{#1}\noindent
  \setbox0\hbox{\fontsize{%(chapter)dbp}{%(chapter)dbp}\bfseries\selectfont #2}%%
  \hangindent=\dimexpr\wd0*11/10\relax \hangafter=-2
  \hbox to 0pt{\hskip-\hangindent\smash{\lower\baselineskip\box0}\hss}\ignorespaces}
\newcommand\Sub[1]{\par{\centering\fontsize{%(sub)dbp}{%(subpitch).2fbp}\bfseries\selectfont #1\par}\nobreak}
\begin{document}
\renewcommand\normalsize{\fontsize{%(size)dbp}{%(pitch).2fbp}\selectfont}\normalsize
\twocolumn
""" % {"font": body["font"] if body["font"] != "Times New Roman" else "Liberation Serif",
       "width": width, "height": height, "left": left, "top": top, "textwidth": right - left,
       "gap": (right - left) - 2 * column, "pitch": pitch, "ascent": ascent,
       "textheight": (bottom - top) - descent, "descent": descent, "indent": indent, "date": tex(date),
       "chapter": styles["chapter"]["size"], "sub": styles["subheading"]["size"],
       "subpitch": styles["subheading"]["pitch"], "size": size})
    for block in blocks:
        if block[0] == "title":
            style = styles[block[1]]
            w("\\Bible{%d}{%.2f}{%s}\n" % (style["size"], style["pitch"], tex(block[2])))
        elif block[0] == "subheading":
            w("\\Sub{%s}\n" % tex(block[1]))
        else:
            paragraph = block[1]
            text = " ".join(tex(t) for _, t in paragraph["runs"])
            if paragraph["chapter"] is not None:
                mark = "%s %s" % (paragraph["book"] or "", paragraph["chapter"])
                # The number stands beside two lines: the paragraph breaks to the next column
                # only after them.
                w("{\\clubpenalty=10000 \\Chapter{%s}{%s}%s\\par}\n" % (tex(mark), paragraph["chapter"], text))
            elif paragraph["indent"]:
                w("%s\n\n" % text)
            else:
                w("\\noindent %s\n\n" % text)
    w("\\end{document}\n")
    out.close()


# ---------------------------------------------------------------------------------------------
# Writer


def write_fodt(blocks, layout, output, date):
    width, height = layout["page"]
    left, top, right, bottom = layout["text-area"]
    column = layout["column-width"][0]
    styles = layout["styles"]
    body = styles["text"]
    font = body["font"] if body["font"] != "Times New Roman" else "Liberation Serif"
    pitch = body["pitch"]
    indent = round(column * 0.07)
    hyphenation = ('fo:hyphenate="true" fo:hyphenation-remain-char-count="3" '
                   'fo:hyphenation-push-char-count="3"')

    def text_props(style, extra=""):
        s = styles[style]
        return ('<style:text-properties style:font-name="Serif" fo:font-size="%dpt" fo:font-weight="%s" '
                'style:letter-kerning="false" fo:language="en" fo:country="US" %s/>'
                % (s["size"], "bold" if s["bold"] else "normal", extra))

    out = open(output, "w", encoding="utf-8")
    w = out.write
    w('''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:font-face-decls><style:font-face style:name="Serif" svg:font-family="&apos;%(font)s:-liga&apos;"/></office:font-face-decls>
<office:styles>
<style:default-style style:family="paragraph"><style:paragraph-properties fo:hyphenation-ladder-count="no-limit"
 fo:orphans="0" fo:widows="0"/>
%(text)s</style:default-style>
<style:style style:name="Text" style:family="paragraph"><style:paragraph-properties fo:text-align="justify"
 fo:text-indent="%(indent).2fpt" fo:line-height="%(pitch).2fpt"/>%(texthyph)s</style:style>
<style:style style:name="Flush" style:family="paragraph" style:parent-style-name="Text"><style:paragraph-properties
 fo:text-indent="0pt"/></style:style>
<style:style style:name="ChapterText" style:family="paragraph" style:parent-style-name="Text"><style:paragraph-properties
 fo:text-indent="0pt"><style:drop-cap style:length="word" style:lines="2" style:distance="%(dropgap)dpt"
 style:style-name="Chapter"/></style:paragraph-properties></style:style>
<style:style style:name="Maintitle" style:family="paragraph"><style:paragraph-properties fo:text-align="center"
 fo:keep-with-next="always" fo:line-height="%(mtpitch).2fpt"/>%(mt)s</style:style>
<style:style style:name="Subtitle" style:family="paragraph"><style:paragraph-properties fo:text-align="center"
 fo:keep-with-next="always" fo:line-height="%(stpitch).2fpt"/>%(st)s</style:style>
<style:style style:name="Subheading" style:family="paragraph"><style:paragraph-properties fo:text-align="center"
 fo:keep-with-next="always" fo:line-height="%(subpitch).2fpt"/>%(sub)s</style:style>
<style:style style:name="Header" style:family="paragraph"><style:paragraph-properties fo:text-align="end"
 fo:line-height="%(pitch).2fpt"/>%(text)s</style:style>
<style:style style:name="Chapter" style:family="text">%(chapter)s</style:style>
</office:styles>
<office:automatic-styles>
<style:page-layout style:name="Page"><style:page-layout-properties fo:page-width="%(width).2fpt" fo:page-height="%(height).2fpt"
 fo:margin-top="%(margintop).2fpt" fo:margin-bottom="%(marginbottom).2fpt" fo:margin-left="%(left).2fpt" fo:margin-right="%(marginright).2fpt">
<style:columns fo:column-count="2" fo:column-gap="%(gap).2fpt"/></style:page-layout-properties>
<style:header-style><style:header-footer-properties fo:min-height="0pt" fo:margin-bottom="10pt"/></style:header-style>
</style:page-layout>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="Page">
<style:header><text:p text:style-name="Header">%(date)s<text:s text:c="10"/><text:page-number text:select-page="current"/></text:p></style:header>
</style:master-page></office:master-styles>
<office:body><office:text>
''' % {"font": html.escape(font), "text": text_props("text"), "texthyph": text_props("text", hyphenation),
       "indent": indent, "pitch": pitch, "dropgap": max(1, round(styles["chapter"]["size"] * 0.1)),
       "mtpitch": styles["main-title"]["pitch"], "mt": text_props("main-title"),
       "stpitch": styles["subtitle"]["pitch"], "st": text_props("subtitle"),
       "subpitch": styles["subheading"]["pitch"], "sub": text_props("subheading"),
       "chapter": text_props("chapter"), "width": width, "height": height,
       "margintop": top - pitch - 10, "marginbottom": height - bottom, "left": left,
       "marginright": width - right, "gap": (right - left) - 2 * column, "date": html.escape(date)})
    for block in blocks:
        if block[0] == "title":
            name = "Subtitle" if block[1] == "subtitle" else "Maintitle"
            w('<text:p text:style-name="%s">%s</text:p>\n' % (name, html.escape(block[2])))
        elif block[0] == "subheading":
            w('<text:p text:style-name="Subheading">%s</text:p>\n' % html.escape(block[1]))
        else:
            paragraph = block[1]
            text = html.escape(" ".join(t for _, t in paragraph["runs"]))
            if paragraph["chapter"] is not None:
                w('<text:p text:style-name="ChapterText">%s %s</text:p>\n' % (paragraph["chapter"], text))
            else:
                w('<text:p text:style-name="%s">%s</text:p>\n' % ("Text" if paragraph["indent"] else "Flush", text))
    w('</office:text></office:body></office:document>\n')
    out.close()


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    layout = read_layout(sys.argv[1])
    folder, output = sys.argv[2], sys.argv[3]
    date = sys.argv[4] if len(sys.argv) > 4 else ""
    blocks = parse_books(folder)
    os.makedirs(output, exist_ok=True)
    write_tex(blocks, layout, os.path.join(output, "Bible.tex"), date)
    write_fodt(blocks, layout, os.path.join(output, "Bible.fodt"), date)
    with open(os.path.join(output, "reference.json"), "w", encoding="utf-8") as f:
        json.dump({"layout": layout, "words": reference(blocks)}, f)


if __name__ == "__main__":
    main()
