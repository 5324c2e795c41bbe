#pragma once
// Scans bytes the way the player does when it opens a stream.
#include <memory>

#include "player/mp3_info.h"
#include "test_streams.h"

namespace orvana::player::testing {

struct TInfoScan {
  explicit TInfoScan(TBytes bytes, bool seekable = true, int capacity = 65536,
                     TMP3InfoType need = {mitID3V1, mitID3V2, mitRiff})
      : stream(std::move(bytes), seekable), reader(capacity) {
    reader.Open(&stream, seekable);
    info.SetReader(&reader);
    info.SetNeedInfoType(need);
    headResult = info.ScanHead();
    if (seekable) tailResult = info.ScanTail();
  }

  TMemoryStream stream;
  TMPStreamReader reader;
  TMP3Info info;
  bool headResult = false;
  bool tailResult = false;
};

}  // namespace orvana::player::testing
