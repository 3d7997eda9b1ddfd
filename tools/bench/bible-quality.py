#!/usr/bin/python3
"""Quality figures of a typeset Bible PDF, measured the same way for every program.

  bible-quality.py REFERENCE_JSON PDF [NAME]

REFERENCE_JSON is written by bible-sources.py: the layout (page, text area, column width, the
styles' fonts and sizes) and the words in reading order with their style and paragraph. The PDF's
characters are read with their font, size and box (PyMuPDF), put in reading order (per page, the
header above the text area aside: lines running across both columns stand on their own, the
lines of the two columns between them are read left column first), and matched character by
character against the words (blanks and hyphens aside, so that a word broken at a line's end
still counts). BIBLE_QUALITY_DEBUG=1 in the environment prints where the two part and the words
in a wrong font. Prints one JSON object:
  words, words_missing      words of the text not found in the PDF in their order
  chapters_missing          chapter numbers not found in reading order
  wrong_font                words drawn in another font, weight or size than their style's
                            (a chapter number's size is not compared: drop capitals are scaled)
  outside                   characters outside the text area (more than 0.5 pt)
  justified_lines           lines of running text that do not end their paragraph
  overhang_over_0_5pt       of them, lines ending more than 0.5 pt past their column's edge
  overhang_max_pt
  pairs_closer_0_15em       neighbouring words on one line less than 0.15 em apart
  closest_pair_em
  gap_spread_median_em      the spread (widest less narrowest gap) of the gaps between the
  gap_spread_p90_em         words of a justified line: median and 90th percentile
  hyphenated_lines          lines ending in a hyphen
  extra_characters          characters of the PDF that the text does not have
The em is the size of the text style.
"""
import json
import os
import statistics
import sys
import unicodedata

import fitz  # PyMuPDF (Debian: python3-fitz)

HYPHENS = {"-", "\u00ad", "\u2010", "\u2011"}
FOLD = {"\u2019": "'", "\u2018": "'", "\u201c": '"', "\u201d": '"', "\u00a0": " "}


def fold(c):
    c = FOLD.get(c, c)
    if len(c) == 1 and ord(c) >= 0xFB00:
        c = unicodedata.normalize("NFKC", c)  # ligatures into their letters
    return c


def family_key(name):
    name = name.split("+", 1)[-1].lower()
    for ch in " -,_":
        name = name.replace(ch, "")
    return name


def font_matches(span_font, span_flags, style):
    key = family_key(span_font)
    want = family_key(style["font"])
    families = {want}
    if want == "timesnewroman":
        # What stands in for it: Liberation Serif under Wine, the PDF's standard Times.
        families |= {"liberationserif", "times"}
    if not any(key.startswith(f) for f in families):
        return False
    bold = "bold" in key or bool(span_flags & 16)
    return bold == style["bold"]


def page_characters(page, area):
    """The characters of a page: header (above the text area) and text, as tuples
    (c, x0, x1, y0, y1, baseline, font, size, flags)."""
    chars = []
    raw = page.get_text("rawdict", flags=0)
    for block in raw["blocks"]:
        for line in block.get("lines", []):
            for span in line["spans"]:
                for ch in span["chars"]:
                    c = ch["c"]
                    if c.isspace():
                        continue
                    x0, y0, x1, y1 = ch["bbox"]
                    folded = fold(c)
                    # A ligature's box is shared out among its letters.
                    step = (x1 - x0) / len(folded)
                    for k, letter in enumerate(folded):
                        chars.append((letter, x0 + k * step, x0 + (k + 1) * step, y0, y1, ch["origin"][1],
                                      span["font"], span["size"], span["flags"]))
    return chars


def matcher_ops(a, b):
    import difflib
    return [op for op in difflib.SequenceMatcher(None, a, b, autojunk=False).get_opcodes() if op[0] != "equal"]


