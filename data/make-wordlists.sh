#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the two word lists of the game from the SCOWL lists of Debian's `scowl` package:
#   words.txt       every word the host accepts (2 to 14 letters)
#   candidates.txt  the computer opponent's repertoire of common short words (2 to 7 letters)
# Both are plain text, one lower-case word a line, sorted by byte value, without repeats.
# Usage: data/make-wordlists.sh [scowl directory]   (default /usr/share/dict/scowl)
set -euo pipefail

scowl=${1:-/usr/share/dict/scowl}
here=$(cd "$(dirname "$0")" && pwd)
export LC_ALL=C

# Sizes are SCOWL's levels: the lower the size, the more common the word.
word_sizes=(10 20 35 40 50 55 60 70 80)
# All words of these sizes go into the candidate list ...
candidate_sizes=(10 20)
# ... and of these sizes only the words of up to four letters, which keeps the list near 7,700 words.
candidate_short_sizes=(35)

if [ ! -r "$scowl/english-words.10" ]; then
  echo "SCOWL word lists not found in $scowl (install the 'scowl' package)" >&2
  exit 1
fi

# Prints the English and American lists of the given sizes. The files are Latin-1; the filter
# below keeps only words of the letters a to z, so accented words, names, abbreviations and
# possessives all drop out.
lists() {
  local size
  for size in "$@"; do
    cat "$scowl/english-words.$size" "$scowl/american-words.$size"
  done
}

lists "${word_sizes[@]}" | grep -E '^[a-z]{2,14}$' | sort -u >"$here/words.txt.new"

{
  lists "${candidate_sizes[@]}" | grep -E '^[a-z]{2,7}$'
  lists "${candidate_short_sizes[@]}" | grep -E '^[a-z]{2,4}$'
} | sort -u >"$here/candidates.txt.new"

# Every candidate must be a word the host accepts.
if [ -n "$(comm -23 "$here/candidates.txt.new" "$here/words.txt.new")" ]; then
  echo "candidate words missing from words.txt" >&2
  exit 1
fi

mv "$here/words.txt.new" "$here/words.txt"
mv "$here/candidates.txt.new" "$here/candidates.txt"
echo "words.txt: $(wc -l <"$here/words.txt") words; candidates.txt: $(wc -l <"$here/candidates.txt") words"
