// Playlist files as stations' sites and other players write them, and the
// addresses among their entries.
#include <gtest/gtest.h>

#include "app/playlist/m3u_text.h"
#include "app/playlist/playlist_entry.h"
#include "app/playlist/pls_text.h"
#include "app/playlist/stream_address.h"

namespace orvana::app {
namespace {

using TEntries = std::vector<TPlaylistEntry>;

std::vector<std::string> Field(const TEntries& entries, std::string TPlaylistEntry::*field) {
  std::vector<std::string> values;
  for (const TPlaylistEntry& entry : entries) values.push_back(entry.*field);
  return values;
}
std::vector<std::string> Locations(const TEntries& entries) { return Field(entries, &TPlaylistEntry::location); }
std::vector<std::string> Titles(const TEntries& entries) { return Field(entries, &TPlaylistEntry::title); }
using Strings = std::vector<std::string>;

TEST(PlsText, KeysInAnyCaseAndOrderAndNumbersDecideTheOrder) {
  const TEntries entries = ParsePlsText(
      "\xEF\xBB\xBF; a note\r\n[Playlist]\r\nnumberofentries=1\r\n  TITLE2 = Second  \r\nFile10=http://c/\r\n"
      "file2=http://b/\r\nFile1=http://a/\r\nFile1=http://ignored/\r\nTitle1= \x93\xfa\x96\x7b\tFM\x7F\r\n"
      "Title3=no file\r\nFile=http://no-number/\r\nFile4x=http://bad/\r\nFile99999999999=http://huge/\r\n"
      "Length1=-1\r\nVersion=2\r\nFile6=\r\n[other]\r\nFile5=http://other-section/\r\n");
  EXPECT_EQ(Locations(entries), (Strings{"http://a/", "http://b/", "http://c/"}));
  EXPECT_EQ(Titles(entries), (Strings{"日本 FM", "Second", ""}));
  EXPECT_EQ(ParsePlsText("File1=x\nTitle1=" + std::string(1000, 'y')).at(0).title.size(), kMaxEntryTitleBytes);
  // Keys before any section are the playlist's; LF lines do.
  EXPECT_EQ(Locations(ParsePlsText("File1=/music/a.mp3\n[x]\nFile2=b.mp3")), Strings{"/music/a.mp3"});
}

TEST(M3uText, ExtendedTitlesBelongToTheNextLocationOnly) {
  const TEntries entries = ParseM3uText(
      "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1 tvg-name=\"a,b\" group=\"x\",Jazz, Live\r\nhttp://jazz/\r\n"
      "#EXTVLCOPT:network-caching=1000\r\n\r\n  \r\n/music/b c.mp3 \r\n#extinf:123,\r\nhttp://empty-title/\r\n"
      "#EXTINF:5,Dangling");
  EXPECT_EQ(Locations(entries), (Strings{"http://jazz/", "/music/b c.mp3 ", "http://empty-title/"}));
  EXPECT_EQ(Titles(entries), (Strings{"Jazz, Live", "", ""}));
}

TEST(PlaylistText, TheFirstLineTellsAPlsWhateverItsName) {
  EXPECT_EQ(Locations(ParsePlaylistText("\r\n [playlist] \r\nFile1=http://a/\r\n", ".m3u")), Strings{"http://a/"});
  EXPECT_EQ(Locations(ParsePlaylistText("File1=http://a/\n", ".pls")), Strings{"http://a/"});
}

TEST(StreamAddress, StationsAndPlaylistsOnTheWeb) {
  for (const char* station : {"http://radio.example/stream", "HTTPS://h:8000", "http://u:p@h/a?x=1#y"})
    EXPECT_TRUE(IsStationAddress(station)) << station;
  for (const char* other : {"http://", "http:///path", "http://h/a b", "http://h/\x01", "ftp://h/a.mp3",
                            "/music/a.mp3", "file:///a.mp3", "http:/h/a"})
    EXPECT_FALSE(IsStationAddress(other)) << other;
  EXPECT_TRUE(IsStationAddress("http://h/" + std::string(kMaxAddressBytes - 9, 'a')));
  EXPECT_FALSE(IsStationAddress("http://h/" + std::string(kMaxAddressBytes - 8, 'a')));

  for (const char* list : {"http://h/listen.PLS", "https://h/a.m3u?sid=1", "http://h/live.m3u8#t"})
    EXPECT_TRUE(IsWebPlaylistAddress(list)) << list;
  for (const char* stream : {"http://h/stream.mp3", "http://list.pls", "http://h/a?file=b.pls", "http://h/pls"})
    EXPECT_FALSE(IsWebPlaylistAddress(stream)) << stream;
}

TEST(StreamAddress, FileAddressesOfThisMachineOnly) {
  EXPECT_EQ(LocalPathOfFileUri("file:///home/u/a%20b%E6%97%A5.mp3"), "/home/u/a b日.mp3");
  EXPECT_EQ(LocalPathOfFileUri("FILE://localhost/x%2.mp3%"), "/x%2.mp3%");
  for (const char* other : {"file://otherhost/x.mp3", "file:///a%00b.mp3", "/plain/path.mp3"})
    EXPECT_EQ(LocalPathOfFileUri(other), std::nullopt) << other;
}

}  // namespace
}  // namespace orvana::app
