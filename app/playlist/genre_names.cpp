#include "app/playlist/genre_names.h"

#include <QtGlobal>

namespace orvana::app {

// The Japanese names are kept in the list file as they are and translated
// where they are shown (context "Genres"). The spellings are the ones users
// have seen for years ("Juzz+Funk", "Bedob",
// "Avantagarde" included); a fix here would change stored expectations.
const std::array<std::string_view, kNoGenre + 1> GenreNames = {
    QT_TRANSLATE_NOOP("Genres", "ブルース"),  // 0
    QT_TRANSLATE_NOOP("Genres", "クラシックロック"),  // 1
    QT_TRANSLATE_NOOP("Genres", "カントリー"),  // 2
    QT_TRANSLATE_NOOP("Genres", "ダンス"),  // 3
    QT_TRANSLATE_NOOP("Genres", "ディスコ"),  // 4
    QT_TRANSLATE_NOOP("Genres", "ファンク"),  // 5
    "Grunge",  // 6
    QT_TRANSLATE_NOOP("Genres", "ヒップホップ"),  // 7
    QT_TRANSLATE_NOOP("Genres", "ジャズ"),  // 8
    QT_TRANSLATE_NOOP("Genres", "メタル"),  // 9
    QT_TRANSLATE_NOOP("Genres", "ニューエイジ"),  // 10
    QT_TRANSLATE_NOOP("Genres", "オールディーズ"),  // 11
    "Other",  // 12
    QT_TRANSLATE_NOOP("Genres", "ポップ"),  // 13
    QT_TRANSLATE_NOOP("Genres", "リズム＆ブルース"),  // 14
    QT_TRANSLATE_NOOP("Genres", "ラップ"),  // 15
    QT_TRANSLATE_NOOP("Genres", "レゲエ"),  // 16
    QT_TRANSLATE_NOOP("Genres", "ロック"),  // 17
    QT_TRANSLATE_NOOP("Genres", "テクノ"),  // 18
    "Industrial",  // 19
    "Alternative",  // 20
    "Ska",  // 21
    QT_TRANSLATE_NOOP("Genres", "デスメタル"),  // 22
    "Pranks",  // 23
    QT_TRANSLATE_NOOP("Genres", "サウンドトラック"),  // 24
    QT_TRANSLATE_NOOP("Genres", "ユーロテクノ"),  // 25
    "Ambient",  // 26
    "Trip-Hop",  // 27
    QT_TRANSLATE_NOOP("Genres", "ボーカル"),  // 28
    "Juzz+Funk",  // 29
    QT_TRANSLATE_NOOP("Genres", "フュージョン"),  // 30
    "Trance",  // 31
    "Classical",  // 32
    "Instrumental",  // 33
    "Acid",  // 34
    QT_TRANSLATE_NOOP("Genres", "ハウス"),  // 35
    QT_TRANSLATE_NOOP("Genres", "ゲーム"),  // 36
    "Sound Clip",  // 37
    QT_TRANSLATE_NOOP("Genres", "ゴスペル"),  // 38
    "Noise",  // 39
    "AlternRock",  // 40
    "Bass",  // 41
    QT_TRANSLATE_NOOP("Genres", "ソウル"),  // 42
    QT_TRANSLATE_NOOP("Genres", "パンク"),  // 43
    "Space",  // 44
    "Meditative",  // 45
    "Instrumental Pop",  // 46
    "Instrumental Rock",  // 47
    QT_TRANSLATE_NOOP("Genres", "エスニック"),  // 48
    "Gothic",  // 49
    "Darkwave",  // 50
    "Techno-Industrial",  // 51
    "Electronic",  // 52
    "Pop-Folk",  // 53
    "Eurodance",  // 54
    "Dream",  // 55
    "Southern Rock",  // 56
    QT_TRANSLATE_NOOP("Genres", "コメディ"),  // 57
    "Cult",  // 58
    "Gangsta",  // 59
    QT_TRANSLATE_NOOP("Genres", "トップ40"),  // 60
    "Christian Rap",  // 61
    "Pop/Funk",  // 62
    "Jungle",  // 63
    "Native American",  // 64
    QT_TRANSLATE_NOOP("Genres", "キャバレー"),  // 65
    "New Wave",  // 66
    "Psychadelic",  // 67
    "Rave",  // 68
    "Showtunes",  // 69
    "Trailer",  // 70
    "Lo-Fi",  // 71
    "Tribal",  // 72
    "Acid Punk",  // 73
    "Acid Jazz",  // 74
    QT_TRANSLATE_NOOP("Genres", "ポルカ"),  // 75
    QT_TRANSLATE_NOOP("Genres", "レトロ"),  // 76
    QT_TRANSLATE_NOOP("Genres", "ミュージカル"),  // 77
    QT_TRANSLATE_NOOP("Genres", "ロックンロール"),  // 78
    QT_TRANSLATE_NOOP("Genres", "ハードロック"),  // 79
    QT_TRANSLATE_NOOP("Genres", "フォーク"),  // 80
    QT_TRANSLATE_NOOP("Genres", "フォーク／ロック"),  // 81
    "National Folk",  // 82
    "Swing",  // 83
    "Fast-Fusion",  // 84
    "Bedob",  // 85
    QT_TRANSLATE_NOOP("Genres", "ラテン"),  // 86
    "Revival",  // 87
    QT_TRANSLATE_NOOP("Genres", "ケルト民謡"),  // 88
    QT_TRANSLATE_NOOP("Genres", "ブルーグラス"),  // 89
    "Avantagarde",  // 90
    "Gothic Rock",  // 91
    "Progressive Rock",  // 92
    "Psychadelic Rock",  // 93
    "Symphonic Rock",  // 94
    "Slow Rock",  // 95
    "Big band",  // 96
    QT_TRANSLATE_NOOP("Genres", "コーラス"),  // 97
    "Easy Listening",  // 98
    QT_TRANSLATE_NOOP("Genres", "アコースティック"),  // 99
    "Humour",  // 100
    QT_TRANSLATE_NOOP("Genres", "スピーチ"),  // 101
    QT_TRANSLATE_NOOP("Genres", "シャンソン"),  // 102
    QT_TRANSLATE_NOOP("Genres", "オペラ"),  // 103
    "Chamber Music",  // 104
    QT_TRANSLATE_NOOP("Genres", "ソナタ"),  // 105
    QT_TRANSLATE_NOOP("Genres", "交響曲"),  // 106
    "Booty Bass",  // 107
    "Primus",  // 108
    "Porn Groove",  // 109
    "Satire",  // 110
    "Slow Jam",  // 111
    QT_TRANSLATE_NOOP("Genres", "クラブ"),  // 112
    QT_TRANSLATE_NOOP("Genres", "タンゴ"),  // 113
    QT_TRANSLATE_NOOP("Genres", "サンバ"),  // 114
    "Folklore",  // 115
    QT_TRANSLATE_NOOP("Genres", "バラード"),  // 116
    "Power Ballad",  // 117
    "Rhytmic Soul",  // 118
    "Freestyle",  // 119
    QT_TRANSLATE_NOOP("Genres", "二重唱曲"),  // 120
    "Punk Rock",  // 121
    "Drum Solo",  // 122
    "Acapella",  // 123
    "Euro-House",  // 124
    QT_TRANSLATE_NOOP("Genres", "ダンスホール"),  // 125
    "Goa",  // 126
    "Drum & Bass",  // 127
    "Club-House",  // 128
    QT_TRANSLATE_NOOP("Genres", "ハードコア"),  // 129
    "Terror",  // 130
    "Indie",  // 131
    "BritPop",  // 132
    "Negerpunk",  // 133
    "Polsk Punk",  // 134
    "Beat",  // 135
    "Christian Gangsta Rap",  // 136
    QT_TRANSLATE_NOOP("Genres", "ヘビーメタル"),  // 137
    "Black Metal",  // 138
    QT_TRANSLATE_NOOP("Genres", "クロスオーバー"),  // 139
    "Contemporary Christian",  // 140
    "Christian Rock",  // 141
    "Merengue",  // 142
    "Salsa",  // 143
    "Thrash Metal",  // 144
    QT_TRANSLATE_NOOP("Genres", "アニメ"),  // 145
    QT_TRANSLATE_NOOP("Genres", "Ｊポップ"),  // 146
    "Synthpop",  // 147
    "",  // 148: no genre
};

std::string_view GenreName(std::uint8_t genre) { return genre < kNoGenre ? GenreNames[genre] : std::string_view(); }

}  // namespace orvana::app
