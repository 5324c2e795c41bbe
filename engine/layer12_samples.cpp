#include "engine/layer12_samples.h"

namespace orvana::engine {

namespace {

constexpr int kMaxGranuleSamples = 3;

// The integer values of one granule of one sub-band; `count` is 3 whenever
// the quantiser groups its samples.
inline void ReadValues(Layer12BitReader& reader, const Layer12Quantizer& quantizer, int count,
                       int32_t* values) {
  if (quantizer.triples) {
    const int8_t* triple = quantizer.triples + 3 * reader.GetBits(quantizer.codeBits);
    values[0] = triple[0];
    values[1] = triple[1];
    values[2] = triple[2];
    return;
  }
  for (int k = 0; k < count; ++k)
    values[k] = static_cast<int32_t>(reader.GetBits(quantizer.codeBits)) - quantizer.offset;
}

inline void WriteSamples(const int32_t* values, int count, float factor, float* out) {
  for (int k = 0; k < count; ++k)
    out[k * kLayer12RowFloats] = static_cast<float>(values[k]) * factor;
}

inline void WriteZeros(int count, float* out) {
  for (int k = 0; k < count; ++k) out[k * kLayer12RowFloats] = 0.0f;
}

// The granule loop with the sample count known at compile time, so that
// Layer II's three samples a sub-band unroll.
template <int kGranuleSamples>
void DecodeSubbands(Layer12BitReader& reader, const Layer12FrameInfo& info, int part, int limit,
                    float* rows) {
  const int channels = info.channels;
  int32_t values[kMaxGranuleSamples];
  for (int sb = 0; sb < limit; ++sb) {
    float* out = rows + sb * channels;
    const Layer12Allocation* entry = info.entry[sb];
    if (sb < info.bound) {
      for (int ch = 0; ch < channels; ++ch) {
        if (entry[ch].quantizer->codeBits == 0) {
          WriteZeros(kGranuleSamples, out + ch);
          continue;
        }
        ReadValues(reader, *entry[ch].quantizer, kGranuleSamples, values);
        WriteSamples(values, kGranuleSamples, entry[ch].factor[part], out + ch);
      }
      continue;
    }
    // Above the bound one code serves both channels, each with its own factor.
    if (entry[0].quantizer->codeBits == 0) {
      WriteZeros(kGranuleSamples, out);
      WriteZeros(kGranuleSamples, out + 1);
      continue;
    }
    ReadValues(reader, *entry[0].quantizer, kGranuleSamples, values);
    WriteSamples(values, kGranuleSamples, entry[0].factor[part], out);
    WriteSamples(values, kGranuleSamples, entry[1].factor[part], out + 1);
  }
}

}  // namespace

void DecodeLayer12Granule(Layer12BitReader& reader, const Layer12FrameInfo& info, int part,
                          int granuleSamples, int limit, int skipBits, float* rows) {
  if (granuleSamples == kMaxGranuleSamples)
    DecodeSubbands<kMaxGranuleSamples>(reader, info, part, limit, rows);
  else
    DecodeSubbands<1>(reader, info, part, limit, rows);
  if (skipBits > 0) reader.SkipBits(skipBits);
}

}  // namespace orvana::engine
