#!/bin/bash
# The whole KJV typeset into PDF, side by side and at equal work, by Pelorin's Bible printing
# (tools_BibleBench_bench), XeLaTeX and LibreOffice Writer (headless), at two layouts:
#   defaults  Pelorin's own: A4, margins of 25 mm, the text in 12 pt on the font's line height;
#   10pt      10 pt on a 12 pt pitch, margins of 15 mm.
# Pelorin runs first at each layout: the page, text area, column width and each style's font,
# size and line pitch that it prints are what the other two are given (bible-sources.py writes
# their documents from the same book files): the same books, titles, chapter and verse numbers,
# fonts (Liberation Serif, which stands in for Times New Roman in the Wine prefix), two justified
# page columns, hyphenation 3 characters from each end of a word, chapter numbers beside the first
# two lines of their chapter, a header above the text area. Writer and XeLaTeX lay out page columns
# with the titles in the column, as they set such a Bible by default.
# Each program runs on one core (taskset -c BENCH_CORE, the last core by default), BENCH_RUNS
# times (3), interleaved: Pelorin, XeLaTeX, Writer, Pelorin, ... after one untimed warm-up of each
# on a single book. The time is the whole command's, start-up included, and the processor time
# that of its processes (Wine's server aside), which a loaded machine disturbs less; the quality
# figures are measured by bible-quality.py on each program's last PDF in the same way.
#   tools/bench/compare-with-office.sh [build folder]
# The packages it needs (XeLaTeX, Writer, the English hyphenation patterns, the Liberation fonts,
# poppler-utils, PyMuPDF, GNU time) are installed from Debian when missing. It takes about a
# quarter of an hour on an idle machine; it never fails on figures, only when a program is missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
layouts=(defaults 10pt)
declare -A layout_args=([defaults]="" [10pt]="--font-size=10 --line-pitch=12 --margins=15")

