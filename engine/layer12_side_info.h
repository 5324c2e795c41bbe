#pragma once
// The fields of a Layer I or II frame ahead of its samples: the allocation of
// every sub-band and channel, then (Layer II) the scale-factor selection and
// the scale factors, folded into one combined factor per part of the frame.
#include <cstdint>

#include "engine/bit_reader.h"
#include "engine/layer12_tables.h"

namespace orvana::engine {

struct Layer12Allocation {
  const Layer12Quantizer* quantizer = nullptr;  // never null once read
  float factor[3] = {};                         // step factor times scale factor, per part
};

struct Layer12FrameInfo {
  int32_t channels = 0;
  int32_t bound = 0;     // sub-bands from here on share allocation and samples (32: none)
  int32_t subbands = 0;  // sub-bands of the allocation layout
  Layer12Allocation entry[kLayer12Subbands][2];  // [sb][ch]; above `subbands`: none
};

// Reads the allocation codes of `layout`: one per channel below `bound`, one
// for both channels above.
void ReadLayer12Allocation(Layer12BitReader& reader, const Layer12AllocationLayout& layout,
                           int channels, int bound, Layer12FrameInfo& info);

// Reads the scale factors of every allocated entry and sets its factors.
// With `withSelection` (Layer II) two selection bits per entry come first and
// say which of the three parts share a factor; without, one factor serves the
// whole frame.
void ReadLayer12ScaleFactors(Layer12BitReader& reader, bool withSelection, Layer12FrameInfo& info);

// Sample bits of one granule in sub-bands [from, to), a shared sub-band
// counted once.
int Layer12GranuleBits(const Layer12FrameInfo& info, int from, int to);

}  // namespace orvana::engine
