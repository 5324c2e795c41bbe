#include "app/desktop/absolute_arguments.h"

#include <gtest/gtest.h>

namespace orvana::app {
namespace {

using TList = std::vector<std::string>;

TEST(AbsoluteArguments, RelativeNamesJoinTheSendersFolder) {
  EXPECT_EQ(AbsoluteArguments({"a.mp3", "./sub/b c.mp3", "../up.mp3", "曲/歌.mp3", "missing.mp3"}, "/home/u/music"),
            (TList{"/home/u/music/a.mp3", "/home/u/music/sub/b c.mp3", "/home/u/up.mp3", "/home/u/music/曲/歌.mp3",
                   "/home/u/music/missing.mp3"}));
}

TEST(AbsoluteArguments, AbsoluteNamesAreOnlyTidied) {
  EXPECT_EQ(AbsoluteArguments({"/a/./b/../c.mp3", "//x//y.mp3", "/folder/", "/"}, "/cwd"),
            (TList{"/a/c.mp3", "/x/y.mp3", "/folder", "/"}));
  EXPECT_EQ(AbsoluteArguments({"..", "."}, "/"), (TList{"/", "/"}));
}

TEST(AbsoluteArguments, UrlsPassAndEmptyArgumentsGo) {
  EXPECT_EQ(AbsoluteArguments({"", "http://radio.example/stream", "file:///a%20b.mp3", "a:b.mp3", "1x://y"}, "/c"),
            (TList{"http://radio.example/stream", "file:///a%20b.mp3", "/c/a:b.mp3", "/c/1x:/y"}));
}

TEST(AbsoluteArguments, WithoutAFolderRelativeNamesStay) {
  EXPECT_EQ(AbsoluteArguments({"a/../b.mp3", "/x.mp3"}, ""), (TList{"b.mp3", "/x.mp3"}));
}

}  // namespace
}  // namespace orvana::app
