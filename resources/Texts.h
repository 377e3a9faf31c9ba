#pragma once
// The program's own texts, kept as UTF-8 and shown through the wide calls so
// they read right whatever the system code page.

namespace resources {

inline constexpr char8_t kApplicationTitle[] = u8"Tamaroo";
inline constexpr char8_t kCannotOpenFile[] = u8"ファイル %s は開けません";
inline constexpr char8_t kStreamReadError[] = u8"ストリームからの読み込みエラー";
inline constexpr char8_t kInvalidBitmap[] = u8"ビットマップイメージが不正です";
inline constexpr char8_t kSystemError[] = u8"システムエラー。コード：%d.\r\n%s";
inline constexpr char8_t kCannotWrite[] = u8"%s に書き込めません";
inline constexpr char8_t kCannotCreateWindow[] = u8"ウィンドウを作成できません";
inline constexpr char8_t kBadImageSize[] = u8"イメージサイズが正しくありません";
inline constexpr char8_t kCannotStore[] = u8"%s を格納できません";
inline constexpr char8_t kNotFound[] = u8"%s が見つかりません";
inline constexpr char8_t kCannotOpenClipboard[] = u8"クリップボードを開くことができません";
inline constexpr char8_t kNoUrlOnClipboard[] = u8"クリップボードに URL がありません";
inline constexpr char8_t kAboutCaption[] = u8"バージョン情報";
inline constexpr char8_t kNoUrlInShortcut[] = u8"%s に URL がありません";
// The rename dialog.
inline constexpr char8_t kRenameCaption[] = u8"名前の変更";
inline constexpr char8_t kOk[] = u8"OK";
inline constexpr char8_t kCancel[] = u8"キャンセル";
inline constexpr char8_t kNameEmpty[] = u8"名前を入力してください";
inline constexpr char8_t kNameTaken[] = u8"%s という名前はすでにあります";
inline constexpr char8_t kUnexpectedError[] = u8"予期しないエラーが発生しました";
// Asked before a folder's bookmarks open all at once, above kOpenAllWithoutAsking.
inline constexpr char8_t kOpenAllQuestion[] = u8"%d 件のブックマークを開きますか?";
inline constexpr unsigned kOpenAllWithoutAsking = 10;
// The bookmarks that lead to one page.
inline constexpr char8_t kDuplicatesCaption[] = u8"重複を探す";
inline constexpr char8_t kDuplicatesPrompt[] =
    u8"同じページへのブックマークです。チェックしたものをごみ箱へ移します (それぞれ最も古いものはチェックなし)。";
inline constexpr char8_t kNoDuplicates[] = u8"重複はありません.";
// The last entry of a menu level taller than the screen: it opens the rest.
inline constexpr char8_t kMoreEntries[] = u8"その他 (%s)";
// Reading a browser's bookmark file.
inline constexpr char8_t kNotBookmarkFile[] = u8"%s はブックマークファイルではありません";
inline constexpr char8_t kBookmarkFileTooLarge[] = u8"%s は 64 MiB を超えるため読み込めません";
inline constexpr char8_t kBookmarksImported[] = u8"%d 件のブックマークを読み込みました。";
inline constexpr char8_t kBookmarksNotImported[] = u8"(%d 件は読み込みませんでした)";
inline constexpr char8_t kPicturesNotImported[] = u8"(%d 件のサイトの画像は読み込めませんでした)";
inline constexpr char8_t kStopped[] = u8"\r\n途中で中止しました。";
// Writing one: the file dialogs' filter and what the box says afterwards.
inline constexpr char8_t kBookmarkFilter[] = u8"ブックマーク (*.html;*.htm)";
inline constexpr char8_t kBookmarksExported[] = u8"%d 件のブックマークを書き出しました。";
inline constexpr char8_t kBookmarksWithoutUrl[] = u8"(%d 件は URL がないため書き出しませんでした)";

// The search window.
inline constexpr char8_t kFindCaption[] = u8"検索";
inline constexpr char8_t kNothingFound[] = u8"見つかりません";
inline constexpr char8_t kMoreFound[] = u8"ほかに %d 件";
inline constexpr char8_t kUrlsPending[] = u8"URL を読み込み中です (名前とフォルダーから検索しました)";
inline constexpr char8_t kFindKeyTaken[] =
    u8"ホットキー %s はほかのプログラムが使っています。Settings.ini の [General] HotKey で別のキーを指定できます";
inline constexpr char8_t kFindKeyUnreadable[] =
    u8"Settings.ini の [General] HotKey=%s はキーとして読めません (例: Ctrl+Alt+Space)";

}  // namespace resources
