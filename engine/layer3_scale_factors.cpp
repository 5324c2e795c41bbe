#include "engine/layer3_scale_factors.h"

namespace orvana::engine {

const int8_t kLsfBandCounts[6][3][4] = {
    {{6, 5, 5, 5}, {3, 3, 3, 3}, {6, 3, 3, 3}},
    {{6, 5, 7, 3}, {3, 3, 4, 2}, {6, 3, 4, 2}},
    {{11, 10, 0, 0}, {6, 6, 0, 0}, {6, 3, 6, 0}},
    {{7, 7, 7, 0}, {4, 4, 4, 0}, {6, 5, 4, 0}},
    {{6, 6, 6, 3}, {4, 3, 3, 2}, {6, 4, 3, 2}},
    {{8, 8, 5, 0}, {5, 4, 3, 0}, {6, 6, 3, 0}},
};

namespace {

constexpr int kSlen[2][16] = {
    {0, 0, 0, 0, 3, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4},
    {0, 1, 2, 3, 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 2, 3},
};

int ReadValue(Layer3BitReader& reader, int bits) {
  return bits == 0 ? 0 : static_cast<int>(reader.GetBits(bits));
}

void ReadLongBands(Layer3BitReader& reader, ScaleFactors& sf, int first, int end, int bits) {
  for (int band = first; band < end; ++band) sf.longBands[band] = ReadValue(reader, bits);
}

void ReadShortBands(Layer3BitReader& reader, ScaleFactors& sf, int first, int end, int bits) {
  for (int band = first; band < end; ++band)
    for (auto& window : sf.shortBands) window[band] = ReadValue(reader, bits);
}

}  // namespace

void ReadScaleFactorsMpeg1(Layer3BitReader& reader, ScaleFactors& sf,
                           const GranuleChannelInfo& info, int scfsi, int granule,
                           const ScaleFactors& firstGranule) {
  const int slen1 = kSlen[0][info.scalefac_compress];
  const int slen2 = kSlen[1][info.scalefac_compress];
  if (info.block_type == kShortBlockType) {
    if (info.mixed_block_flag) {
      ReadLongBands(reader, sf, 0, 8, slen1);
      ReadShortBands(reader, sf, 3, 6, slen1);
    } else {
      ReadShortBands(reader, sf, 0, 6, slen1);
    }
    ReadShortBands(reader, sf, 6, 12, slen2);
    return;
  }
  struct Group {
    int first, end, bits, scfsiBit;
  };
  const Group groups[4] = {{0, 6, slen1, 8}, {6, 11, slen1, 4}, {11, 16, slen2, 2},
                           {16, 21, slen2, 1}};
  for (const Group& group : groups) {
    if (granule == 1 && (scfsi & group.scfsiBit)) {
      for (int band = group.first; band < group.end; ++band)
        sf.longBands[band] = firstGranule.longBands[band];
    } else {
      ReadLongBands(reader, sf, group.first, group.end, group.bits);
    }
  }
}

namespace {

struct LsfCoding {
  int codingCase;
  int slen[4];
};

LsfCoding IntensityCoding(int scalefacCompress) {
  const int sfc = scalefacCompress >> 1;
  if (sfc < 180) return {3, {sfc / 36, (sfc % 36) / 6, sfc % 6, 0}};
  if (sfc < 244) {
    const int v = sfc - 180;
    return {4, {v >> 4, (v >> 2) & 3, v & 3, 0}};
  }
  const int v = sfc - 244;
  return {5, {v / 3, v % 3, 0, 0}};
}

LsfCoding NormalCoding(int sfc, bool mixed, int& preflag) {
  if (sfc < 400) return {0, {(sfc >> 4) / 5, (sfc >> 4) % 5, (sfc >> 2) & 3, sfc & 3}};
  if (sfc < 500) {
    const int v = sfc - 400;
    return {1, {(v >> 2) / 5, (v >> 2) % 5, v & 3, 0}};
  }
  const int v = sfc - 500;
  preflag = 1;
  // Mixed blocks read the rest of the first partition with the first length.
  if (mixed) return {2, {v / 3, v / 3, v % 3, 0}};
  return {2, {v / 3, v % 3, 0, 0}};
}

}  // namespace

void ReadScaleFactorsLsf(Layer3BitReader& reader, ScaleFactors& sf, GranuleChannelInfo& info,
                         bool isRightIntensity, LsfIntensityInfo& lsfInfo) {
  const bool shortBlock = info.block_type == kShortBlockType;
  const bool mixed = shortBlock && info.mixed_block_flag;
  info.preflag = 0;
  const LsfCoding coding = isRightIntensity
                               ? IntensityCoding(info.scalefac_compress)
                               : NormalCoding(info.scalefac_compress, mixed, info.preflag);
  const int column = mixed ? 2 : shortBlock ? 1 : 0;
  const int8_t* counts = kLsfBandCounts[coding.codingCase][column];

  int partition = 0;
  int band = 0;
  if (mixed) {
    ReadLongBands(reader, sf, 0, counts[0], coding.slen[0]);
    partition = 1;
    band = 3;
  }
  for (; partition < 4; ++partition) {
    const int end = band + counts[partition];
    if (shortBlock)
      ReadShortBands(reader, sf, band, end, coding.slen[partition]);
    else
      ReadLongBands(reader, sf, band, end, coding.slen[partition]);
    band = end;
  }

  if (isRightIntensity) {
    for (int i = 0; i < 3; ++i) {
      lsfInfo.bandCount[i] = counts[i];
      lsfInfo.slen[i] = coding.slen[i];
    }
    lsfInfo.intensityScale = info.scalefac_compress & 1;
  }
}

}  // namespace orvana::engine
