#include "gui/app/commands.h"

#include <algorithm>
#include <iterator>

namespace folix::gui {
namespace {

constexpr CommandText kCommandTexts[] = {
    {kCmdNewFolder, "フォルダ", "", CommandRoute::kTreePane},
    {kCmdNewFile, "ファイル", "", CommandRoute::kTreePane},
    {kCmdAddFile, "ファイル追加", "", CommandRoute::kTreePane},
    {kCmdAddFolder, "フォルダ追加", "", CommandRoute::kTreePane},
    {kCmdDelete, "削除", "", CommandRoute::kTreePane},
    {kCmdToggleTree, "開閉", "編集画面を最大化します", CommandRoute::kBothPanes},
    {kCmdMakeHtml, "HTML作成", "HTMLを作成します", CommandRoute::kBothPanes},
    {kCmdBrowse, "ブラウズ", "HTMLをブラウザで表示します", CommandRoute::kBothPanes},
    {kCmdHtmlOptions, "HTMLオプション", "HTML作成のオプションを指定します",
     CommandRoute::kBothPanes},
    {kCmdUpload, "アップロード", "HTMLをアップロードします", CommandRoute::kBothPanes},
    {kCmdDiaryTop, "一行日記", "ファイルの最初に日付を挿入します", CommandRoute::kEditorPane},
    {kCmdDiaryEnd, "日記", "ファイルの最後に日付を挿入します", CommandRoute::kEditorPane},
    {kCmdMultiFolder, "複数フォルダ", "ダブルクリックで複数のフォルダを開けるようにします",
     CommandRoute::kTreePane},
    {kCmdAddList, "リスト追加", "", CommandRoute::kTreePane},
    {kCmdMakeText, "TEXT作成", "ルートフォルダと同じ場所に文書名のテキストファイルを作成します",
     CommandRoute::kBothPanes},
    {kCmdTextOptions, "TEXTオプション", "TEXT作成のオプションを指定します",
     CommandRoute::kBothPanes},
    {kCmdMakeEpub, "電子書籍作成...",
     "ルートフォルダと同じ場所に文書名の電子書籍(EPUB)を作成します", CommandRoute::kBothPanes},
    {kCmdCounts, "文字数...", "本のフォルダとファイルの文字数と原稿用紙の枚数を表示します",
     CommandRoute::kBothPanes},
    {kCmdManuscript, "原稿作成...",
     "ルートフォルダと同じ場所に原稿用紙の升目どおりの原稿(PDF)を作成します",
     CommandRoute::kBothPanes},
    {kCmdHistory, "履歴...", "編集中のファイルの版を表示し、選んだ版に戻します",
     CommandRoute::kBothPanes},
    {kCmdPost, "投稿用に書き出す...", "投稿サイトの記法で1話1ファイルに書き出します",
     CommandRoute::kBothPanes},
    {kCmdSearch, "folix検索", "ツリー検索及びテキストの検索・置換", CommandRoute::kBothPanes},
    {kCmdManual, "folix解説書", "folix解説書を表示します", CommandRoute::kFrame},
    {kCmdFont, "フォント", "フォントを指定します", CommandRoute::kEditorPane},
    {kCmdMargins, "印刷余白", "印刷の余白を指定", CommandRoute::kEditorPane},
    {kCmdVerticalPrint, "縦書印刷", "縦書印刷", CommandRoute::kEditorPane},
    // The edit commands work on the editor's text: with the tree active they would change a
    // text the writer is not looking at.
    {kCmdUndo, "元に戻す", "", CommandRoute::kEditorPane},
    {kCmdCut, "切り取り", "", CommandRoute::kEditorPane},
    {kCmdCopy, "ｺﾋﾟｰ", "", CommandRoute::kEditorPane},
    {kCmdPaste, "貼り付け", "", CommandRoute::kEditorPane},
    {kCmdSelectAll, "すべて選択", "", CommandRoute::kEditorPane},
    {kCmdFind, "検索", "", CommandRoute::kEditorPane},
    {kCmdFindNext, "次を検索", "", CommandRoute::kEditorPane},
    {kCmdRedo, "やり直し", "", CommandRoute::kEditorPane},
    {kCmdReplace, "置換", "", CommandRoute::kEditorPane},
    // The view's size, not the book's font: from either pane, as a reader zooms a page.
    {kCmdZoomIn, "拡大", "文字を大きく表示します", CommandRoute::kBothPanes},
    {kCmdZoomOut, "縮小", "文字を小さく表示します", CommandRoute::kBothPanes},
    {kCmdZoomReset, "元の大きさ", "文字を元の大きさで表示します", CommandRoute::kBothPanes},
    {kCmdFullScreen, "全画面表示", "画面全体に表示します", CommandRoute::kFrame},
    {kCmdFocusMode, "集中モード",
     "本文だけを表示します。Escキーで元に戻ります", CommandRoute::kFrame},
};

}  // namespace

const CommandText* FindCommandText(int id) {
    auto it = std::find_if(std::begin(kCommandTexts), std::end(kCommandTexts),
                           [&](const CommandText& c) { return c.id == id; });
    return it == std::end(kCommandTexts) ? nullptr : it;
}

}  // namespace folix::gui
