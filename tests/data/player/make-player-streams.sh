#!/usr/bin/env bash
# Makes the short streams of the player's tests (run once by hand; needs sox
# and lame; the results are committed). Real-time playback tests want files
# of about a second; the streams in ../ run six.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 1.2 s of two tones, 44.1 kHz stereo, 128 kbit/s, no VBR header frame.
sox -n -r 44100 -c 2 -b 16 "$tmp/a.wav" synth 1.2 sine 440 sine 660 vol 0.5
lame --quiet -b 128 -t --noreplaygain "$tmp/a.wav" tone-44100-stereo-cbr.mp3

# The same as variable bit rate with a Xing header frame.
lame --quiet -V 4 --noreplaygain "$tmp/a.wav" tone-44100-stereo-xing.mp3

# 0.5 s at 48 kHz, to splice a change of sampling frequency into a stream.
# The tone is chosen so that no byte pair in it looks like a 44.1 kHz header.
sox -n -r 48000 -c 2 -b 16 "$tmp/b.wav" synth 0.5 sine 500 vol 0.5
lame --quiet -b 128 -t --noreplaygain "$tmp/b.wav" tone-48000-stereo-cbr.mp3

# LAME's Info frame with its delays in a constant-bit-rate file (no -t).
lame --quiet -b 128 --noreplaygain "$tmp/a.wav" tone-44100-stereo-info.mp3

# A short MPEG-2 tone kept with its source, to compare gapless playback with.
sox -n -r 22050 -c 1 -b 16 tone-22050-mono.wav synth 0.5 sine 330 vol 0.5
lame --quiet -b 64 --noreplaygain tone-22050-mono.wav tone-22050-mono-info.mp3
lame --quiet -V 2 --noreplaygain tone-22050-mono.wav tone-22050-mono-xing.mp3

# One 440 Hz tone cut into two files at a point that is no frame boundary,
# for songs that must join again without a gap or a click.
sox -n -r 44100 -c 2 -b 16 "$tmp/whole.wav" synth 2.0 sine 440 vol 0.5
sox "$tmp/whole.wav" "$tmp/first.wav" trim 0 39690s
sox "$tmp/whole.wav" "$tmp/second.wav" trim 39690s
lame --quiet -b 192 --noreplaygain "$tmp/first.wav" tone-440-first-half.mp3
lame --quiet -b 192 --noreplaygain "$tmp/second.wav" tone-440-second-half.mp3

# Pink noise, to measure what the equalizer does to each frequency.
sox -n -r 44100 -c 1 -b 16 "$tmp/pink.wav" synth 4 pinknoise vol 0.3
lame --quiet -b 128 --noreplaygain "$tmp/pink.wav" pink-44100-mono.mp3

# Ten seconds of a steady 1 kHz tone: longer than the sound a server holds
# ahead, to hear a change of the equalizer while it plays.
sox -n -r 44100 -c 1 -b 16 "$tmp/long.wav" synth 10 sine 1000 vol 0.5
lame --quiet -b 32 --noreplaygain "$tmp/long.wav" tone-1000-10s.mp3
