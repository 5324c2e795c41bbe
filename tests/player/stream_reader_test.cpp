#include "player/stream_reader.h"

#include <gtest/gtest.h>

#include <limits>

#include "player/assertion.h"
#include "test_streams.h"

namespace orvana::player {
namespace {

using testing::CountingBytes;
using testing::TMemoryStream;

constexpr int kRing = 65536;

// The bytes at the reader's head match the stream from its logical position.
void ExpectHeadMatchesStream(const TMPStreamReader& reader, std::int64_t n) {
  for (std::int64_t i = 0; i < n; ++i)
    ASSERT_EQ(reader.Data()[i], static_cast<std::uint8_t>(reader.Position() + i)) << "at " << i;
}

TEST(StreamReaderFill, SmallRequestReadsOne16KiBPiece) {
  TMemoryStream stream(CountingBytes(100 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Need(10));
  EXPECT_EQ(stream.reads, 1);
  EXPECT_EQ(reader.Count(), 16384);
  EXPECT_EQ(reader.Contiguous(), 16384);
  EXPECT_EQ(reader.Position(), 0);
}

TEST(StreamReaderFill, LargeRequestIsReadExactly) {
  TMemoryStream stream(CountingBytes(100 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Need(40000));
  EXPECT_EQ(stream.requested, (std::vector<std::int64_t>{40000}));
  EXPECT_EQ(reader.Count(), 40000);
}

TEST(StreamReaderFill, ReadsStopAtTheRingsEndAndNeverOverwriteUnreadBytes) {
  TMemoryStream stream(CountingBytes(1000));
  TMPStreamReader reader(100);
  reader.Open(&stream, false);
  ASSERT_TRUE(reader.Fill(100));
  ASSERT_TRUE(reader.Skip(70));  // head 70, 30 unread
  ASSERT_TRUE(reader.Fill(31));  // free space is the 70 bytes before the head
  EXPECT_EQ(stream.requested.back(), 70);
  EXPECT_EQ(reader.Count(), 100);
  ASSERT_TRUE(reader.Need(100));
  ExpectHeadMatchesStream(reader, 100);
}

TEST(StreamReaderFill, ShortStreamKeepsWhatWasRead) {
  TMemoryStream stream(CountingBytes(50));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  EXPECT_FALSE(reader.Need(100));
  EXPECT_EQ(reader.Count(), 50);
  ASSERT_TRUE(reader.Need(50));
  ExpectHeadMatchesStream(reader, 50);
}

// Brings the ring to Head = `head`, Count = `count` over a stream of head + count bytes.
void PlaceRing(TMPStreamReader& reader, int head, int count) {
  ASSERT_TRUE(reader.Fill(kRing));
  ASSERT_TRUE(reader.Skip(head));
  EXPECT_FALSE(reader.Fill(count + 1));  // the stream ends here
  ASSERT_EQ(reader.Count(), count);
}

TEST(StreamReaderStraighten, WrappedBytesMovedInPlaceWhenCountIsBelowHead) {
  TMemoryStream stream(CountingBytes(70000));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Fill(1));
  const std::uint8_t* ringStart = reader.Data();
  PlaceRing(reader, 60000, 10000);
  EXPECT_EQ(reader.Contiguous(), 5536);
  ASSERT_TRUE(reader.Need(8000));
  EXPECT_EQ(reader.Data(), ringStart);
  EXPECT_EQ(reader.Contiguous(), 10000);
  EXPECT_EQ(reader.Position(), 60000);
  ExpectHeadMatchesStream(reader, 10000);
}

TEST(StreamReaderStraighten, OverlappingPartsGoThroughACopy) {
  TMemoryStream stream(CountingBytes(70000));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Fill(1));
  const std::uint8_t* ringStart = reader.Data();
  PlaceRing(reader, 30000, 40000);
  EXPECT_EQ(reader.Contiguous(), 35536);
  ASSERT_TRUE(reader.Need(36000));
  EXPECT_EQ(reader.Data(), ringStart);
  EXPECT_EQ(reader.Contiguous(), 40000);
  ExpectHeadMatchesStream(reader, 40000);
}

TEST(StreamReaderStraighten, ContiguousRequestDoesNotMoveBytes) {
  TMemoryStream stream(CountingBytes(70000));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  PlaceRing(reader, 60000, 10000);
  const std::uint8_t* head = reader.Data();
  ASSERT_TRUE(reader.Need(5536));
  EXPECT_EQ(reader.Data(), head);
}

TEST(StreamReaderSkip, WithinTheBufferKeepsTheStreamWhereItIs) {
  TMemoryStream stream(CountingBytes(100 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Need(10));
  ASSERT_TRUE(reader.Skip(1000));
  EXPECT_EQ(reader.Position(), 1000);
  EXPECT_EQ(stream.StreamPosition(), reader.Position() + reader.Count());
  ASSERT_TRUE(reader.Need(4));
  ExpectHeadMatchesStream(reader, 4);
}

TEST(StreamReaderSkip, ContiguousShrinksWithTheSkip) {
  TMemoryStream stream(CountingBytes(100 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Fill(kRing));
  ASSERT_TRUE(reader.Skip(100));
  // Data() must never be valid past the ring's end.
  EXPECT_EQ(reader.Contiguous(), kRing - 100);
}

TEST(StreamReaderSkip, SeekablePastTheBufferLandsOnPositionPlusN) {
  for (const int buffered : {0, 10, 16384}) {
    TMemoryStream stream(CountingBytes(100 * 1024));
    TMPStreamReader reader(kRing);
    reader.Open(&stream, true);
    ASSERT_TRUE(reader.Skip(7));
    if (buffered > 0) {
      ASSERT_TRUE(reader.Need(buffered));
    }
    ASSERT_TRUE(reader.Skip(50000));
    EXPECT_EQ(reader.Position(), 50007) << "buffered " << buffered;
    EXPECT_EQ(reader.Count(), 0);
    ASSERT_TRUE(reader.Need(4));
    ExpectHeadMatchesStream(reader, 4);
  }
}

TEST(StreamReaderSkip, SeekablePastTheEndStopsAtTheEnd) {
  TMemoryStream stream(CountingBytes(1000));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Need(10));
  EXPECT_FALSE(reader.Skip(1001));
  EXPECT_EQ(reader.Position(), 1000);
  EXPECT_FALSE(reader.Fill(1));
  EXPECT_TRUE(reader.Skip(0));
}

TEST(StreamReaderSkip, HugeSkipDoesNotOverflow) {
  TMemoryStream stream(CountingBytes(1000));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Skip(10));
  EXPECT_FALSE(reader.Skip(std::numeric_limits<std::int64_t>::max()));
  EXPECT_EQ(reader.Position(), 1000);
}

TEST(StreamReaderSkip, NonSeekableReadsThroughSeveralRings) {
  TMemoryStream stream(CountingBytes(1000), false);
  TMPStreamReader reader(64);
  reader.Open(&stream, false);
  ASSERT_TRUE(reader.Need(10));
  ASSERT_TRUE(reader.Skip(333));
  EXPECT_EQ(reader.Position(), 333);
  ASSERT_TRUE(reader.Need(4));
  ExpectHeadMatchesStream(reader, 4);
  EXPECT_FALSE(reader.Skip(1000));
  EXPECT_EQ(stream.bytesRead, 1000);
}

TEST(StreamReaderSkip, NonSeekableToTheExactEndSucceeds) {
  TMemoryStream stream(CountingBytes(300), false);
  TMPStreamReader reader(64);
  reader.Open(&stream, false);
  EXPECT_TRUE(reader.Skip(300));
  EXPECT_EQ(reader.Position(), 300);
  EXPECT_FALSE(reader.Skip(1));
}

TEST(StreamReaderReadAhead, AddsOnePieceAndRefusesWhenFull) {
  TMemoryStream stream(CountingBytes(200 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.ReadAhead());
  EXPECT_EQ(reader.Count(), 16384);
  ASSERT_TRUE(reader.Fill(kRing));
  const int reads = stream.reads;
  EXPECT_FALSE(reader.ReadAhead());
  EXPECT_EQ(stream.reads, reads);
}

TEST(StreamReaderReadAhead, FalseAtTheEndOfTheStream) {
  TMemoryStream stream(CountingBytes(100));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  EXPECT_FALSE(reader.ReadAhead());
  EXPECT_EQ(reader.Count(), 100);
}

TEST(StreamReaderSeek, OriginsAreLogicalPositions) {
  TMemoryStream stream(CountingBytes(100 * 1024));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  ASSERT_TRUE(reader.Need(100));
  ASSERT_TRUE(reader.Skip(40));
  EXPECT_EQ(reader.Seek(10, soCurrent), 50);
  EXPECT_EQ(reader.Contiguous(), 0);
  ASSERT_TRUE(reader.Need(4));
  ExpectHeadMatchesStream(reader, 4);
  EXPECT_EQ(reader.Seek(-10, soEnd), 100 * 1024 - 10);
  EXPECT_EQ(reader.Seek(3, soBeginning), 3);
  ASSERT_TRUE(reader.Need(4));
  ExpectHeadMatchesStream(reader, 4);
}

TEST(StreamReaderLifecycle, OpenReadsTheSizeOnceAndCloseLeavesTheStream) {
  TMemoryStream stream(CountingBytes(1234));
  TMPStreamReader reader(kRing);
  reader.Open(&stream, true);
  EXPECT_EQ(reader.Size(), 1234);
  EXPECT_TRUE(reader.Seekable());
  ASSERT_TRUE(reader.Need(10));
  reader.Close();
  EXPECT_FALSE(reader.Opened());
  EXPECT_EQ(reader.Size(), 0);
  EXPECT_EQ(reader.Contiguous(), 0);
  EXPECT_EQ(reader.Data(), nullptr);
  stream.Seek(0, soBeginning);
  reader.Open(&stream, false);
  EXPECT_EQ(reader.Size(), 0);
  ASSERT_TRUE(reader.Need(10));
  ExpectHeadMatchesStream(reader, 10);
}

class TFailingStream : public testing::TMemoryStream {
 public:
  TFailingStream() : TMemoryStream(CountingBytes(10)) {}
  std::int64_t Size() override { throw EStreamError("size refused"); }
  std::int64_t Read(void*, std::int64_t) override { throw EStreamError("read refused"); }
};

TEST(StreamReaderFailures, StreamErrorsPassThroughAndAFailedOpenCloses) {
  TFailingStream stream;
  TMPStreamReader reader(kRing);
  EXPECT_THROW(reader.Open(&stream, true), EStreamError);
  EXPECT_FALSE(reader.Opened());
  reader.Open(&stream, false);
  EXPECT_THROW(reader.Need(1), EStreamError);
}

TEST(StreamReaderFailures, PreconditionsRaiseAssertionFailures) {
  EXPECT_THROW(TMPStreamReader(0), EAssertionFailed);
  TMPStreamReader reader(100);
  EXPECT_THROW(reader.Open(nullptr, true), EAssertionFailed);
  EXPECT_THROW(reader.Need(1), EAssertionFailed);
  EXPECT_THROW(reader.Skip(1), EAssertionFailed);
  EXPECT_THROW(reader.ReadAhead(), EAssertionFailed);
  TMemoryStream stream(CountingBytes(1000), false);
  reader.Open(&stream, false);
  EXPECT_THROW(reader.Fill(-1), EAssertionFailed);
  EXPECT_THROW(reader.Fill(101), EAssertionFailed);
  EXPECT_THROW(reader.Skip(-1), EAssertionFailed);
  EXPECT_THROW(reader.Seek(0, soBeginning), EAssertionFailed);
  EXPECT_TRUE(reader.Need(100));
}

}  // namespace
}  // namespace orvana::player
