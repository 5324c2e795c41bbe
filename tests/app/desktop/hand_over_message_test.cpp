#include "app/desktop/hand_over_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvana::app {
namespace {

using TState = THandOverDecoder::TState;

std::string Number(uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
  return bytes;
}

std::string Header(uint32_t count, uint32_t version = 1) { return "ORVH" + Number(version) + Number(count); }

TState FeedInPieces(THandOverDecoder& decoder, const std::string& bytes, std::size_t piece) {
  TState state = decoder.State();
  for (std::size_t at = 0; at < bytes.size(); at += piece)
    state = decoder.Feed({bytes.data() + at, std::min(piece, bytes.size() - at)});
  return state;
}

TEST(HandOverMessage, ArrivesWholeHoweverTheBytesAreSplit) {
  const std::vector<std::string> arguments = {"/music/a b.mp3", "/音楽/東京 ソング.mp3", "/line\nbreak.mp2",
                                              std::string(kMaxHandOverArgumentBytes, 'x')};
  const std::string message = EncodeHandOver(arguments);
  for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}, message.size()}) {
    THandOverDecoder decoder;
    EXPECT_EQ(FeedInPieces(decoder, message, piece), TState::kComplete) << "pieces of " << piece;
    EXPECT_EQ(decoder.Arguments(), arguments);
  }
}

TEST(HandOverMessage, EmptyListIsAMessageOfItsOwn) {
  THandOverDecoder decoder;
  const std::string message = EncodeHandOver({});
  EXPECT_EQ(decoder.Feed({message.data(), message.size() - 1}), TState::kNeedMore);
  EXPECT_EQ(decoder.Feed({message.data() + message.size() - 1, 1}), TState::kComplete);
  EXPECT_TRUE(decoder.Arguments().empty());
  EXPECT_EQ(decoder.Feed({"x", 1}), TState::kMalformed) << "nothing may follow a complete message";
}

TEST(HandOverMessage, RefusesMalformedMessagesForGood) {
  const std::string total = Number(kMaxHandOverArgumentBytes) + std::string(kMaxHandOverArgumentBytes, 'x');
  std::string overTotal = Header(65);
  for (int i = 0; i < 65; ++i) overTotal += total;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"garbage", "GET / HTTP/1.0\r\n\r\n"},
      {"one wrong first byte", "X"},
      {"another version", Header(0, 2)},
      {"a huge count", Header(0xFFFFFFFF)},
      {"one argument past the count cap", Header(kMaxHandOverArguments + 1)},
      {"an argument past its cap", Header(1) + Number(kMaxHandOverArgumentBytes + 1)},
      {"arguments past the total cap", overTotal},
      {"a NUL inside a name", Header(1) + Number(3) + std::string("a\0b", 3)},
      {"bytes after the message", Header(1) + Number(1) + "ab"},
  };
  for (const auto& bad : cases) {
    THandOverDecoder decoder;
    EXPECT_EQ(FeedInPieces(decoder, bad.bytes, 4096), TState::kMalformed) << bad.what;
    EXPECT_EQ(decoder.Feed({"ORVH", 4}), TState::kMalformed) << bad.what << ": stays refused";
  }
}

TEST(HandOverMessage, SenderKnowsTheCapsBeforeSending) {
  EXPECT_EQ(HandOverLimitProblem(std::vector<std::string>(kMaxHandOverArguments, "/a")), "");
  EXPECT_NE(HandOverLimitProblem(std::vector<std::string>(kMaxHandOverArguments + 1, "/a")), "");
  EXPECT_EQ(HandOverLimitProblem({std::string(kMaxHandOverArgumentBytes, 'a')}), "");
  EXPECT_NE(HandOverLimitProblem({std::string(kMaxHandOverArgumentBytes + 1, 'a')}), "");
  EXPECT_NE(HandOverLimitProblem(std::vector<std::string>(65, std::string(kMaxHandOverArgumentBytes, 'a'))), "");
  EXPECT_NE(HandOverLimitProblem({std::string("a\0b", 3)}), "");
}

}  // namespace
}  // namespace orvana::app
