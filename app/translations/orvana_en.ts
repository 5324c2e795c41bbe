<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>About</name>
    <message>
        <source>新しいバージョンの公開やOrvanaのニュースを</source>
        <translation>New versions and news of Orvana</translation>
    </message>
    <message>
        <source>メールでお知らせしています。</source>
        <translation>come by e-mail.</translation>
    </message>
    <message>
        <source>ニュースレターに登録する</source>
        <translation>Subscribe to the newsletter</translation>
    </message>
</context>
<context>
    <name>Actions</name>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>一時停止(&amp;U)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>次の曲へ(&amp;N)</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>次の曲へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>前の曲へ(&amp;R)</source>
        <translation>P&amp;revious</translation>
    </message>
    <message>
        <source>前の曲へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>ファイルを開く...</source>
        <translation>Open files...</translation>
    </message>
    <message>
        <source>フォルダから開く...</source>
        <translation>Open folder...</translation>
    </message>
    <message>
        <source>ファイルを追加...</source>
        <translation>Add files...</translation>
    </message>
    <message>
        <source>フォルダから追加...</source>
        <translation>Add folder...</translation>
    </message>
    <message>
        <source>フォルダから追加</source>
        <translation>Add folder</translation>
    </message>
    <message>
        <source>選択されているファイルを削除</source>
        <translation>Remove selected</translation>
    </message>
    <message>
        <source>選択されていないファイルを削除</source>
        <translation>Remove unselected</translation>
    </message>
    <message>
        <source>すべて削除</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>見付からないファイルを削除</source>
        <translation>Remove missing files</translation>
    </message>
    <message>
        <source>プレイリストを保存...</source>
        <translation>Save playlist...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>リピート</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>シャッフル</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>リストのシャッフル</source>
        <translation>Shuffle list</translation>
    </message>
    <message>
        <source>リストの反転</source>
        <translation>Reverse list</translation>
    </message>
    <message>
        <source>プレイリストを隠す</source>
        <translation>Hide playlist</translation>
    </message>
    <message>
        <source>おやすみモード</source>
        <translation>Sleep timer</translation>
    </message>
    <message>
        <source>おはようタイマーのセット</source>
        <translation>Set wake-up timer...</translation>
    </message>
    <message>
        <source>おはようタイマー</source>
        <translation>Wake-up timer</translation>
    </message>
    <message>
        <source>Orvana について...</source>
        <translation>About Orvana...</translation>
    </message>
    <message>
        <source>ファイル情報</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>イコライザー</source>
        <translation>Equalizer</translation>
    </message>
    <message>
        <source>URLを開く...</source>
        <translation>Open URL...</translation>
    </message>
    <message>
        <source>曲を探す...</source>
        <translation>Find song...</translation>
    </message>
    <message>
        <source>曲を探す</source>
        <translation>Find song</translation>
    </message>
    <message>
        <source>おやすみモード解除</source>
        <translation>Cancel sleep timer</translation>
    </message>
    <message>
        <source>おはようタイマーの解除</source>
        <translation>Cancel wake-up timer</translation>
    </message>
    <message>
        <source>Orvana の終了</source>
        <translation>Exit Orvana</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>左／シングルクリック</source>
        <translation>Left click</translation>
    </message>
    <message>
        <source>左／ダブルクリック</source>
        <translation>Left double click</translation>
    </message>
    <message>
        <source>左／トリプルクリック</source>
        <translation>Left triple click</translation>
    </message>
    <message>
        <source>右／シングルクリック</source>
        <translation>Right click</translation>
    </message>
    <message>
        <source>右／ダブルクリック</source>
        <translation>Right double click</translation>
    </message>
    <message>
        <source>右／トリプルクリック</source>
        <translation>Right triple click</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Orvana - 設定</source>
        <translation>Orvana - Settings</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>トレイアイコン</source>
        <translation>Tray icon</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>サブフォルダも検索する(&amp;S)</source>
        <translation>Include &amp;subfolders</translation>
    </message>
    <message>
        <source>ファイルを追加するときにタグを読み込む(&amp;T)</source>
        <translation>Read &amp;tags when adding files</translation>
    </message>
    <message>
        <source>プレイリストのフォント(&amp;F)</source>
        <translation>Playlist &amp;font</translation>
    </message>
    <message>
        <source>再生の優先度(&amp;P)</source>
        <translation>Playback &amp;priority</translation>
    </message>
    <message>
        <source>低い</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>高い</source>
        <translation>High</translation>
    </message>
    <message>
        <source>次回の起動から有効になります</source>
        <translation>Applies at the next start</translation>
    </message>
    <message>
        <source>クリックの待ち受け時間(&amp;T)</source>
        <translation>Double-click &amp;time</translation>
    </message>
    <message>
        <source>0.1秒</source>
        <translation>0.1 s</translation>
    </message>
    <message>
        <source>3秒</source>
        <translation>3 s</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>&amp;Actions</translation>
    </message>
    <message>
        <source>再生／停止</source>
        <translation>Play/stop</translation>
    </message>
    <message>
        <source>次の曲へ</source>
        <translation>Next song</translation>
    </message>
    <message>
        <source>前の曲へ</source>
        <translation>Previous song</translation>
    </message>
    <message>
        <source>プレイリストを表示</source>
        <translation>Show playlist</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>言語(&amp;L):</source>
        <translation>&amp;Language:</translation>
    </message>