def main():
    reference_path, pdf_path = sys.argv[1], sys.argv[2]
    debug = "BIBLE_QUALITY_DEBUG" in os.environ
    name = sys.argv[3] if len(sys.argv) > 3 else pdf_path
    ref = json.load(open(reference_path, encoding="utf-8"))
    layout = ref["layout"]
    styles = layout["styles"]
    left, top, right, bottom = layout["text-area"]
    column = layout["column-width"][0]
    middle = (left + right) / 2
    gap_width = (right - left) - 2 * column
    em = styles["text"]["size"]
    big = 1.5 * em

    words = ref["words"]
    # The text without blanks, each character with its word; chapter numbers apart.
    text_chars = []
    text_word = []
    chapters = []
    for index, (word, style, paragraph) in enumerate(words):
        if style == "chapter":
            chapters.append(word)
            continue
        for c in word:
            for f in fold(c):
                # Hyphens are left out of the matching on both sides: a line may end in one
                # that the text does not have.
                if f not in HYPHENS:
                    text_chars.append(f)
                    text_word.append(index)
    text = "".join(text_chars)

    # The PDF in reading order.
    pdf_chars = []  # (c, x0, x1, font, size, flags, line id, column right edge, baseline)
    pdf_chapters = []  # the chapter numbers of the document in reading order
    outside = 0
    line_id = 0
    hyphenated = 0  # lines ending in a hyphen
    line_info = []  # per line: (right end, column right edge, full width)
    document = fitz.open(pdf_path)
    pages = document.page_count
    for page in document:
        chars = page_characters(page, (left, top, right, bottom))
        items = []
        digits = []
        body = []
        for ch in chars:
            c, x0, x1, y0, y1, baseline = ch[:6]
            if baseline < top:
                continue  # the page header
            chapter_digit = c.isdigit() and ch[7] >= big
            # Digits stand on the baseline: below it a chapter number's box holds only the
            # font's descent.
            foot = baseline if chapter_digit else y1
            if x0 < left - 0.5 or x1 > right + 0.5 or foot > bottom + 0.5:
                outside += 1
            if chapter_digit:
                digits.append(ch)
            else:
                body.append(ch)
        # Chapter numbers: digits next to each other make one number.
        digits.sort(key=lambda ch: (ch[5], ch[1]))
        numbers = []
        for ch in digits:
            if numbers and abs(numbers[-1]["baseline"] - ch[5]) < 1 and \
                    -1 < ch[1] - numbers[-1]["x1"] < 0.3 * ch[7]:
                numbers[-1]["text"] += ch[0]
                numbers[-1]["x1"] = ch[2]
            else:
                numbers.append({"text": ch[0], "x0": ch[1], "x1": ch[2], "top": ch[3], "baseline": ch[5],
                                "font": ch[6], "size": ch[7], "flags": ch[8]})
        # Lines: characters on one baseline.
        body.sort(key=lambda ch: (ch[5], ch[1]))
        lines = []
        for ch in body:
            if lines and abs(lines[-1][-1][5] - ch[5]) <= 0.25 * em:
                lines[-1].append(ch)
            else:
                lines.append([ch])
        # Each line across both columns, or its left and right parts.
        parts = []  # (top, kind, chars) kind: "full", "left", "right"
        for line in lines:
            line.sort(key=lambda ch: ch[1])
            top_of_line = min(ch[3] for ch in line)
            before = [ch for ch in line if (ch[1] + ch[2]) / 2 < middle]
            after = [ch for ch in line if (ch[1] + ch[2]) / 2 >= middle]
            if before and after and after[0][1] - before[-1][2] < 0.5 * gap_width:
                parts.append((top_of_line, "full", line))
            else:
                if before:
                    parts.append((top_of_line, "left", before))
                if after:
                    parts.append((top_of_line, "right", after))
        for number in numbers:
            kind = "left" if (number["x0"] + number["x1"]) / 2 < middle else "right"
            parts.append((number["top"] - 0.01, kind + "-chapter", number))
        parts.sort(key=lambda part: part[0])
        # Reading order: a line across both columns ends a run of column lines.
        ordered = []
        run = {"left": [], "right": []}

        def flush():
            ordered.extend(run["left"])
            ordered.extend(run["right"])
            run["left"], run["right"] = [], []

        for part in parts:
            if part[1] == "full":
                flush()
                ordered.append(part)
            else:
                run[part[1].split("-")[0]].append(part)
        flush()
        for part in ordered:
            if part[1].endswith("chapter"):
                items.append(part[2])
                continue
            edge = right if part[1] == "right" or part[1] == "full" else left + column
            line_info.append((part[2][-1][2], edge, part[1] == "full"))
            if part[2][-1][0] in HYPHENS:
                hyphenated += 1
            for ch in part[2]:
                if ch[0] not in HYPHENS:
                    pdf_chars.append((ch[0], ch[1], ch[2], ch[6], ch[7], ch[8], line_id))
            line_id += 1
        pdf_chapters.extend(items)

    # Match the PDF's characters against the text.
    pdf_text = "".join(ch[0] for ch in pdf_chars)
    match = [-1] * len(text)  # text character -> PDF character
    i = j = 0
    n, m = len(text), len(pdf_text)
    extra = 0
    while i < n and j < m:
        if text[i] == pdf_text[j]:
            # Runs of equal characters at once.
            k = 1
            while k < 4096 and i + k < n and j + k < m and text[i + k] == pdf_text[j + k]:
                k += 1
            for d in range(k):
                match[i + d] = j + d
            i += k
            j += k
            continue
        # Out of step: find the text's next characters further on in the PDF, or the PDF's
        # further on in the text.
        if debug:
            print("out of step: text %r, PDF %r" % (text[max(0, i - 30):i + 30], pdf_text[max(0, j - 30):j + 30]),
                  file=sys.stderr)
        probe = text[i:i + 48]
        found = pdf_text.find(probe, j, j + 4000)
        if found >= 0:
            extra += found - j
            j = found
            continue
        probe = pdf_text[j:j + 48]
        found = text.find(probe, i, i + 60000)
        if found >= 0:
            i = found
            continue
        extra += 1
        j += 1

    present = {}
    for index, j in enumerate(match):
        word = text_word[index]
        present[word] = present.get(word, True) and j >= 0
    text_words = [index for index, w in enumerate(words) if w[1] != "chapter"]
    words_missing = sum(1 for index in text_words if not present.get(index, False))

    # Chapter numbers in order.
    import difflib
    found_numbers = [c["text"] for c in pdf_chapters]
    if debug:
        for tag, a0, a1, b0, b1 in matcher_ops(chapters, found_numbers):
            print(tag, chapters[a0:a1], found_numbers[b0:b1], file=sys.stderr)
    matcher = difflib.SequenceMatcher(None, chapters, found_numbers, autojunk=False)
    chapters_found = sum(block.size for block in matcher.get_matching_blocks())

    # Fonts: each word's characters in its style's font.
    wrong_font = 0
    first_char = {}
    last_char = {}
    for index, j in enumerate(match):
        word = text_word[index]
        if j >= 0:
            first_char.setdefault(word, j)
            last_char[word] = j
    checked = {}
    for index, j in enumerate(match):
        if j < 0:
            continue
        word = text_word[index]
        if checked.get(word) is False:
            continue
        style = styles.get(words[word][1], styles["text"])
        ch = pdf_chars[j]
        good = font_matches(ch[3], ch[5], style) and abs(ch[4] - style["size"]) <= 0.1
        if debug and not good and word not in checked:
            print("font: %r (%s) in %s %.1f" % (words[word][0], words[word][1], ch[3], ch[4]), file=sys.stderr)
        checked[word] = good
    wrong_font = sum(1 for good in checked.values() if not good)
    chapter_style = styles["chapter"]
    wrong_font += sum(1 for c in pdf_chapters if not font_matches(c["font"], c["flags"], chapter_style))

    # Gaps between neighbouring words on one line, and the lines that are justified.
    gaps_by_line = {}
    closest = None
    close_pairs = 0
    for a, b in zip(text_words, text_words[1:]):
        if a not in last_char or b not in first_char:
            continue
        ja, jb = last_char[a], first_char[b]
        if pdf_chars[ja][6] != pdf_chars[jb][6] or jb <= ja:
            continue
        gap = (pdf_chars[jb][1] - pdf_chars[ja][2]) / em
        closest = gap if closest is None else min(closest, gap)
        if gap < 0.15:
            close_pairs += 1
        if words[a][2] == words[b][2] and words[a][1] in ("text", "verse-number", "brackets"):
            gaps_by_line.setdefault(pdf_chars[ja][6], []).append(gap)
    # A line is justified when its paragraph goes on after it: the word after its last one
    # belongs to the same paragraph.
    last_word_of_line = {}
    for word, j in last_char.items():
        line = pdf_chars[j][6]
        if word > last_word_of_line.get(line, -1):
            last_word_of_line[line] = word
    justified = []
    for line, word in last_word_of_line.items():
        if words[word][1] not in ("text", "verse-number", "brackets") or line_info[line][2]:
            continue
        following = word + 1
        if following < len(words) and words[following][2] == words[word][2]:
            justified.append(line)
    overhangs = [line_info[line][0] - line_info[line][1] for line in justified]
    spreads = sorted(max(gaps_by_line[line]) - min(gaps_by_line[line]) for line in justified
                     if len(gaps_by_line.get(line, [])) >= 2)

    def rounded(value, digits=3):
        return None if value is None else round(value, digits)

    result = {
        "name": name,
        "pages": pages,
        "words": len(text_words),
        "words_missing": words_missing,
        "chapters": len(chapters),
        "chapters_missing": len(chapters) - chapters_found,
        "extra_characters": extra,
        "hyphenated_lines": hyphenated,
        "wrong_font": wrong_font,
        "outside": outside,
        "justified_lines": len(justified),
        "overhang_over_0_5pt": sum(1 for o in overhangs if o > 0.5),
        "overhang_max_pt": rounded(max(overhangs) if overhangs else None, 2),
        "pairs_closer_0_15em": close_pairs,
        "closest_pair_em": rounded(closest),
        "gap_spread_median_em": rounded(statistics.median(spreads) if spreads else None),
        "gap_spread_p90_em": rounded(spreads[int(0.9 * (len(spreads) - 1))] if spreads else None),
    }
    print(json.dumps(result))


if __name__ == "__main__":
    main()
