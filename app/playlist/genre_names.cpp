#include "app/playlist/genre_names.h"

namespace orvana::app {

// The spellings are the ones users have seen for years ("Juzz+Funk", "Bedob",
// "Avantagarde" included); a fix here would change stored expectations.
const std::array<std::string_view, kNoGenre + 1> GenreNames = {
    "ブルース",  // 0
    "クラシックロック",  // 1
    "カントリー",  // 2
    "ダンス",  // 3
    "ディスコ",  // 4
    "ファンク",  // 5
    "Grunge",  // 6
    "ヒップホップ",  // 7
    "ジャズ",  // 8
    "メタル",  // 9
    "ニューエイジ",  // 10
    "オールディーズ",  // 11
    "Other",  // 12
    "ポップ",  // 13
    "リズム＆ブルース",  // 14
    "ラップ",  // 15
    "レゲエ",  // 16
    "ロック",  // 17
    "テクノ",  // 18
    "Industrial",  // 19
    "Alternative",  // 20
    "Ska",  // 21
    "デスメタル",  // 22
    "Pranks",  // 23
    "サウンドトラック",  // 24
    "ユーロテクノ",  // 25
    "Ambient",  // 26
    "Trip-Hop",  // 27
    "ボーカル",  // 28
    "Juzz+Funk",  // 29
    "フュージョン",  // 30
    "Trance",  // 31
    "Classical",  // 32
    "Instrumental",  // 33
    "Acid",  // 34
    "ハウス",  // 35
    "ゲーム",  // 36
    "Sound Clip",  // 37
    "ゴスペル",  // 38
    "Noise",  // 39
    "AlternRock",  // 40
    "Bass",  // 41
    "ソウル",  // 42
    "パンク",  // 43
    "Space",  // 44
    "Meditative",  // 45
    "Instrumental Pop",  // 46
    "Instrumental Rock",  // 47
    "エスニック",  // 48
    "Gothic",  // 49
    "Darkwave",  // 50
    "Techno-Industrial",  // 51
    "Electronic",  // 52
    "Pop-Folk",  // 53
    "Eurodance",  // 54
    "Dream",  // 55
    "Southern Rock",  // 56
    "コメディ",  // 57
    "Cult",  // 58
    "Gangsta",  // 59
    "トップ40",  // 60
    "Christian Rap",  // 61
    "Pop/Funk",  // 62
    "Jungle",  // 63
    "Native American",  // 64
    "キャバレー",  // 65
    "New Wave",  // 66
    "Psychadelic",  // 67
    "Rave",  // 68
    "Showtunes",  // 69
    "Trailer",  // 70
    "Lo-Fi",  // 71
    "Tribal",  // 72
    "Acid Punk",  // 73
    "Acid Jazz",  // 74
    "ポルカ",  // 75
    "レトロ",  // 76
    "ミュージカル",  // 77
    "ロックンロール",  // 78
    "ハードロック",  // 79
    "フォーク",  // 80
    "フォーク／ロック",  // 81
    "National Folk",  // 82
    "Swing",  // 83
    "Fast-Fusion",  // 84
    "Bedob",  // 85
    "ラテン",  // 86
    "Revival",  // 87
    "ケルト民謡",  // 88
    "ブルーグラス",  // 89
    "Avantagarde",  // 90
    "Gothic Rock",  // 91
    "Progressive Rock",  // 92
    "Psychadelic Rock",  // 93
    "Symphonic Rock",  // 94
    "Slow Rock",  // 95
    "Big band",  // 96
    "コーラス",  // 97
    "Easy Listening",  // 98
    "アコースティック",  // 99
    "Humour",  // 100
    "スピーチ",  // 101
    "シャンソン",  // 102
    "オペラ",  // 103
    "Chamber Music",  // 104
    "ソナタ",  // 105
    "交響曲",  // 106
    "Booty Bass",  // 107
    "Primus",  // 108
    "Porn Groove",  // 109
    "Satire",  // 110
    "Slow Jam",  // 111
    "クラブ",  // 112
    "タンゴ",  // 113
    "サンバ",  // 114
    "Folklore",  // 115
    "バラード",  // 116
    "Power Ballad",  // 117
    "Rhytmic Soul",  // 118
    "Freestyle",  // 119
    "二重唱曲",  // 120
    "Punk Rock",  // 121
    "Drum Solo",  // 122
    "Acapella",  // 123
    "Euro-House",  // 124
    "ダンスホール",  // 125
    "Goa",  // 126
    "Drum & Bass",  // 127
    "Club-House",  // 128
    "ハードコア",  // 129
    "Terror",  // 130
    "Indie",  // 131
    "BritPop",  // 132
    "Negerpunk",  // 133
    "Polsk Punk",  // 134
    "Beat",  // 135
    "Christian Gangsta Rap",  // 136
    "ヘビーメタル",  // 137
    "Black Metal",  // 138
    "クロスオーバー",  // 139
    "Contemporary Christian",  // 140
    "Christian Rock",  // 141
    "Merengue",  // 142
    "Salsa",  // 143
    "Thrash Metal",  // 144
    "アニメ",  // 145
    "Ｊポップ",  // 146
    "Synthpop",  // 147
    "",  // 148: no genre
};

std::string_view GenreName(std::uint8_t genre) { return genre < kNoGenre ? GenreNames[genre] : std::string_view(); }

}  // namespace orvana::app
