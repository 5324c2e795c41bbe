#pragma once
// The samples of a Layer I or II frame, one granule at a time: plain and
// grouped codes dequantised with the factors read ahead of them, written into
// the synthesis input rows.
#include <cstdint>

#include "engine/bit_reader.h"
#include "engine/layer12_side_info.h"

namespace orvana::engine {

// Floats per row of the synthesis input: sub-band sb of channel ch at
// sb * channels + ch.
inline constexpr int kLayer12RowFloats = 64;

// Decodes one granule, `granuleSamples` (1 for Layer I, 3 for Layer II)
// consecutive samples of every sub-band below `limit`, into the rows from
// `rows` on with the factors of `part`; unallocated sub-bands get zeros. Then
// passes over the `skipBits` sample bits of the sub-bands at and above
// `limit` in one step.
void DecodeLayer12Granule(Layer12BitReader& reader, const Layer12FrameInfo& info, int part,
                          int granuleSamples, int limit, int skipBits, float* rows);

}  // namespace orvana::engine
