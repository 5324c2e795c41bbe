#!/usr/bin/env bash
# Makes the container and tag test files in this folder from a short tone.
# Run once by hand (needs sox, lame, eyeD3, id3v2, ffmpeg, iconv, perl); the
# small results are committed so that the tests need none of these tools.
# The committed plain.mp3 is kept: sox dithers, so a new tone would change the
# bytes of every file made from it.
#
# Where a tool writes the structure, the tool makes it; the rest (ID3v2.2,
# unsynchronised and hand-laid ID3v2.3 and 2.4 tags, CP932 ID3v1, Lyrics3,
# MacBinary, RIFF INFO after the audio) is laid out byte by byte below.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

bytes() { for b in "$@"; do printf "\\x$(printf %02x "$b")"; done; }
be32() { bytes $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }
le32() { bytes $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
syncsafe() { bytes $(($1 >> 21 & 127)) $(($1 >> 14 & 127)) $(($1 >> 7 & 127)) $(($1 & 127)); }
zeros() { head -c "$1" /dev/zero; }
size_of() { stat -c %s "$1"; }
# TEXT padded with NULs to WIDTH bytes.
field() { printf '%s' "$1"; zeros $(($2 - ${#1})); }
utf16le() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
utf16be() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE; }
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# ID3v2.3 frame: ID BODYFILE
frame23() { printf '%s' "$1"; be32 "$(size_of "$2")"; bytes 0 0; cat "$2"; }
# ID3v2.4 frame: ID FORMATFLAGS BODYFILE (the body as stored)
frame24() { printf '%s' "$1"; syncsafe "$(size_of "$3")"; bytes 0 "$2"; cat "$3"; }
# Unsynchronisation of stdin: 0x00 after each 0xFF that precedes 0x00 or 0xE0 and up, or ends the data.
unsync() { perl -0777 -pe 's/\xFF(?=[\x00\xE0-\xFF]|\z)/\xFF\x00/g'; }
# ID3v2 tag: VERSION FLAGS CONTENTFILE
tag2() { printf 'ID3'; bytes "$1" 0 "$2"; syncsafe "$(size_of "$3")"; cat "$3"; }
# ID3v1.1 tag: TITLE ARTIST ALBUM YEAR COMMENT TRACK GENRE (texts as bytes)
id3v11() {
  printf 'TAG'; field "$1" 30; field "$2" 30; field "$3" 30; field "$4" 4; field "$5" 28
  bytes 0 "$6" "$7"
}
# RIFF chunk: ID BODYFILE (padded to an even length)
chunk() { printf '%s' "$1"; le32 "$(size_of "$2")"; cat "$2"; [ $(($(size_of "$2") % 2)) -eq 0 ] || bytes 0; }
# Lyrics3 version 2 field: ID TEXT
lyrics_field() { printf '%s%05d%s' "$1" "${#2}" "$2"; }

# The audio: 0.4 s of a 440 Hz tone, MPEG-2 Layer III, 32 kbit/s mono, no Xing frame.
if [ ! -e plain.mp3 ]; then
  sox -n -r 22050 -c 1 -b 16 "$tmp/tone.wav" synth 0.4 sine 440 vol 0.5
  lame --quiet -b 32 -t --noreplaygain "$tmp/tone.wav" plain.mp3
fi

# --- made by the tools
cp plain.mp3 eyed3-v23-latin1.mp3
eyeD3 -Q --to-v2.3 --encoding latin1 -t "Song (Live)" -a "Artist" -A "Album" \
  --recording-date 2001 -c "hello" --text-frame "TIT1:Grouping" eyed3-v23-latin1.mp3 >/dev/null
eyeD3 -Q --v1 -t "Song" -a "Artist" -A "Album" -Y 2001 -c "v1 comment" eyed3-v23-latin1.mp3 >/dev/null

cp plain.mp3 eyed3-v23-utf16.mp3
eyeD3 -Q --to-v2.3 -t "夜の歌" -a "歌手" -A "アルバム" -c "コメント" eyed3-v23-utf16.mp3 >/dev/null

cp plain.mp3 eyed3-v24.mp3
eyeD3 -Q -t "Four" -a "Artist Four" eyed3-v24.mp3 >/dev/null

for encoding in utf8 utf16 utf16-be; do
  cp plain.mp3 "eyed3-v24-$encoding.mp3"
  eyeD3 -Q --to-v2.4 --encoding "$encoding" -t "夜の歌" -a "歌手" -A "アルバム" -c "コメント" \
    --text-frame "TIT1:グループ" "eyed3-v24-$encoding.mp3" >/dev/null
done

cp plain.mp3 eyed3-v24-date.mp3
eyeD3 -Q --to-v2.4 -t "Dated" --recording-date 2021-05-04 eyed3-v24-date.mp3 >/dev/null

cp plain.mp3 eyed3-v11.mp3
eyeD3 -Q --to-v1.1 -t "Title" -a "Artist" -A "Album" -n 7 -G Rock eyed3-v11.mp3 >/dev/null

cp plain.mp3 id3v2-tool.mp3
id3v2 -t "Tool Title" -a "Tool Artist" -A "Tool Album" -y 1999 -g 17 -c "tool comment" -T 4 id3v2-tool.mp3

ffmpeg -v error -y -i plain.mp3 -c:a copy -metadata title="Wave Song" -metadata artist="Wave Artist" \
  -metadata album="Wave Album" -metadata date=2003 -metadata comment="wave comment" \
  -metadata genre="Rock" -f wav ffmpeg-info.wav
# Written to a pipe, the RIFF and "data" sizes stay 0xFFFFFFFF.
ffmpeg -v error -i plain.mp3 -c:a copy -metadata title="Streamed" -f wav - > ffmpeg-streamed.wav

# --- laid out by hand
# ID3v2.2: three-letter frames.
{ printf 'TT2'; bytes 0 0 10; printf '\0Old Title'; zeros 20; } > "$tmp/v22"
{ tag2 2 0 "$tmp/v22"; cat plain.mp3; } > v22.mp3

# Unsynchronised ID3v2.3: the byte-order mark (FF FE) and the "ÿ" (FF 00) of
# the UTF-16 title get a 0x00 each.
{ bytes 1 0xFF 0xFE; utf16le "Unsynchronised ÿ"; } > "$tmp/title"
frame23 TIT2 "$tmp/title" | unsync > "$tmp/frames"
{ tag2 3 0x80 "$tmp/frames"; cat plain.mp3; } > v23-unsync.mp3

# ID3v2.4 unsynchronised by the tag header's flag alone: each frame body is
# undone, a trailing 0xFF included (UTF-16 big-endian "ÿ" ends in FF).
{ bytes 1 0xFF 0xFE; utf16le "Four ÿ"; } | unsync > "$tmp/title"
{ bytes 2; utf16be "Artist ÿ"; } | unsync > "$tmp/artist"
{ bytes 3; printf '歌手のアルバム'; } > "$tmp/album"
{ frame24 TIT2 0 "$tmp/title"; frame24 TPE1 0 "$tmp/artist"; frame24 TALB 0 "$tmp/album"; zeros 16; } > "$tmp/content"
{ tag2 4 0x80 "$tmp/content"; cat plain.mp3; } > v24-unsync.mp3

# ID3v2.4 frame flags: data length and unsynchronisation, a group byte, and a
# compressed frame (not text, whatever it seems to hold).
{ bytes 1 0xFF 0xFE; utf16le "Flagged ÿ"; } > "$tmp/title"
{ syncsafe "$(size_of "$tmp/title")"; unsync < "$tmp/title"; } > "$tmp/title-stored"
{ bytes 7 3; printf 'Grouped'; } > "$tmp/artist"
{ syncsafe 8; printf '\0Hidden!'; } > "$tmp/album"
{ frame24 TIT2 3 "$tmp/title-stored"; frame24 TPE1 0x40 "$tmp/artist"; frame24 TALB 9 "$tmp/album"; } > "$tmp/content"
{ tag2 4 0 "$tmp/content"; cat plain.mp3; } > v24-frame-flags.mp3

# ID3v2.4 extended header (12 bytes with its size: one flag byte, CRC-32 data)
# and a footer after unpadded frames.
printf '\3Extended' > "$tmp/title"
{ syncsafe 12; bytes 1 0x20 5 0x0A 0x12 0x34 0x56 0x78; frame24 TIT2 0 "$tmp/title"; zeros 32; } > "$tmp/content"
{ tag2 4 0x40 "$tmp/content"; cat plain.mp3; } > v24-extended.mp3
printf '\0Footer' > "$tmp/title"
frame24 TIT2 0 "$tmp/title" > "$tmp/content"
{ tag2 4 0x10 "$tmp/content"; printf '3DI'; bytes 4 0 0x10; syncsafe "$(size_of "$tmp/content")"; cat plain.mp3; } \
  > v24-footer.mp3

# Extended header (size 6: flags and padding size) and 64 bytes of padding.
printf '\0Extended' > "$tmp/title"
printf '\0Padded Artist' > "$tmp/artist"
{ be32 6; bytes 0 0; be32 64; frame23 TIT2 "$tmp/title"; frame23 TPE1 "$tmp/artist"; zeros 64; } > "$tmp/content"
{ tag2 3 0x40 "$tmp/content"; cat plain.mp3; } > v23-extended.mp3

# Five stray bytes after the last frame, inside the tag's size: not a tag to pass.
printf '\0Stray' > "$tmp/title"
{ frame23 TIT2 "$tmp/title"; printf 'xxxxx'; } > "$tmp/content"
{ tag2 3 0 "$tmp/content"; cat plain.mp3; } > v23-stray.mp3

# ID3v2.4 as writers bend it: a frame of size zero, a comment whose size is
# stored as a plain integer (so every size is), padding, and a tag size that
# claims the first 600 bytes of the audio.
printf '\0Bent' > "$tmp/title"
{ bytes 0; printf 'eng'; printf '\0'; head -c 195 /dev/zero | tr '\0' c; } > "$tmp/comment"
printf '\0Album' > "$tmp/album"
{ frame23 TIT2 "$tmp/title"; printf 'TPE1'; zeros 6; frame23 COMM "$tmp/comment"; frame23 TALB "$tmp/album"
  zeros 20; } > "$tmp/content"
{ printf 'ID3'; bytes 4 0 0; syncsafe $(($(size_of "$tmp/content") + 600)); cat "$tmp/content" plain.mp3; } > v24-bent.mp3

# UTF-16 without a byte-order mark (little-endian), with a big-endian mark and
# with a little-endian one; a Latin-1 comment with language and description.
{ bytes 1; utf16le "Song"; } > "$tmp/title"
{ bytes 1 0xFE 0xFF; utf16be "歌手"; } > "$tmp/artist"
{ bytes 1 0xFF 0xFE; utf16le "Album ✓"; bytes 0 0; } > "$tmp/album"
{ bytes 0; printf 'eng'; printf 'desc\0hello'; } > "$tmp/comment"
{ frame23 TIT2 "$tmp/title"; frame23 TPE1 "$tmp/artist"; frame23 TALB "$tmp/album"
  frame23 COMM "$tmp/comment"; zeros 32; } > "$tmp/content"
{ tag2 3 0 "$tmp/content"; cat plain.mp3; } > v23-utf16-marks.mp3

# ID3v1.1 written by a Japanese Windows tagger: CP932 texts, genre 255.
{ cat plain.mp3; id3v11 "$(cp932 "夜の歌")" "$(cp932 "歌手")" "$(cp932 "アルバム")" 1998 "$(cp932 "ｺﾒﾝﾄ")" 3 255; } > v1-cp932.mp3

tail -c 128 eyed3-v11.mp3 > "$tmp/id3v1"
# Lyrics3 version 1 between the audio and the ID3v1 tag.
{ cat plain.mp3; printf 'LYRICSBEGIN[00:01]First line\r\n[00:02]Second lineLYRICSEND'; cat "$tmp/id3v1"; } > lyrics3v1.mp3

# Lyrics3 version 2, in front of an ID3v1 tag and at the very end.
{ printf 'LYRICSBEGIN'; lyrics_field IND 10; lyrics_field LYR $'[00:01]Lyric line\r\n'
  lyrics_field ETT "Lyrics Title"; lyrics_field EAR "Lyrics Artist"; } > "$tmp/lyrics2"
{ cat "$tmp/lyrics2"; printf '%06dLYRICS200' "$(size_of "$tmp/lyrics2")"; } > "$tmp/lyrics2block"
{ cat plain.mp3 "$tmp/lyrics2block" "$tmp/id3v1"; } > lyrics3v2.mp3
{ cat plain.mp3 "$tmp/lyrics2block"; } > lyrics3v2-notag.mp3

# MacBinary: header, data fork (audio and its ID3v1 tag) padded to 128 bytes,
# then a resource fork that ends in a decoy "TAG" block.
{ cat plain.mp3; id3v11 "Fork Title" "Fork Artist" "" 2000 "" 1 13; } > "$tmp/datafork"
{ zeros 128; id3v11 "Wrong Title" "" "" "" "" 0 0; } > "$tmp/resourcefork"
{
  bytes 0 8; field "song.mp3" 63; printf 'MPG3hook'; zeros 10
  be32 "$(size_of "$tmp/datafork")"; be32 "$(size_of "$tmp/resourcefork")"; zeros 37
} > "$tmp/macheader"
{
  cat "$tmp/macheader" "$tmp/datafork"
  zeros $(((128 - $(size_of "$tmp/datafork") % 128) % 128))
  cat "$tmp/resourcefork"
} > macbinary.bin

# RIFF/WAVE with the INFO list after the (odd-sized, padded) "data" chunk, and
# one whose INFO list begins with an "IID3" sub-chunk.
head -c 50 ffmpeg-info.wav | tail -c 38 > "$tmp/fmt"
printf 'Tail Title\0' > "$tmp/inam"
printf 'Tail Artist\0' > "$tmp/iart"
printf 'ID3' > "$tmp/iid3"
{ printf 'INFO'; chunk INAM "$tmp/inam"; chunk IART "$tmp/iart"; } > "$tmp/info"
{ printf 'INFO'; chunk IID3 "$tmp/iid3"; chunk INAM "$tmp/inam"; } > "$tmp/info-iid3"
for variant in info info-iid3; do
  { printf 'WAVE'; cat "$tmp/fmt"; chunk data plain.mp3; chunk LIST "$tmp/$variant"; } > "$tmp/riff"
  out=riff-tail-info.wav
  [ "$variant" = info-iid3 ] && out=riff-iid3.wav
  { printf 'RIFF'; le32 "$(size_of "$tmp/riff")"; cat "$tmp/riff"; } > "$out"
done

ls -l ./*.mp3 ./*.wav ./*.bin

# Songs with a front cover, written by eyeD3 (2.4 and 2.3), from two small PNG
# pictures of one colour each.
png() {
  python3 - "$@" <<'PY'
import struct, sys, zlib
path, width, height, rgb = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), bytes.fromhex(sys.argv[4])
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + rgb * width for _ in range(height))
with open(path, "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
              + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY
}
png cover-red.png 48 24 e01010
png cover-blue.png 16 32 1010e0
cp plain.mp3 cover-v24.mp3
eyeD3 -Q --to-v2.4 -t "Red Cover" --add-image cover-red.png:FRONT_COVER cover-v24.mp3 >/dev/null
cp plain.mp3 cover-v23.mp3
eyeD3 -Q --to-v2.3 -t "Blue Cover" --add-image cover-red.png:BACK_COVER:back --add-image cover-blue.png:FRONT_COVER:front \
  cover-v23.mp3 >/dev/null
