#!/usr/bin/env bash
# Makes the ReplayGain test files in this folder (run once by hand; needs sox,
# lame, eyeD3 and id3v2; the small results are committed).
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 0.4 s of a 440 Hz tone at half scale, MPEG-2 Layer III at 64 kbit/s: frames
# large enough for LAME's Info frame.
sox -n -r 22050 -c 1 -b 16 "$tmp/tone.wav" synth 0.4 sine 440 vol 0.5

# LAME's own estimate of the track gain, without a peak (its default) and with
# the peak of the decoded result.
lame --quiet -b 64 "$tmp/tone.wav" rg-lame-estimate.mp3
lame --quiet -b 64 --replaygain-accurate "$tmp/tone.wav" rg-lame-accurate.mp3

# User text frames over LAME's values: ID3v2.4 in UTF-16, descriptions in mixed case.
cp rg-lame-accurate.mp3 rg-eyed3-over-lame.mp3
eyeD3 -Q --to-v2.4 --encoding utf16 --user-text-frame "REPLAYGAIN_TRACK_GAIN:-6.02 dB" \
  --user-text-frame "replaygain_track_peak: 0.98 " --user-text-frame "Replaygain_Album_Gain:+1.5 dB" \
  rg-eyed3-over-lame.mp3 >/dev/null

# ID3v2.3 in Latin-1, as id3v2 writes it (with an ID3v1 tag; one user text
# frame a file), on a file without LAME's frame.
cp plain.mp3 rg-id3v2-album.mp3
id3v2 --TXXX "REPLAYGAIN_ALBUM_GAIN:-3.10 dB" rg-id3v2-album.mp3
