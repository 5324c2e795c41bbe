#include "engine/synthesis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "engine/kernel_families.h"
#include "engine/synthesis_window.h"
#include "reconstruction_reference.h"
#include "runnable_families.h"

namespace orvana::engine {
namespace {

using reference::RandomFloats;

TEST(Dct32Test, MatchesTheDefinition) {
  std::mt19937 rng(11);
  for (int stride : {1, 2}) {
    const std::vector<float> in = RandomFloats(rng, 64, 1000.0f);
    float out[32];
    Dct32(in.data(), stride, out);
    for (int i = 0; i < 32; ++i) {
      double sum = 0;
      for (int k = 0; k < 32; ++k)
        sum += in[k * stride] * std::cos(i * (2 * k + 1) * reference::kPi / 64);
      EXPECT_NEAR(out[i], sum, 5e-3) << "stride " << stride << " i " << i;
    }
  }
}

TEST(SynthesisWindowTest, ReadingOrderHoldsTheStandardCoefficients) {
  const float* d = StandardSynthesisWindow();
  EXPECT_EQ(d[0], 0.0f);
  EXPECT_EQ(d[1], -1.0f / 65536);
  EXPECT_NEAR(d[256], 1.144989014, 1e-9);
  for (int n = 1; n < 512; ++n) {
    const float mirrored = n % 64 == 0 ? d[n] : -d[n];
    if (n != 256) {
      ASSERT_EQ(d[512 - n], mirrored) << n;
    }
  }
  const auto state = std::make_unique<SynthesisState>();
  EXPECT_EQ(state->SynthWindow[16 * 3 + 5], d[3 + 32 * 5]);
  EXPECT_EQ(state->SynthWindow[256 + 2], -d[48 + 128]);
  EXPECT_FALSE(state->PolarityInverted);
}

// Our pipeline for one channel of mono slots, with the given kernels.
struct MonoSynth {
  std::unique_ptr<SynthesisState> state = std::make_unique<SynthesisState>();
  EqualizerState equalizer;
  KernelSlots kernels = PlainKernels().slots;
  std::vector<int16_t> Slot(const float* samples, int stride = 1) {
    std::vector<int16_t> pcm(32);
    SynthesizeSlot(*state, kernels, equalizer, 0, samples, stride, pcm.data(), PcmLayout::Mono);
    return pcm;
  }
};

TEST(Synthesis, RandomInputMatchesTheStandardComputation) {
  std::mt19937 rng(12);
  MonoSynth synth;
  reference::SynthesisReference ref(StandardSynthesisWindow());
  double squares = 0;
  int count = 0;
  for (int slot = 0; slot < 200; ++slot) {
    std::vector<float> samples = RandomFloats(rng, 32, 1500.0f);
    samples[31] = 0.0f;
    const std::vector<int16_t> ours = synth.Slot(samples.data());
    const std::vector<double> exact = ref.Slot(samples.data());
    for (int j = 0; j < 32; ++j) {
      ASSERT_LT(std::abs(exact[j]), 32000) << "test signal too loud";
      const double diff = ours[j] - exact[j];
      ASSERT_LE(std::abs(diff), 0.51) << "slot " << slot << " j " << j;
      squares += diff * diff;
      ++count;
    }
  }
  EXPECT_LT(std::sqrt(squares / count), 0.35);  // the rounding alone: 1/sqrt(12)
}

TEST(Synthesis, ConstantLowestSubbandPlaysAsASteadyLevel) {
  // Sub-band 0 is the filterbank's low-pass band: a constant there must come
  // out as a constant level, whatever the window's sign pattern looks like.
  MonoSynth synth;
  float samples[32] = {};
  samples[0] = 1000.0f;
  std::vector<int16_t> pcm;
  for (int slot = 0; slot < 20; ++slot) pcm = synth.Slot(samples);
  for (int j = 0; j < 32; ++j) EXPECT_NEAR(pcm[j], pcm[0], 1) << "j " << j;
  EXPECT_GT(std::abs(pcm[0]), 900);
}

TEST(Synthesis, SilenceGivesExactZeros) {
  MonoSynth synth;
  const float silence[32] = {};
  for (int slot = 0; slot < 20; ++slot) {
    for (int16_t v : synth.Slot(silence)) ASSERT_EQ(v, 0);
  }
}

TEST(Synthesis, ImpulseResponseLastsSixteenSlots) {
  MonoSynth synth;
  reference::SynthesisReference ref(StandardSynthesisWindow());
  float impulse[32] = {};
  impulse[0] = 32767.0f;
  const float silence[32] = {};
  bool anyNonZero = false;
  for (int slot = 0; slot < 24; ++slot) {
    const float* in = slot == 0 ? impulse : silence;
    const std::vector<int16_t> ours = synth.Slot(in);
    const std::vector<double> exact = ref.Slot(in);
    for (int j = 0; j < 32; ++j) {
      if (slot >= 16) {
        ASSERT_EQ(ours[j], 0) << "slot " << slot << " j " << j;
      } else {
        const double clipped = std::clamp(exact[j], -32768.0, 32767.0);
        ASSERT_LE(std::abs(ours[j] - clipped), 1.0) << "slot " << slot << " j " << j;
        anyNonZero |= ours[j] != 0;
      }
    }
  }
  EXPECT_TRUE(anyNonZero);
}

TEST(Synthesis, RingPositionMovesBackOneBlockPerSlot) {
  MonoSynth synth;
  const float silence[32] = {};
  EXPECT_EQ(synth.state->SynthPos[0], 0);
  for (int n = 1; n <= 20; ++n) {
    synth.Slot(silence);
    EXPECT_EQ(synth.state->SynthPos[0], ((-32 * n) % 512 + 512) % 512) << n;
  }
  EXPECT_EQ(synth.state->SynthPos[1], 0);
}

TEST(Synthesis, ResetClearsHistoryAndPositions) {
  std::mt19937 rng(13);
  MonoSynth synth;
  const std::vector<float> loud = RandomFloats(rng, 32, 3000.0f);
  for (int i = 0; i < 5; ++i) synth.Slot(loud.data());
  ResetSynthesis(*synth.state);
  EXPECT_EQ(synth.state->SynthPos[0], 0);
  const float silence[32] = {};
  for (int16_t v : synth.Slot(silence)) EXPECT_EQ(v, 0);
}

TEST(Synthesis, UnityEqualizerIsBitIdentical) {
  std::mt19937 rng(14);
  MonoSynth plain, equalized;
  equalized.equalizer.SubbandEqEnabled = 1;
  for (int slot = 0; slot < 40; ++slot) {
    const std::vector<float> samples = RandomFloats(rng, 64, 5000.0f);
    ASSERT_EQ(plain.Slot(samples.data(), 2), equalized.Slot(samples.data(), 2));
  }
}

TEST(Synthesis, SubbandGainScalesItsSubbandOnly) {
  MonoSynth quiet, reference;
  quiet.equalizer.SubbandEqEnabled = 1;
  quiet.equalizer.SubbandGain[0] = 0.0f;
  float samples[32] = {};
  samples[0] = 8000.0f;
  for (int slot = 0; slot < 4; ++slot) {
    for (int16_t v : quiet.Slot(samples)) ASSERT_EQ(v, 0);
  }
  // The producer's samples are not touched.
  EXPECT_EQ(samples[0], 8000.0f);
}

TEST(Polarity, SecondSwitchOnDoesNothingAndOffRestoresTheWindow) {
  const auto state = std::make_unique<SynthesisState>();
  const std::vector<float> original(std::begin(state->SynthWindow), std::end(state->SynthWindow));
  SetPolarityInverted(*state, true);
  EXPECT_TRUE(state->PolarityInverted);
  EXPECT_EQ(state->SynthWindow[256], -original[256]);
  SetPolarityInverted(*state, true);
  EXPECT_EQ(state->SynthWindow[256], -original[256]);
  SetPolarityInverted(*state, false);
  EXPECT_FALSE(state->PolarityInverted);
  EXPECT_EQ(0, std::memcmp(state->SynthWindow, original.data(), sizeof state->SynthWindow));
}

TEST(Polarity, InvertedWindowNegatesEverySample) {
  std::mt19937 rng(15);
  for (const KernelFamily* family : AllKernelFamilies()) {
    if (!family->slots.SynthMono.run || !RunnableHere(*family)) continue;
    MonoSynth normal, inverted;
    normal.kernels.SynthMono = family->slots.SynthMono;
    inverted.kernels.SynthMono = family->slots.SynthMono;
    SetPolarityInverted(*inverted.state, true);
    for (int slot = 0; slot < 30; ++slot) {
      const std::vector<float> samples = RandomFloats(rng, 32, 3000.0f);
      const std::vector<int16_t> a = normal.Slot(samples.data());
      const std::vector<int16_t> b = inverted.Slot(samples.data());
      for (int j = 0; j < 32; ++j) {
        // Exact halves round differently under the 3DNow! rule.
        ASSERT_LE(std::abs(a[j] + b[j]), 1) << family->name << " slot " << slot << " j " << j;
      }
    }
  }
}

// Layer III drivers -------------------------------------------------------

struct Layer3Fixture : ::testing::Test {
  std::unique_ptr<SynthesisState> state = std::make_unique<SynthesisState>();
  EqualizerState equalizer;
  KernelSlots kernels = PlainKernels().slots;
};

TEST_F(Layer3Fixture, StereoWritesOnlyItsChannelsPositions) {
  std::mt19937 rng(16);
  const std::vector<float> granule = RandomFloats(rng, 576, 3000.0f);
  for (const KernelFamily* family : AllKernelFamilies()) {
    if (!family->slots.SynthInterleaved.run || !RunnableHere(*family)) continue;
    kernels.SynthInterleaved = family->slots.SynthInterleaved;
    for (int channel : {0, 1}) {
      ResetSynthesis(*state);
      std::vector<int16_t> pcm(2 * 576 + 8, 12345);
      SynthesizeLayer3Stereo(*state, kernels, equalizer, granule.data(), pcm.data(), channel);
      for (int i = 0; i < 2 * 576; ++i) {
        if (i % 2 != channel) {
          ASSERT_EQ(pcm[i], 12345) << family->name << " channel " << channel << " at " << i;
        }
      }
      for (int i = 2 * 576; i < static_cast<int>(pcm.size()); ++i) ASSERT_EQ(pcm[i], 12345);
      EXPECT_EQ(state->SynthPos[channel], (512 - 18 * 32 % 512) % 512);
      EXPECT_EQ(state->SynthPos[channel ^ 1], 0);
    }
  }
}

TEST_F(Layer3Fixture, StereoChannelsMatchMonoThroughTheirOwnRings) {
  std::mt19937 rng(17);
  const std::vector<float> left = RandomFloats(rng, 576, 3000.0f);
  const std::vector<float> right = RandomFloats(rng, 576, 3000.0f);
  std::vector<int16_t> stereo(2 * 576);
  SynthesizeLayer3Stereo(*state, kernels, equalizer, left.data(), stereo.data(), 0);
  SynthesizeLayer3Stereo(*state, kernels, equalizer, right.data(), stereo.data(), 1);

  for (const auto& [input, channel] : {std::pair{&left, 0}, std::pair{&right, 1}}) {
    auto mono = std::make_unique<SynthesisState>();
    std::vector<int16_t> pcm(576);
    SynthesizeLayer3Mono(*mono, kernels, equalizer, input->data(), pcm.data(), 0);
    for (int i = 0; i < 576; ++i) ASSERT_EQ(stereo[2 * i + channel], pcm[i]) << channel << " " << i;
  }
}

TEST_F(Layer3Fixture, MonoWritesExactlyOneGranule) {
  std::mt19937 rng(18);
  const std::vector<float> granule = RandomFloats(rng, 576, 3000.0f);
  std::vector<int16_t> pcm(576 + 16, 777);
  SynthesizeLayer3Mono(*state, kernels, equalizer, granule.data(), pcm.data(), 0);
  for (int i = 576; i < static_cast<int>(pcm.size()); ++i) ASSERT_EQ(pcm[i], 777);
  EXPECT_EQ(state->SynthPos[0], (512 - 576 % 512) % 512);
}

// Layer I/II drivers -------------------------------------------------------

struct Layer12Fixture : Layer3Fixture {
  static constexpr int kSlots = 36;
  std::vector<float> matrix;
  void SetUp() override {
    std::mt19937 rng(19);
    matrix = RandomFloats(rng, 64 * kSlots, 3000.0f);
  }
  // The channel's values of the interleaved matrix, as contiguous slots.
  std::vector<float> Channel(int channel) const {
    std::vector<float> out(32 * kSlots);
    for (int s = 0; s < kSlots; ++s) {
      for (int sb = 0; sb < 32; ++sb) out[32 * s + sb] = matrix[64 * s + 2 * sb + channel];
    }
    return out;
  }
  std::vector<int16_t> MonoOf(const std::vector<float>& contiguous) const {
    auto fresh = std::make_unique<SynthesisState>();
    std::vector<int16_t> pcm(32 * kSlots);
    for (int s = 0; s < kSlots; ++s) {
      SynthesizeSlot(*fresh, kernels, equalizer, 0, contiguous.data() + 32 * s, 1,
                     pcm.data() + 32 * s, PcmLayout::Mono);
    }
    return pcm;
  }
};

TEST_F(Layer12Fixture, StereoReadsEachChannelsOwnValues) {
  std::vector<int16_t> pcm(64 * kSlots);
  SynthesizeLayer12Stereo(*state, kernels, equalizer, matrix.data(), kSlots, pcm.data());
  const std::vector<int16_t> left = MonoOf(Channel(0));
  const std::vector<int16_t> right = MonoOf(Channel(1));
  for (int i = 0; i < 32 * kSlots; ++i) {
    ASSERT_EQ(pcm[2 * i], left[i]) << i;
    ASSERT_EQ(pcm[2 * i + 1], right[i]) << i;
  }
}

TEST_F(Layer12Fixture, IdenticalChannelsGiveIdenticalSamples) {
  for (int s = 0; s < kSlots; ++s) {
    for (int sb = 0; sb < 32; ++sb) matrix[64 * s + 2 * sb + 1] = matrix[64 * s + 2 * sb];
  }
  std::vector<int16_t> pcm(64 * kSlots);
  SynthesizeLayer12Stereo(*state, kernels, equalizer, matrix.data(), kSlots, pcm.data());
  for (int i = 0; i < 32 * kSlots; ++i) ASSERT_EQ(pcm[2 * i], pcm[2 * i + 1]) << i;
}

TEST_F(Layer12Fixture, LeftAndRightOnlyUseRingZero) {
  for (auto [driver, channel] :
       {std::pair{&SynthesizeLayer12Left, 0}, std::pair{&SynthesizeLayer12Right, 1}}) {
    ResetSynthesis(*state);
    std::vector<int16_t> pcm(32 * kSlots);
    driver(*state, kernels, equalizer, matrix.data(), kSlots, pcm.data());
    EXPECT_EQ(pcm, MonoOf(Channel(channel))) << channel;
    EXPECT_EQ(state->SynthPos[1], 0);
    for (float v : state->SynthRing[1]) ASSERT_EQ(v, 0.0f);
  }
}

TEST_F(Layer12Fixture, MixAveragesTheChannelsWithoutTheEqualizer) {
  equalizer.SubbandEqEnabled = 1;
  std::fill(std::begin(equalizer.SubbandGain), std::end(equalizer.SubbandGain), 0.0f);
  std::vector<int16_t> pcm(32 * kSlots);
  SynthesizeLayer12Mix(*state, kernels, equalizer, matrix.data(), kSlots, pcm.data());
  const std::vector<float> left = Channel(0), right = Channel(1);
  std::vector<float> mixed(left.size());
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = (left[i] + right[i]) * 0.5f;
  equalizer.SubbandEqEnabled = 0;
  EXPECT_EQ(pcm, MonoOf(mixed));
}

TEST_F(Layer12Fixture, MonoStreamReadsTheFirstHalfOfEachSlot) {
  std::vector<float> contiguous(32 * kSlots);
  for (int s = 0; s < kSlots; ++s) {
    std::copy_n(matrix.begin() + 64 * s, 32, contiguous.begin() + 32 * s);
  }
  std::vector<int16_t> pcm(32 * kSlots + 8, 99);
  SynthesizeLayer12MonoStream(*state, kernels, equalizer, matrix.data(), kSlots, pcm.data());
  EXPECT_EQ(std::vector<int16_t>(pcm.begin(), pcm.begin() + 32 * kSlots), MonoOf(contiguous));
  EXPECT_EQ(pcm.back(), 99);
}

TEST_F(Layer12Fixture, ZeroSlotsDoNothing) {
  int16_t pcm[4] = {5, 5, 5, 5};
  SynthesizeLayer12Stereo(*state, kernels, equalizer, matrix.data(), 0, pcm);
  EXPECT_EQ(pcm[0], 5);
  EXPECT_EQ(state->SynthPos[0], 0);
}

}  // namespace
}  // namespace orvana::engine