</context>
<context>
    <name>Equalizer</name>
    <message>
        <source>オフ</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>イコライザー</source>
        <translation>Equalizer</translation>
    </message>
    <message>
        <source>イコライザーを使う</source>
        <translation>Enable equalizer</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>プリセット</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>カスタム</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>保存...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>名前の変更...</source>
        <translation>Rename...</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>プリアンプ</source>
        <translation>Preamp</translation>
    </message>
    <message>
        <source>音量の自動調整</source>
        <translation>ReplayGain</translation>
    </message>
    <message>
        <source>クリッピングを防ぐ</source>
        <translation>Prevent clipping</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>ReplayGain のない曲</source>
        <translation>Without ReplayGain</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>0以下は指定できません</source>
        <translation>The icon number must be above 0</translation>
    </message>
    <message>
        <source>同じアイコン識別子が有ります</source>
        <translation>An icon with this number already exists</translation>
    </message>
    <message>
        <source>アイコンが指定されていません</source>
        <translation>No icon is set</translation>
    </message>
    <message>
        <source>タスクトレイに登録できません</source>
        <translation>Cannot add the icon to the notification area</translation>
    </message>
    <message>
        <source>バージョン情報が取得できません</source>
        <translation>Version information is not available</translation>
    </message>
</context>
<context>
    <name>FindSong</name>
    <message>
        <source>曲を探す</source>
        <translation>Find song</translation>
    </message>
    <message>
        <source>タイトル、アーティスト、アルバム、ファイル名</source>
        <translation>Title, artist, album, file name</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message numerus="yes">
        <source>%n 曲</source>
        <translation>
            <numerusform>%n song</numerusform>
            <numerusform>%n songs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FirstRun</name>
    <message>
        <source>左クリック：</source>
        <translation>Left click:</translation>
    </message>
    <message>
        <source>再生／停止</source>
        <translation>Play/stop</translation>
    </message>
    <message>
        <source>左ダブルクリック：</source>
        <translation>Left double click:</translation>
    </message>
    <message>
        <source>次の曲へ</source>
        <translation>Next song</translation>
    </message>
    <message>
        <source>左トリプルクリック：</source>
        <translation>Left triple click:</translation>
    </message>
    <message>
        <source>前の曲へ</source>
        <translation>Previous song</translation>
    </message>
    <message>
        <source>右クリック：</source>
        <translation>Right click:</translation>
    </message>
    <message>
        <source>プレイリストの表示／非表示</source>
        <translation>Show/hide playlist</translation>
    </message>
    <message>
        <source>右ダブルクリック：</source>
        <translation>Right double click:</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>右トリプルクリック：</source>
        <translation>Right triple click:</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>次回もこのウィンドウを表示する(&amp;N)</source>
        <translation>&amp;Show this window next time</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Orvanaへようこそ</source>
        <translation>Welcome to Orvana</translation>
    </message>
    <message>
        <source>Orvanaをダウンロードしていただき、ありがとうございます。Orvanaの操作方法は少し変わっているので、ここで説明します。</source>
        <translation>Thank you for downloading Orvana. Orvana is used a little differently from other players, so here is how.</translation>
    </message>
    <message>
        <source>タスクトレイに黒丸のアイコンが表示されていると思いますが、このアイコンをクリック～トリプルクリックする事によって操作します。</source>
        <translation>A black disc icon is shown in the notification area. You control Orvana by clicking it once, twice or three times.</translation>
    </message>
    <message>
        <source>まずはプレイリストに再生するファイルを追加して下さい。</source>
        <translation>To begin, add some files to the playlist.</translation>
    </message>
    <message>
        <source>※操作方法は設定で変更できます。</source>
        <translation>Note: the clicks can be changed in the settings.</translation>
    </message>