# ---------------------------------------------------------------------------------------------
# The timed runs, inside the Wine environment on one core (the script calls itself for them).
if [ "${1:-}" = "--measure" ]; then
  build=$2 work=$3 kjv=$4 runs=$5
  windows() { echo "Z:${1//\//\\}"; }
  now() { date +%s.%N; }
  date_text=$(LC_ALL=C date +"%-d %b %Y")
  profile="file://$work/writer-profile"
  pelorin() {  # layout, book folder, output PDF, log
    /usr/bin/time -f "%M %U %S" -o "$4.rss" wine "$build/bin/tools_BibleBench_bench.exe" ${layout_args[$1]} \
      "$(windows "$2")" "$(windows "$3")" > "$4" 2>&1 < /dev/null || true
  }
  xelatex_() {  # folder with Bible.tex, log
    (cd "$1" && /usr/bin/time -f "%M %U %S" -o "$2.rss" xelatex -interaction=batchmode -halt-on-error Bible.tex \
      > "$2" 2>&1 < /dev/null) || true
  }
  writer() {  # Bible.fodt, output folder, log
    /usr/bin/time -f "%M %U %S" -o "$3.rss" soffice "-env:UserInstallation=$profile" --headless --norestore \
      --convert-to pdf --outdir "$2" "$1" > "$3" 2>&1 < /dev/null || true
  }
  one_book=$work/one-book
  mkdir -p "$one_book"
  cp "$kjv"/KJV/*JUD*.SFM "$one_book/"
  for layout in "${layouts[@]}"; do
    dir=$work/$layout
    mkdir -p "$dir/warm-up"
    echo "$layout: warming up and writing the documents ..." >&2
    pelorin "$layout" "$one_book" "$dir/warm-up/pelorin.pdf" "$dir/warm-up/pelorin.txt"
    if ! grep -q '^layout:' "$dir/warm-up/pelorin.txt"; then
      cat "$dir/warm-up/pelorin.txt" >&2
      echo "the benchmark printed no layout" >&2
      exit 2
    fi
    python3 "$here/bible-sources.py" "$dir/warm-up/pelorin.txt" "$one_book" "$dir/warm-up" "$date_text"
    python3 "$here/bible-sources.py" "$dir/warm-up/pelorin.txt" "$kjv/KJV" "$dir" "$date_text"
    xelatex_ "$dir/warm-up" "$dir/warm-up/xelatex.txt"
    writer "$dir/warm-up/Bible.fodt" "$dir/warm-up/writer" "$dir/warm-up/writer.txt"
    for ((run = 1; run <= runs; ++run)); do
      echo "$layout: run $run of $runs ..." >&2
      start=$(now)
      pelorin "$layout" "$kjv/KJV" "$dir/pelorin-$run.pdf" "$dir/pelorin-$run.txt"
      echo "pelorin $run $(echo "$(now) - $start" | bc)" >> "$dir/times"
      mkdir -p "$dir/xelatex-$run"
      cp "$dir/Bible.tex" "$dir/xelatex-$run/"
      start=$(now)
      xelatex_ "$dir/xelatex-$run" "$dir/xelatex-$run.txt"
      echo "xelatex $run $(echo "$(now) - $start" | bc)" >> "$dir/times"
      start=$(now)
      writer "$dir/Bible.fodt" "$dir/writer-$run" "$dir/writer-$run.txt"
      echo "writer $run $(echo "$(now) - $start" | bc)" >> "$dir/times"
    done
  done
  exit 0
fi

# ---------------------------------------------------------------------------------------------
build=$(cd "${1:-$root/build}" && pwd)
runs=${BENCH_RUNS:-3}
core=${BENCH_CORE:-$(($(nproc) - 1))}
kjv="${PELORIN_KJV:-$(cd "$root/../shared/data/kjv" 2>/dev/null && pwd || true)}"
if [ ! -f "$kjv/KJV.ssf" ]; then
  kjv=$(cd "$root/../../shared/data/kjv" 2>/dev/null && pwd || true)
fi
if [ ! -f "$kjv/KJV.ssf" ]; then
  echo "the KJV project was not found (set PELORIN_KJV)" >&2
  exit 2
fi
if [ ! -f "$build/bin/tools_BibleBench_bench.exe" ]; then
  echo "$build/bin/tools_BibleBench_bench.exe is missing: build it first (./test.sh, or" >&2
  echo "cmake --build build --target tools_BibleBench_bench)" >&2
  exit 2
fi

missing=()
command -v xelatex > /dev/null || missing+=(texlive-xetex)
kpsewhich fontspec.sty > /dev/null 2>&1 || missing+=(texlive-latex-recommended)
command -v soffice > /dev/null || missing+=(libreoffice-writer-nogui)
[ -f /usr/share/hyphen/hyph_en_US.dic ] || missing+=(hyphen-en-us)
fc-list 2> /dev/null | grep "Liberation Serif" > /dev/null || missing+=(fonts-liberation2)
command -v pdfinfo > /dev/null || missing+=(poppler-utils)
/usr/bin/python3 -c "import fitz" 2> /dev/null || missing+=(python3-fitz)
[ -x /usr/bin/time ] || missing+=(time)
command -v bc > /dev/null || missing+=(bc)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing ${missing[*]} ..." >&2
  sudo_="" && [ "$(id -u)" -ne 0 ] && sudo_=sudo
  $sudo_ apt-get update > /dev/null
  $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Measuring on core $core, $runs runs of each program at each layout ..." >&2
taskset -c "$core" "$root/scripts/wine-env.sh" "$build" bash "$0" --measure "$build" "$work" "$kjv" "$runs"

# The quality figures of each program's last PDF, all at once.
for layout in "${layouts[@]}"; do
  dir=$work/$layout
  for program in pelorin xelatex writer; do
    case $program in
      pelorin) pdf=$dir/pelorin-$runs.pdf ;;
      xelatex) pdf=$dir/xelatex-$runs/Bible.pdf ;;
      writer) pdf=$dir/writer-$runs/Bible.pdf ;;
    esac
    if [ -f "$pdf" ]; then
      /usr/bin/python3 "$here/bible-quality.py" "$dir/reference.json" "$pdf" "$program" \
        > "$dir/$program.quality" 2> "$dir/$program.quality-errors" &
    fi
  done
done
wait

/usr/bin/python3 - "$work" "$runs" "$core" "${layouts[@]}" <<'PYTHON'
import json, os, statistics, sys

work, runs, core, layouts = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
programs = [("pelorin", "Pelorin"), ("xelatex", "XeLaTeX"), ("writer", "Writer")]


def pdf_of(directory, program, run):
    return {"pelorin": "pelorin-%d.pdf" % run, "xelatex": "xelatex-%d/Bible.pdf" % run,
            "writer": "writer-%d/Bible.pdf" % run}[program]


for layout in layouts:
    directory = os.path.join(work, layout)
    times = {}
    for line in open(os.path.join(directory, "times")):
        program, run, seconds = line.split()
        times.setdefault(program, []).append(float(seconds))
    pelorin_text = open(os.path.join(directory, "pelorin-%d.txt" % runs)).read().splitlines()
    title = pelorin_text[0] if pelorin_text else ""
    columns = {}
    for program, name in programs:
        column = {"times": times.get(program, [])}
        pdf = os.path.join(directory, pdf_of(directory, program, runs))
        column["ok"] = os.path.exists(pdf)
        column["size"] = os.path.getsize(pdf) / 1048576 if column["ok"] else None
        try:
            column.update(json.load(open(os.path.join(directory, program + ".quality"))))
        except (OSError, ValueError):
            pass
        # GNU time's last line: peak memory (kB) of the largest process, user and system seconds.
        memory, cpu = [], []
        for run in range(1, runs + 1):
            try:
                figures = open(os.path.join(directory, "%s-%d.txt.rss" % (program, run))).read().split("\n")
                kilobytes, user, system = [line for line in figures if line.strip()][-1].split()
                memory.append(int(kilobytes) / 1024)
                cpu.append(float(user) + float(system))
            except (OSError, ValueError, IndexError):
                pass
        column["memory"] = max(memory) if memory else None
        column["cpu"] = cpu
        columns[program] = column

    def cell(value, form="%s"):
        return "-" if value is None else form % value

    rows = [
        ("time, median of %d (s)" % runs, lambda c: cell(statistics.median(c["times"]) if c["times"] else None, "%.2f")),
        ("  each run (s)", lambda c: " ".join("%.1f" % t for t in c["times"]) or "-"),
        ("processor time, median (s)", lambda c: cell(statistics.median(c["cpu"]) if c["cpu"] else None, "%.2f")),
        ("pages", lambda c: cell(c.get("pages"))),
        ("PDF (MB)", lambda c: cell(c["size"], "%.1f")),
        ("peak memory (MB)", lambda c: cell(c["memory"], "%.0f")),
        ("words missing or out of order", lambda c: cell(c.get("words_missing"))),
        ("chapter numbers missing", lambda c: cell(c.get("chapters_missing"))),
        ("words not in their style's font", lambda c: cell(c.get("wrong_font"))),
        ("characters outside the text area", lambda c: cell(c.get("outside"))),
        ("justified lines", lambda c: cell(c.get("justified_lines"))),
        ("  ending > 0.5 pt past the column", lambda c: cell(c.get("overhang_over_0_5pt"))),
        ("  farthest past the column (pt)", lambda c: cell(c.get("overhang_max_pt"), "%.2f")),
        ("word pairs closer than 0.15 em", lambda c: cell(c.get("pairs_closer_0_15em"))),
        ("closest pair (em)", lambda c: cell(c.get("closest_pair_em"), "%.3f")),
        ("gap spread in a line, median (em)", lambda c: cell(c.get("gap_spread_median_em"), "%.3f")),
        ("gap spread in a line, 90 % (em)", lambda c: cell(c.get("gap_spread_p90_em"), "%.3f")),
        ("lines ending in a hyphen", lambda c: cell(c.get("hyphenated_lines"))),
    ]
    print()
    shape = title[title.find("(") + 1:title.rfind(")")] if "(" in title else ""
    print("Layout %s: A4, %s" % (layout, shape))
    words = columns["pelorin"].get("words") or columns["xelatex"].get("words")
    chapters = columns["pelorin"].get("chapters") or columns["xelatex"].get("chapters")
    print("  %d words and %s chapter numbers; each program on core %s" % (words or 0, chapters, core))
    print("  %-36s %12s %12s %12s" % ("", "Pelorin", "XeLaTeX", "Writer"))
    for label, value in rows:
        print("  %-36s %12s %12s %12s" % (label, value(columns["pelorin"]), value(columns["xelatex"]),
                                          value(columns["writer"])))
    pelorin_time = statistics.median(columns["pelorin"]["times"]) if columns["pelorin"]["times"] else None
    for program, name in programs[1:]:
        c = columns[program]
        if pelorin_time and c["times"] and c["ok"]:
            print("  %s takes %.1f times as long as Pelorin." % (name, statistics.median(c["times"]) / pelorin_time))
        elif not c["ok"]:
            print("  %s wrote no PDF: see its log." % name)
    for line in pelorin_text[1:]:
        if line.startswith("layout:"):
            break
        if "total" in line or "typeset" in line:
            print("  Pelorin's own figures:%s" % line)
print("""
Still different between the three:
  - Hyphenation: Pelorin breaks from consonant to vowel (its own rule, no word list); XeLaTeX and
    Writer use their US English patterns. All keep 3 characters on either side of a break.
  - Titles: Pelorin sets book titles across the page and balances the two columns before each
    title; XeLaTeX and Writer set them in the column and fill each column to its foot.
  - Headers: Pelorin's show the book and chapters of the page, the date and the page number;
    XeLaTeX's the first and last chapter of the page, the date and the number; Writer's the
    date and the number.
  - Line breaking: XeLaTeX breaks whole paragraphs (with emergency stretch), Pelorin and
    Writer line by line; XeLaTeX avoids a first or last line of a paragraph alone in a column.
  - Chapter numbers: Pelorin and XeLaTeX draw them in the chapter style's size; Writer scales
    its drop capital to the two lines.
  - \\q lines begin a line of their own in XeLaTeX and Writer; \\d lines are paragraphs of their
    own there, while Pelorin adds them to the running text with their marker.""")
PYTHON
