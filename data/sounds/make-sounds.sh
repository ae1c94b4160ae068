#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the game's sound clips with sox: short, soft tones built from plucked strings and sine
# chimes, each in its fixed format (mono PCM, rate and sample size as the game expects) and length.
# Run from anywhere; the .wav files land beside this script. Needs: sox.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# note <file> <seconds> <synth arguments...>: one note at 44.1 kHz with a soft start and end.
note() {
    out=$1; len=$2; shift 2
    sox -R -n -r 44100 -b 16 -c 1 "$work/$out" synth "$len" "$@" fade q 0.005 "$len" "$(awk "BEGIN { print $len / 2 }")"
}

# finish <name> <rate> <bits> <seconds> <parts...>: joins the parts, sets the volume, converts to the
# clip's format and cuts or pads it to its exact length.
finish() {
    name=$1; rate=$2; bits=$3; len=$4; shift 4
    parts=""
    for p in "$@"; do parts="$parts $work/$p"; done
    # shellcheck disable=SC2086
    sox -R $parts "$work/joined.wav"
    sox -R -V1 "$work/joined.wav" -r "$rate" -b "$bits" -e "$( [ "$bits" = 8 ] && echo unsigned || echo signed)" \
        -c 1 "$here/$name.wav" pad 0 2 trim 0 "$len" norm -3
}

# A soft falling two-note "no".
note bad1.wav 0.14 triangle 392
note bad2.wav 0.21 triangle 294
finish badword 44100 16 0.35 bad1.wav bad2.wav

# A quick downward swish for a removed letter.
note clear.wav 0.26 sine 1400-500 sine 700-250
finish clear 44100 16 0.26 clear.wav

# Door chime: ding-dong.
note ent1.wav 0.35 sine 659.25 sine 1318.5
note ent2.wav 0.44 sine 523.25 sine 1046.5
finish entered 11025 8 0.79 ent1.wav ent2.wav

# Game over: three falling plucks and a low close.
note go1.wav 0.22 pluck G4
note go2.wav 0.22 pluck E4
note go3.wav 0.22 pluck C4
note go4.wav 0.40 pluck C3
finish gameover 22050 8 1.06 go1.wav go2.wav go3.wav go4.wav

# A good word: a bright rising pair of chimes.
note good1.wav 0.08 sine 1046.5
note good2.wav 0.14 sine 1318.5
finish goodword 44100 16 0.22 good1.wav good2.wav

# A placed tile: a short wooden knock.
note place.wav 0.22 pluck A2
finish place 44100 16 0.22 place.wav

# A steal: a rising sweep that settles on a chord.
note ro1.wav 0.55 sine 300-900
note ro2.wav 0.70 pluck E5
finish roundover 11025 8 1.25 ro1.wav ro2.wav

# Your turn: a small fanfare.
note st1.wav 0.15 pluck C5
note st2.wav 0.15 pluck E5
note st3.wav 0.15 pluck G5
note st4.wav 0.55 pluck C6
finish start 22050 8 1.00 st1.wav st2.wav st3.wav st4.wav

# The last seconds of the own turn: one short, soft wooden tick a second.
note tick.wav 0.06 pluck A5
finish tick 22050 8 0.06 tick.wav

# The alert for a name without a clip of its own: one short beep.
note alert.wav 0.30 sine 880
finish alert 22050 16 0.30 alert.wav
