#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the word lists of the game from the SCOWL lists of Debian's `scowl` package:
#   words.txt        every word the host accepts with the standard list (2 to 14 letters)
#   words-large.txt  the words the large list adds to words.txt (2 to 14 letters)
#   candidates.txt   the computer opponent's repertoire of common short words (2 to 7 letters)
# All are plain text, one lower-case word a line, sorted by byte value, without repeats.
# Usage: data/make-wordlists.sh [scowl directory] [output directory]
#   (defaults /usr/share/dict/scowl and the folder of this script)
set -euo pipefail

scowl=${1:-/usr/share/dict/scowl}
here=${2:-$(cd "$(dirname "$0")" && pwd)}

# Sizes are SCOWL's levels: the lower the size, the more common the word.
word_sizes=(10 20 35 40 50 55 60 70 80)
large_sizes=(95)
# The English spellings every list takes, then one step per country's spellings.
variants=(english american british canadian australian)
# All English and American words of these sizes go into the candidate list ...
candidate_sizes=(10 20)
# ... and of these sizes only the words of up to four letters, which keeps the list near 7,700 words.
candidate_short_sizes=(35)

if [ ! -r "$scowl/english-words.10" ]; then
  echo "SCOWL word lists not found in $scowl (install the 'scowl' package)" >&2
  exit 1
fi

# Prints the lists of one variant and the given sizes, as UTF-8 (the SCOWL files are UTF-8 or
# plain ASCII; a size a variant lacks is skipped).
lists() {
  local variant=$1 size
  shift
  for size in "$@"; do
    if [ -r "$scowl/$variant-words.$size" ]; then
      iconv -f UTF-8 -t UTF-8 "$scowl/$variant-words.$size"
    fi
  done
}

# Folds accented letters to plain ones (café -> cafe, naïve -> naive), then keeps the words of
# 2 to 14 letters a to z: names, abbreviations and possessives drop out.
fold() {
  LC_ALL=C.UTF-8 iconv -f UTF-8 -t ASCII//TRANSLIT | LC_ALL=C grep -E '^[a-z]{2,14}$' || true
}

# Plain words only, as the list was before folding: the step that folds says what it adds.
plain() {
  LC_ALL=C grep -E '^[a-z]{2,14}$' || true
}

count() { wc -l <"$1" | tr -d ' '; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

# The standard list, step by step, saying what each step adds.
: >"$work/words"
for variant in "${variants[@]}"; do
  before=$(count "$work/words")
  lists "$variant" "${word_sizes[@]}" | plain | sort -u -o "$work/words" - "$work/words"
  echo "$variant spellings: +$(($(count "$work/words") - before)) words"
done
before=$(count "$work/words")
for variant in "${variants[@]}"; do
  lists "$variant" "${word_sizes[@]}"
done | fold | sort -u -o "$work/words" - "$work/words"
echo "accented words folded: +$(($(count "$work/words") - before)) words"

# The large list: the same variants up to size 95, kept as what it adds to the standard list.
for variant in "${variants[@]}"; do
  lists "$variant" "${large_sizes[@]}"
done | fold | sort -u | comm -13 "$work/words" - >"$work/large"
echo "large list: +$(count "$work/large") words"

# The candidates are taken from the English and American lists as they always were, so the computer
# opponent's choices do not change with the larger word list.
{
  for variant in english american; do
    lists "$variant" "${candidate_sizes[@]}" | LC_ALL=C grep -E '^[a-z]{2,7}$' || true
    lists "$variant" "${candidate_short_sizes[@]}" | LC_ALL=C grep -E '^[a-z]{2,4}$' || true
  done
} | sort -u >"$work/candidates"

# Every candidate must be a word the host accepts.
if [ -n "$(comm -23 "$work/candidates" "$work/words")" ]; then
  echo "candidate words missing from words.txt" >&2
  exit 1
fi

mkdir -p "$here"
mv "$work/words" "$here/words.txt"
mv "$work/large" "$here/words-large.txt"
mv "$work/candidates" "$here/candidates.txt"
echo "words.txt: $(count "$here/words.txt") words; words-large.txt: $(count "$here/words-large.txt") more;" \
  "candidates.txt: $(count "$here/candidates.txt") words"