</context>
<context>
    <name>Genres</name>
    <message>
        <source>ブルース</source>
        <translation>Blues</translation>
    </message>
    <message>
        <source>クラシックロック</source>
        <translation>Classic Rock</translation>
    </message>
    <message>
        <source>カントリー</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>ダンス</source>
        <translation>Dance</translation>
    </message>
    <message>
        <source>ディスコ</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>ファンク</source>
        <translation>Funk</translation>
    </message>
    <message>
        <source>ヒップホップ</source>
        <translation>Hip-Hop</translation>
    </message>
    <message>
        <source>ジャズ</source>
        <translation>Jazz</translation>
    </message>
    <message>
        <source>メタル</source>
        <translation>Metal</translation>
    </message>
    <message>
        <source>ニューエイジ</source>
        <translation>New Age</translation>
    </message>
    <message>
        <source>オールディーズ</source>
        <translation>Oldies</translation>
    </message>
    <message>
        <source>ポップ</source>
        <translation>Pop</translation>
    </message>
    <message>
        <source>リズム＆ブルース</source>
        <translation>R&amp;B</translation>
    </message>
    <message>
        <source>ラップ</source>
        <translation>Rap</translation>
    </message>
    <message>
        <source>レゲエ</source>
        <translation>Reggae</translation>
    </message>
    <message>
        <source>ロック</source>
        <translation>Rock</translation>
    </message>
    <message>
        <source>テクノ</source>
        <translation>Techno</translation>
    </message>
    <message>
        <source>デスメタル</source>
        <translation>Death Metal</translation>
    </message>
    <message>
        <source>サウンドトラック</source>
        <translation>Soundtrack</translation>
    </message>
    <message>
        <source>ユーロテクノ</source>
        <translation>Euro-Techno</translation>
    </message>
    <message>
        <source>ボーカル</source>
        <translation>Vocal</translation>
    </message>
    <message>
        <source>フュージョン</source>
        <translation>Fusion</translation>
    </message>
    <message>
        <source>ハウス</source>
        <translation>House</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>ゴスペル</source>
        <translation>Gospel</translation>
    </message>
    <message>
        <source>ソウル</source>
        <translation>Soul</translation>
    </message>
    <message>
        <source>パンク</source>
        <translation>Punk</translation>
    </message>
    <message>
        <source>エスニック</source>
        <translation>Ethnic</translation>
    </message>
    <message>
        <source>コメディ</source>
        <translation>Comedy</translation>
    </message>
    <message>
        <source>トップ40</source>
        <translation>Top 40</translation>
    </message>
    <message>
        <source>キャバレー</source>
        <translation>Cabaret</translation>
    </message>
    <message>
        <source>ポルカ</source>
        <translation>Polka</translation>
    </message>
    <message>
        <source>レトロ</source>
        <translation>Retro</translation>
    </message>
    <message>
        <source>ミュージカル</source>
        <translation>Musical</translation>
    </message>
    <message>
        <source>ロックンロール</source>
        <translation>Rock &amp; Roll</translation>
    </message>
    <message>
        <source>ハードロック</source>
        <translation>Hard Rock</translation>
    </message>
    <message>
        <source>フォーク</source>
        <translation>Folk</translation>
    </message>
    <message>
        <source>フォーク／ロック</source>
        <translation>Folk-Rock</translation>
    </message>
    <message>
        <source>ラテン</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>ケルト民謡</source>
        <translation>Celtic</translation>
    </message>
    <message>
        <source>ブルーグラス</source>
        <translation>Bluegrass</translation>
    </message>
    <message>
        <source>コーラス</source>
        <translation>Chorus</translation>
    </message>
    <message>
        <source>アコースティック</source>
        <translation>Acoustic</translation>
    </message>
    <message>
        <source>スピーチ</source>
        <translation>Speech</translation>
    </message>
    <message>
        <source>シャンソン</source>
        <translation>Chanson</translation>
    </message>
    <message>
        <source>オペラ</source>
        <translation>Opera</translation>
    </message>
    <message>
        <source>ソナタ</source>
        <translation>Sonata</translation>
    </message>
    <message>
        <source>交響曲</source>
        <translation>Symphony</translation>
    </message>
    <message>
        <source>クラブ</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>タンゴ</source>
        <translation>Tango</translation>
    </message>
    <message>
        <source>サンバ</source>
        <translation>Samba</translation>
    </message>
    <message>
        <source>バラード</source>
        <translation>Ballad</translation>
    </message>
    <message>
        <source>二重唱曲</source>
        <translation>Duet</translation>
    </message>
    <message>
        <source>ダンスホール</source>
        <translation>Dancehall</translation>
    </message>
    <message>
        <source>ハードコア</source>
        <translation>Hardcore</translation>
    </message>
    <message>
        <source>ヘビーメタル</source>
        <translation>Heavy Metal</translation>
    </message>
    <message>
        <source>クロスオーバー</source>
        <translation>Crossover</translation>
    </message>
    <message>
        <source>アニメ</source>
        <translation>Anime</translation>
    </message>
    <message>
        <source>Ｊポップ</source>
        <translation>J-Pop</translation>
    </message>
