#include "player/file_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "player/stream_reader.h"

namespace orvana::player {
namespace {

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() / ("orvana-file-stream-" + std::to_string(::getpid()));
    std::ofstream(path_, std::ios::binary) << "0123456789";
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_;
};

TEST_F(FileStreamTest, ReadsSeeksAndKnowsItsSize) {
  TMPFileStream stream(path_.string());
  EXPECT_TRUE(stream.CanSeek());
  EXPECT_EQ(stream.Size(), 10);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(stream.Seek(-2, soEnd), 8);
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_EQ(stream.Seek(-5, soCurrent), 5);
}

TEST_F(FileStreamTest, FeedsTheReader) {
  TMPFileStream stream(path_.string());
  TMPStreamReader reader(65536);
  reader.Open(&stream, stream.CanSeek());
  ASSERT_TRUE(reader.Need(10));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reader.Data()), 10), "0123456789");
  EXPECT_FALSE(reader.Skip(11));
  EXPECT_EQ(reader.Position(), 10);
}

TEST_F(FileStreamTest, ErrorsCarryTheSystemsText) {
  try {
    TMPFileStream stream((path_ / "missing").string());
    FAIL();
  } catch (const EStreamError& error) {
    EXPECT_NE(std::string(error.what()).find("Not a directory"), std::string::npos) << error.what();
  }
  try {
    TMPFileStream stream("/nonexistent-orvana-file");
    FAIL();
  } catch (const EStreamError& error) {
    EXPECT_EQ(std::string(error.what()), "cannot open file \"/nonexistent-orvana-file\": No such file or directory");
  }
  EXPECT_THROW(TMPFileStream(std::filesystem::temp_directory_path().string()), EStreamError);
  TMPFileStream stream(path_.string());
  EXPECT_THROW(stream.Seek(-1, soBeginning), EStreamError);
}

TEST(FileStreamPipe, PipesAreReadInOrderOnly) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "abc", 3), 3);
  ::close(fds[1]);
  TMPFileStream stream("/dev/fd/" + std::to_string(fds[0]));
  ::close(fds[0]);
  EXPECT_FALSE(stream.CanSeek());
  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 3);
  EXPECT_THROW(stream.Seek(0, soBeginning), EStreamError);
}

}  // namespace
}  // namespace orvana::player
