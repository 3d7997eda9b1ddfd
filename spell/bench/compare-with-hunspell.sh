#!/usr/bin/env bash
# Runs the spell engine's benchmark and times Debian's hunspell with its en_US dictionary on the
# same words, then prints both and the ratio (how many times faster the engine is).
#   spell/bench/compare-with-hunspell.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
command -v hunspell >/dev/null || { echo "hunspell is not installed (scripts/setup.sh installs it)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
report=$("$here/scripts/wine-env.sh" "$build" wine "$build/bin/spell_bench.exe" --out "Z:${work//\//\\}" | tr -d '\r')
echo "$report" | grep -v '='
value() { echo "$report" | sed -n "s/^$1=//p"; }

now() { date +%s.%N; }
# The best of three runs of hunspell on a file, in seconds.
best() {
  local mode=$1 file=$2 best=999 start end
  for _ in 1 2 3; do
    start=$(now)
    hunspell -d en_US -i cp1252 "$mode" <"$file" >/dev/null
    end=$(now)
    best=$(awk -v a="$best" -v b="$end" -v c="$start" 'BEGIN { t = b - c; print (t < a ? t : a) }')
  done
  echo "$best"
}

: >"$work/empty.txt"
startup=$(best -l "$work/empty.txt")
lookups=$(best -l "$work/lookups.txt")
book=$(best -l "$work/book.txt")
suggest=$(best -a "$work/misspelt.txt")

calc() { awk "BEGIN { print $1 }"; }
h_lookup=$(calc "$(value lookup_words) / ($lookups - $startup)")
h_book=$(calc "$(value book_words) / ($book - $startup)")
h_ms=$(calc "($suggest - $startup) * 1000 / $(value suggestion_lists)")

printf '\nhunspell en_US (start-up of %.0f ms taken off each run):\n' "$(calc "$startup * 1000")"
printf '  look-ups                    %12.0f words/s\n' "$h_lookup"
printf '  book                        %12.0f words/s\n' "$h_book"
printf '  suggestions                 %12.3f ms per list\n' "$h_ms"
printf '\nengine / hunspell:\n'
printf '  look-ups     %6.1f times as fast\n' "$(calc "$(value lookup_words_per_second) / $h_lookup")"
printf '  book         %6.1f times as fast\n' "$(calc "$(value book_words_per_second) / $h_book")"
printf '  suggestions  %6.1f times as fast\n' "$(calc "$h_ms / $(value ms_per_suggestion_list)")"