</context>
<context>
    <name>OpenUrl</name>
    <message>
        <source>URLを開く</source>
        <translation>Open URL</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Playlist</name>
    <message>
        <source>使用可能 ファイル (*.mp1 *.mp2 *.mp3 *.m3u *.m3u8 *.pls);;MPEG audio layer - I, II, III (*.mp1 *.mp2 *.mp3);;PlayList (*.m3u *.m3u8 *.pls);;すべてのファイル (*)</source>
        <translation>Supported files (*.mp1 *.mp2 *.mp3 *.m3u *.m3u8 *.pls);;MPEG audio layer - I, II, III (*.mp1 *.mp2 *.mp3);;Playlists (*.m3u *.m3u8 *.pls);;All files (*)</translation>
    </message>
    <message>
        <source>プレイリスト (*.m3u);;テキストファイル (*.txt);;すべてのファイル (*)</source>
        <translation>Playlist (*.m3u);;Text file (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>追加するフォルダを選択して下さい</source>
        <translation>Choose a folder to add</translation>
    </message>
    <message>
        <source>開くフォルダを選択して下さい</source>
        <translation>Choose a folder to open</translation>
    </message>
    <message>
        <source>プレイリストを保存</source>
        <translation>Save playlist</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>アーティスト</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>「%1」は組み込みのプリセットです。別の名前を付けてください。</source>
        <translation>&quot;%1&quot; is a built-in preset. Please choose another name.</translation>
    </message>
    <message>
        <source>プリセットの保存</source>
        <translation>Save preset</translation>
    </message>
    <message>
        <source>プリセットの名前:</source>
        <translation>Preset name:</translation>
    </message>
    <message>
        <source>「%1」という名前のプリセットがすでにあります。上書きしますか？</source>
        <translation>A preset named &quot;%1&quot; already exists. Replace it?</translation>
    </message>
    <message>
        <source>プリセットはこれ以上保存できません。</source>
        <translation>No more presets can be saved.</translation>
    </message>
    <message>
        <source>プリセットの名前の変更</source>
        <translation>Rename preset</translation>
    </message>
    <message>
        <source>新しい名前:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>「%1」という名前のプリセットがすでにあります。別の名前を付けてください。</source>
        <translation>A preset named &quot;%1&quot; already exists. Please choose another name.</translation>
    </message>
    <message>
        <source>プリセット「%1」を削除しますか？</source>
        <translation>Delete the preset &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>フラット</source>
        <translation>Flat</translation>
    </message>
    <message>
        <source>ロック</source>
        <translation>Rock</translation>
    </message>
    <message>
        <source>ポップ</source>
        <translation>Pop</translation>
    </message>
    <message>
        <source>ジャズ</source>
        <translation>Jazz</translation>
    </message>
    <message>
        <source>クラシック</source>
        <translation>Classical</translation>
    </message>
    <message>
        <source>ボーカル</source>
        <translation>Vocal</translation>
    </message>
    <message>
        <source>低音強調</source>
        <translation>Bass boost</translation>
    </message>
    <message>
        <source>高音強調</source>
        <translation>Treble boost</translation>
    </message>
</context>
<context>
    <name>TagEditor</name>
    <message>
        <source>Orvana - MP3 タグエディター</source>
        <translation>Orvana - MP3 tag editor</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ID3 タグ情報</source>
        <translation>ID3 tag</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>アーティスト</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>歌詞</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>作成(&amp;L)</source>
        <translation>&amp;Create</translation>
    </message>
</context>
<context>
    <name>Wakeup</name>
    <message>
        <source>おはようタイマー</source>
        <translation>Wake-up timer</translation>
    </message>
    <message>
        <source>時</source>
        <translation>:</translation>
    </message>
    <message>
        <source>分 になったら再生開始します</source>
        <translation>start playing at this time</translation>
    </message>
    <message>
        <source>おやすみモード</source>
        <translation>Sleep timer</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分 後に再生停止します</source>
        <translation>min, then stop playing</translation>
    </message>
    <message>
        <source>ついでに Orvana を終了します(&amp;E)</source>
        <translation>Also &amp;exit Orvana</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Orvanaのバージョン情報</source>
        <translation>About Orvana</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>タイトル:</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>アーティスト:</source>
        <translation>Artist:</translation>
    </message>
    <message>
        <source>アルバム:</source>
        <translation>Album:</translation>
    </message>
    <message>
        <source>年:</source>
        <translation>Year:</translation>
    </message>
    <message>
        <source>ジャンル:</source>
        <translation>Genre:</translation>
    </message>
    <message>
        <source>コメント:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>ファイル名:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>オーディオ プロパティ:</source>
        <translation>Audio properties:</translation>
    </message>
    <message>
        <source>プレイリスト</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>接続中...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>バッファリング中...</source>
        <translation>Buffering...</translation>
    </message>
    <message>
        <source>音量: %1</source>
        <translation>Volume: %1</translation>
    </message>
    <message>
        <source> &lt;停止中&gt;</source>
        <translation> &lt;Stopped&gt;</translation>
    </message>
    <message>
        <source> &lt;再生中&gt;</source>
        <translation> &lt;Playing&gt;</translation>
    </message>
    <message>
        <source> &lt;一時停止&gt;</source>
        <translation> &lt;Paused&gt;</translation>
    </message>
    <message numerus="yes">
        <source>%n 曲</source>
        <translation>
            <numerusform>%n song</numerusform>
            <numerusform>%n songs</numerusform>
        </translation>
    </message>
    <message>
        <source>総演奏時間: %1</source>
        <translation>Total time: %1</translation>
    </message>
</context>
</TS>
