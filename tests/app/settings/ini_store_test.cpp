#include "app/settings/ini_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <limits>

#include "app/files/atomic_file.h"
#include "app/settings/stored_font.h"
#include "settings_test_files.h"

namespace orvana::app {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// "夜の歌" in CP932 and in UTF-8.
const std::string kNightSongCp932 = "\x96\xE9\x82\xCC\x89\xCC";
const std::string kNightSong = "夜の歌";

TIniStore StoreOf(const std::string& text) {
  TIniStore store;
  store.LoadFromText(text);
  return store;
}

TEST(IniInteger, ReadsDecimalWithSignAndBlanks) {
  EXPECT_EQ(ParseIniInteger("0"), 0);
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger("+42"), 42);
  EXPECT_EQ(ParseIniInteger("-42"), -42);
  EXPECT_EQ(ParseIniInteger("  17\t"), 17);
  EXPECT_EQ(ParseIniInteger("007"), 7);
  EXPECT_EQ(ParseIniInteger("2147483647"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseIniInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseIniInteger("-2147483640"), clWindowText);
}

TEST(IniInteger, ReadsHexadecimalAfter0x) {
  EXPECT_EQ(ParseIniInteger("0x10"), 16);
  EXPECT_EQ(ParseIniInteger("0XfF"), 255);
  EXPECT_EQ(ParseIniInteger("-0x10"), -16);
  EXPECT_EQ(ParseIniInteger(" 0x7FFFFFFF "), std::numeric_limits<std::int32_t>::max());
  // Up to 32 bits, as the bit pattern: a system colour reads as itself.
  EXPECT_EQ(ParseIniInteger("0x80000008"), clWindowText);
  EXPECT_EQ(ParseIniInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("0x00000000000000001"), 1);
}

TEST(IniInteger, RejectsGarbageAndValuesBeyond32Bits) {
  for (const char* text : {"", " ", "-", "+", "0x", "-0x", "abc", "12abc", "1 2", "1.5", "1e3", "--1",
                           "+-1", "$10", "0x1G", "x10", "0b101", "１２", "2147483648", "-2147483649",
                           "99999999999999999999999", "0x100000000", "-0x80000001", "true"})
    EXPECT_EQ(ParseIniInteger(text), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(ParseIniInteger(std::string("1\0", 2)), std::nullopt);
}

TEST(IniStoreReading, FindsSectionsAndKeysIgnoringCase) {
  const TIniStore store = StoreOf("[ini]\r\nForm.Left=100\r\nName=Gothic\r\n");
  EXPECT_EQ(store.ReadInteger("INI", "form.left", 0), 100);
  EXPECT_EQ(store.ReadInteger("Ini", "FORM.LEFT", 0), 100);
  EXPECT_EQ(store.ReadString("iNi", "nAmE", ""), "Gothic");
  EXPECT_TRUE(store.ValueExists("INI", "FORM.left"));
  EXPECT_FALSE(store.ValueExists("ini", "Form.Top"));
  EXPECT_FALSE(store.ValueExists("other", "Form.Left"));
}

TEST(IniStoreReading, TakesLinesEndingInLfAloneOrInCrLf) {
  const TIniStore lf = StoreOf("[a]\nx=1\ny=two\n[b]\nz=3");
  EXPECT_EQ(lf.ReadInteger("a", "x", 0), 1);
  EXPECT_EQ(lf.ReadString("a", "y", ""), "two");
  EXPECT_EQ(lf.ReadInteger("b", "z", 0), 3);
  const TIniStore mixed = StoreOf("[a]\r\nx=1\ny=two\r\n");
  EXPECT_EQ(mixed.ReadString("a", "x", ""), "1");
  EXPECT_EQ(mixed.ReadString("a", "y", ""), "two");
}

TEST(IniStoreReading, IgnoresCommentsBlankLinesAndLinesWithoutEquals) {
  const TIniStore store = StoreOf(
      "orphan=before any section\r\n"
      "; a comment=with equals\r\n"
      "\r\n"
      "   \r\n"
      "[ini]\r\n"
      "no equals here\r\n"
      "  ;indented=comment\r\n"
      "=no key\r\n"
      "key=value\r\n");
  EXPECT_EQ(store.Sections(), std::vector<std::string>{"ini"});
  EXPECT_EQ(store.Keys("ini"), std::vector<std::string>{"key"});
  EXPECT_EQ(store.ReadString("ini", "key", ""), "value");
}

TEST(IniStoreReading, TrimsBlanksAndKeepsEqualsInsideTheValue) {
  const TIniStore store = StoreOf("  [ my section ]  \r\n\t key \t= a=b c \r\nempty=\r\n");
  EXPECT_EQ(store.ReadString("my section", "key", ""), "a=b c");
  EXPECT_TRUE(store.ValueExists("my section", "empty"));
  EXPECT_EQ(store.ReadString("my section", "empty", "default"), "");
  EXPECT_EQ(store.ReadInteger("my section", "empty", 7), 7);
}

TEST(IniStoreReading, FirstOfRepeatedKeysCountsAndRepeatedSectionsAreOne) {
  const TIniStore store = StoreOf("[ini]\r\nA=1\r\na=2\r\n[other]\r\nB=3\r\n[INI]\r\nC=4\r\nA=5\r\n");
  EXPECT_EQ(store.ReadInteger("ini", "a", 0), 1);
  EXPECT_EQ(store.ReadInteger("ini", "c", 0), 4);
  EXPECT_EQ(store.Sections(), (std::vector<std::string>{"ini", "other"}));
  EXPECT_EQ(store.Keys("ini"), (std::vector<std::string>{"A", "C"}));
}

TEST(IniStoreReading, ValuesThatAreNotNumbersGiveTheDefault) {
  const TIniStore store = StoreOf("[s]\nhex=0x1F\ngarbage=12abc\nhuge=4294967296\nword=yes\nneg= -3 \n");
  EXPECT_EQ(store.ReadInteger("s", "hex", 0), 31);
  EXPECT_EQ(store.ReadInteger("s", "garbage", -5), -5);
  EXPECT_EQ(store.ReadInteger("s", "huge", 9), 9);
  EXPECT_EQ(store.ReadInteger("s", "neg", 0), -3);
  EXPECT_EQ(store.ReadInteger("s", "absent", 12), 12);
  EXPECT_TRUE(store.ReadBool("s", "word", true));
  EXPECT_FALSE(store.ReadBool("s", "word", false));
}

TEST(IniStoreReading, BooleansAreAnyIntegerOtherThanZero) {
  const TIniStore store = StoreOf("[s]\none=1\nzero=0\nfive=5\nminus=-1\nhex=0x0\ntrue=true\n");
  EXPECT_TRUE(store.ReadBool("s", "one", false));
  EXPECT_FALSE(store.ReadBool("s", "zero", true));
  EXPECT_TRUE(store.ReadBool("s", "five", false));
  EXPECT_TRUE(store.ReadBool("s", "minus", false));
  EXPECT_FALSE(store.ReadBool("s", "hex", true));
  EXPECT_FALSE(store.ReadBool("s", "true", false));  // not a number: the default
  EXPECT_TRUE(store.ReadBool("s", "absent", true));
}

TEST(IniStoreReading, Cp932LinesAreDecodedAndUtf8LinesKept) {
  const TIniStore store = StoreOf("[ini]\r\nFont.Name=" + kNightSongCp932 + "\r\nTitle=" + kNightSong +
                                  "\r\n[" + kNightSongCp932 + "]\r\n" + kNightSongCp932 + "=1\r\n");
  EXPECT_EQ(store.ReadString("ini", "Font.Name", ""), kNightSong);
  EXPECT_EQ(store.ReadString("ini", "Title", ""), kNightSong);
  EXPECT_EQ(store.ReadInteger(kNightSong, kNightSong, 0), 1);
}

TEST(IniStoreReading, Cp932TrailBytesThatLookLikeBracketsStayText) {
  // "ソ" is 83 5C and "ー" is 81 5B in CP932: their second bytes are "\" and "[".
  const TIniStore store = StoreOf("[ini]\r\nName=\x83\x5C\x81\x5B]\r\n");
  EXPECT_EQ(store.ReadString("ini", "Name", ""), "ソー]");
}

TEST(IniStoreReading, SkipsAUtf8ByteOrderMark) {
  const TIniStore store = StoreOf("\xEF\xBB\xBF[ini]\r\nx=1\r\n");
  EXPECT_EQ(store.Sections(), std::vector<std::string>{"ini"});
  EXPECT_EQ(store.ReadInteger("ini", "x", 0), 1);
}

TEST(IniStoreReading, AMissingFileGivesAnEmptyStore) {
  TTempFolder folder;
  const TIniStore store(folder / "absent.ini");
  EXPECT_EQ(store.FileName(), folder / "absent.ini");
  EXPECT_TRUE(store.Sections().empty());
  EXPECT_EQ(store.ReadInteger("ini", "x", 3), 3);
  EXPECT_FALSE(Exists(folder / "absent.ini"));
}

TEST(IniStoreReading, ReadingAnAbsentKeyCreatesNothing) {
  TTempFolder folder;
  const std::string path = folder / "s.ini";
  WriteBytes(path, "[ini]\r\nx=1\r\n");
  TIniStore store(path);
  EXPECT_EQ(store.ReadString("ini", "y", "d"), "d");
  EXPECT_EQ(store.ReadString("other", "y", "d"), "d");
  EXPECT_FALSE(store.SectionExists("other"));
  EXPECT_EQ(store.Keys("ini"), std::vector<std::string>{"x"});
  store.UpdateFile();
  EXPECT_EQ(ReadBytes(path), "[ini]\r\nx=1\r\n");
}

TEST(IniStoreWriting, KeepsTheOrderOfWritingAndWritesCrLf) {
  TIniStore store;
  store.WriteInteger("ini", "Zeta", 1);
  store.WriteString("ini", "Alpha", "a");
  store.WriteBool("second", "Flag", true);
  store.WriteBool("ini", "Off", false);
  store.WriteInteger("INI", "zeta", -2);  // an existing key keeps its place and spelling
  EXPECT_EQ(store.Text(), "[ini]\r\nZeta=-2\r\nAlpha=a\r\nOff=0\r\n\r\n[second]\r\nFlag=1\r\n");
}

TEST(IniStoreWriting, AnErasedKeyLeavesTheOthersFoundInTheirOrder) {
  TIniStore store;
  for (const char* key : {"a", "b", "c"}) store.WriteString("ini", key, key);
  store.EraseKey("INI", "B");
  store.EraseKey("ini", "missing");
  store.EraseKey("none", "a");
  EXPECT_EQ(store.ReadString("ini", "c", ""), "c");
  store.WriteString("ini", "C", "again");
  store.WriteString("ini", "b", "new");
  EXPECT_EQ(store.Text(), "[ini]\r\na=a\r\nc=again\r\nb=new\r\n");
}

TEST(IniStoreWriting, LineBreaksInAValueCannotAddKeys) {
  TIniStore store;
  store.WriteString("ini", "Name", "evil\r\nFirst=0\nx");
  EXPECT_EQ(store.ReadString("ini", "Name", ""), "evil  First=0 x");
  const TIniStore reread = StoreOf(store.Text());
  EXPECT_EQ(reread.Keys("ini"), std::vector<std::string>{"Name"});
  EXPECT_EQ(reread.ReadString("ini", "Name", ""), "evil  First=0 x");
}

TEST(IniStoreWriting, UpdateFileWritesUtf8AndReadsBackTheSame) {
  TTempFolder folder;
  const std::string path = folder / "round.ini";
  TIniStore store(path);
  store.WriteString("ini", "Font.Name", kNightSong);
  store.WriteInteger("ini", "Font.Color", clWindowText);
  store.WriteInteger("ini", "Min", std::numeric_limits<std::int32_t>::min());
  store.UpdateFile();
  EXPECT_EQ(ReadBytes(path), "[ini]\r\nFont.Name=" + kNightSong + "\r\nFont.Color=-2147483640\r\nMin=-2147483648\r\n");
  const TIniStore reread(path);
  EXPECT_EQ(reread.ReadString("ini", "Font.Name", ""), kNightSong);
  EXPECT_EQ(reread.ReadInteger("ini", "Font.Color", 0), clWindowText);
  EXPECT_EQ(reread.ReadInteger("ini", "Min", 0), std::numeric_limits<std::int32_t>::min());
}

TEST(IniStoreWriting, AStoreWithoutAFileThrows) {
  TIniStore store;
  store.WriteInteger("ini", "x", 1);
  EXPECT_THROW(store.UpdateFile(), TFileWriteError);
}

TEST(IniStoreWriting, AFolderThatIsAFileMakesUpdateFileThrow) {
  TTempFolder folder;
  WriteBytes(folder / "plain", "not a folder");
  TIniStore store(folder / "plain/orvana.ini");
  store.WriteInteger("ini", "x", 1);
  EXPECT_THROW(store.UpdateFile(), TFileWriteError);
  EXPECT_EQ(ReadBytes(folder / "plain"), "not a folder");
}

// A file size limit refuses the write even to root, like a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    struct rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  struct rlimit previous_ {};
  void (*previousHandler_)(int) = SIG_DFL;
};

TEST(IniStoreWriting, ARefusedWriteThrowsAndLeavesTheOldFileWhole) {
  TTempFolder folder;
  const std::string path = folder / "orvana.ini";
  const std::string old = "[ini]\r\nForm.Left=5\r\n";
  WriteBytes(path, old);
  TIniStore store(path);
  store.WriteString("ini", "Long", std::string(4096, 'x'));
  {
    TFileSizeLimit limit(64);
    EXPECT_THROW(store.UpdateFile(), TFileWriteError);
  }
  EXPECT_EQ(ReadBytes(path), old);
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
  EXPECT_EQ(files, 1);
}

// Hostile files: nothing here may crash, hang or take long.

TEST(IniStoreHostileFiles, NulBytesAreText) {
  const char raw[] = "[ini]\0\r\nA=1\0\0\r\n\0B\0=2\r\n[\0]\r\nC=3\r\n";
  const std::string text(raw, sizeof raw - 1);
  const TIniStore store = StoreOf(text);
  EXPECT_EQ(store.ReadString("ini", "A", ""), std::string("1\0\0", 3));
  EXPECT_EQ(store.ReadInteger("ini", "A", 7), 7);
  EXPECT_EQ(store.ReadInteger("ini", std::string("\0B\0", 3), 0), 2);
  EXPECT_EQ(store.ReadInteger(std::string("\0", 1), "C", 0), 3);
}

TEST(IniStoreHostileFiles, ATenMegabyteLineIsCutAtTheReadingLimit) {
  TTempFolder folder;
  const std::string path = folder / "huge.ini";
  std::string text = "[ini]\r\nBefore=1\r\nLong=";
  text += std::string(10u << 20, 'x');
  text += "\r\nAfter=2\r\n";
  WriteBytes(path, text);
  const auto start = std::chrono::steady_clock::now();
  const TIniStore store(path);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(store.ReadInteger("ini", "Before", 0), 1);
  EXPECT_FALSE(store.ValueExists("ini", "Long"));   // unfinished at the limit
  EXPECT_FALSE(store.ValueExists("ini", "After"));  // beyond the limit
}

TEST(IniStoreHostileFiles, BinaryJunkReadsWithoutHarm) {
  std::string junk(1u << 20, '\0');
  std::uint32_t state = 12345;
  for (char& c : junk) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  // Make some of it look like lines.
  for (std::size_t i = 0; i < junk.size(); i += 97) junk[i] = "[=\n;"[i % 4];
  TTempFolder folder;
  const std::string path = folder / "junk.ini";
  WriteBytes(path, junk);
  TIniStore store(path);
  store.WriteInteger("ini", "x", 1);
  const TIniStore reread = StoreOf(store.Text());
  EXPECT_EQ(reread.ReadInteger("ini", "x", 0), 1);
}

TEST(IniStoreHostileFiles, MillionsOfKeysStopAtTheEntryLimit) {
  std::string text = "[ini]\n";
  for (int i = 0; text.size() < TIniStore::kMaxFileBytes - 32; ++i) {
    text += 'k';
    text += std::to_string(i);
    text += "=1\n";
  }
  const auto start = std::chrono::steady_clock::now();
  const TIniStore store = StoreOf(text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(store.Keys("ini").size(), TIniStore::kMaxEntries - 1);
  EXPECT_TRUE(store.ValueExists("ini", "k0"));
}

TEST(IniStoreHostileFiles, RepeatedUndecodableKeysStayQuick) {
  std::string text = "[ini]\n";
  while (text.size() < TIniStore::kMaxFileBytes) text += "\x80\xFF=\x81\n";
  const auto start = std::chrono::steady_clock::now();
  const TIniStore store = StoreOf(text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(store.Keys("ini").size(), 1u);
}

TEST(IniStoreHostileFiles, NonRegularFilesGiveAnEmptyStore) {
  TTempFolder folder;
  EXPECT_TRUE(TIniStore(folder.Path()).Sections().empty());   // a folder
  EXPECT_TRUE(TIniStore("/dev/zero").Sections().empty());     // endless
  const std::string fifo = folder / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(TIniStore(fifo).Sections().empty());            // no writer: would block
}

}  // namespace
}  // namespace orvana::app
