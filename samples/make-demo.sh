#!/usr/bin/env bash
# Makes samples/demo.mp3: eight seconds of plucked chords over a soft bass and
# a little noise, synthesised with sox and encoded with lame (44.1 kHz joint
# stereo, 128 kbit/s). Needs the Debian packages sox and lame.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One bar a chord: C, A minor, F, G.
chords=("C4 E4 G4 C5" "A3 C4 E4 A4" "F3 A3 C4 F4" "G3 B3 D4 G4")
bass=(C2 A1 F1 G1)
bar=0
for chord in "${chords[@]}"; do
  notes=()
  step=0
  for note in $chord; do
    # Each note is plucked a little later than the one below it (arpeggio).
    sox -n -r 44100 -c 1 "$work/n$bar$step.wav" synth 2 pluck "$note" \
      fade 0 2 1.2 pad "0.$((step * 12))" trim 0 2
    notes+=("$work/n$bar$step.wav")
    step=$((step + 1))
  done
  sox -n -r 44100 -c 1 "$work/b$bar.wav" synth 2 sine "${bass[$bar]}" fade 0.05 2 0.5 vol 0.5
  sox -m "${notes[@]}" "$work/b$bar.wav" "$work/bar$bar.wav" norm -3
  bar=$((bar + 1))
done
sox "$work"/bar0.wav "$work"/bar1.wav "$work"/bar2.wav "$work"/bar3.wav "$work/melody.wav"
sox -n -r 44100 -c 1 "$work/noise.wav" synth 8 pinknoise vol 0.02
# Stereo: the melody slightly delayed on the right, noise mixed under both.
sox "$work/melody.wav" "$work/right.wav" pad 0.015 trim 0 8
sox -M "$work/melody.wav" "$work/right.wav" "$work/stereo.wav"
sox -m "$work/stereo.wav" <(sox "$work/noise.wav" -c 2 -t wav -) "$work/mix.wav" norm -1
lame --quiet -b 128 -m j --tt "Orvana demo" --ta "Orvana" "$work/mix.wav" "$here/demo.mp3"
echo "wrote $here/demo.mp3"
