// The editor figures, offscreen in the window's own widgets, each against the same operation on
// a plain QPlainTextEdit in the same process: opening a 10 MB text file, typing a character at
// its start, switching the file to vertical writing, and typing at its start there. Every
// operation ends with a repaint of what it changed, as the writer would see it.
//
// Prints one line per figure: name, ours and the baseline in milliseconds, tab-separated.
// Run offscreen: QT_QPA_PLATFORM=offscreen build-bench/bench/editor_bench [MB]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "book/text_encoding.h"
#include "gui/app/child_frame.h"
#include "gui/editor/editor_view.h"
#include "gui/editor/vertical_view.h"
#include "gui/platform/qt_desktop.h"
#include "gui/platform/qt_profile.h"
#include "gui/platform/qt_ui.h"

namespace {

constexpr int kRuns = 3;
constexpr int kKeystrokes = 30;

// Lines of a novel, about 10 MB of UTF-8 for the default size.
QByteArray NovelText(int megabytes) {
    const QByteArray paragraph =
        "朝の庭に出ると、梅の木の枝に小さな鳥がとまっていた。「おはよう」と声をかけると、"
        "鳥は首をかしげてこちらを見た。Latinの名前もあるらしい。\r\n";
    QByteArray text;
    const qsizetype size = static_cast<qsizetype>(megabytes) * 1024 * 1024;
    text.reserve(size + paragraph.size());
    while (text.size() < size) {
        text += paragraph;
    }
    return text;
}

double Milliseconds(const std::function<void()>& operation) {
    QElapsedTimer timer;
    timer.start();
    operation();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds a keystroke, typing at a position of the text.
double TypeAt(int position, QWidget& typed_into, QWidget& painted, QTextCursor cursor,
              const std::function<void(const QTextCursor&)>& place) {
    cursor.setPosition(position);
    place(cursor);
    painted.repaint();
    return Milliseconds([&] {
               for (int i = 0; i < kKeystrokes; ++i) {
                   QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, i % 2 ? "縦" : "書");
                   QApplication::sendEvent(&typed_into, &press);
                   painted.repaint();
               }
           }) /
           kKeystrokes;
}

void Print(const char* figure, double ours, double baseline) {
    std::printf("%s\t%.1f\t%.1f\n", figure, ours, baseline);
}

// A long chapter in the web-novel notation: ruby with and without a bar, emphasis dots and
// upright digits in every paragraph, about 150,000 characters (shaped whole on switching); or
// the same chapter as read, without the notation.
QByteArray RubyChapter(bool notation) {
    const QByteArray paragraph =
        notation
            ? "昔々《むかしむかし》、｜山奥《やまおく》の村に《《不思議》》な老人《ろうじん》が"
              "住んでいた。第12話で彼は東京《とうきょう》へ行き、物語《ものがたり》を語った!?\r\n"
            : "昔々、山奥の村に不思議な老人が住んでいた。第12話で彼は東京へ行き、物語を語った!?"
              "\r\n";
    QByteArray text;
    for (int i = 0; i < 2000; ++i) {
        text += paragraph;
    }
    return text;
}

// A novel of about 600 KB in Shift_JIS as the public-domain ones come, dense with ruby: a
// reading over a word of one to three kanji every few characters (about 36,000 of them), some
// with the bar; or the same novel as read, without the notation. Deterministic.
QByteArray RubyNovel(bool notation) {
    const std::vector<std::pair<const char*, const char*>> words = {
        {"雨", "あめ"},       {"硝子", "がらす"},     {"微笑", "ほほえ"},   {"瞼", "まぶた"},
        {"黄昏", "たそがれ"}, {"囁", "ささや"},       {"躊躇", "ためら"},   {"眩暈", "めまい"},
        {"縁側", "えんがわ"}, {"行燈", "あんどん"},   {"襖", "ふすま"},     {"簪", "かんざし"},
        {"紫陽花", "あじさい"}, {"蜻蛉", "とんぼ"},   {"咳", "せき"},       {"頷", "うなず"}};
    const std::vector<const char*> between = {"は", "に", "を", "が", "の", "と", "て", "、",
                                              "た。", "も", "で", "から"};
    unsigned seed = 7;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    std::string text;
    int in_paragraph = 0;
    while (text.size() < 600 * 1024 * 3 / 2) {  // UTF-8 of about 600 KB of Shift_JIS
        const auto& [base, ruby] = words[next() % words.size()];
        if (notation) {
            text += next() % 4 == 0 ? std::string("｜") + base : std::string(base);
            text += std::string("《") + ruby + "》";
        } else {
            text += base;
        }
        text += between[next() % between.size()];
        if (++in_paragraph == 40) {
            text += "\r\n";
            in_paragraph = 0;
        }
    }
    const std::optional<std::string> sjis = folix::EncodeCp932(text);
    return sjis ? QByteArray::fromStdString(*sjis) : QByteArray();
}

// The text of about a megabyte of RTF as the rich-text files of a book hold it, each character
// written as its code, a paragraph a line; or the same text as a plain file.
QByteArray RichOrPlain(bool rich) {
    const QString paragraph = QString::fromUtf8(
        "朝の庭に出ると、梅の木の枝に小さな鳥がとまっていた。「おはよう」と声をかけると、"
        "鳥は首をかしげてこちらを見た。");
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0 Noto Serif CJK JP;}}\\f0\\fs21\r\n";
    QByteArray plain;
    while (rtf.size() < 1024 * 1024) {
        for (const QChar c : paragraph) {
            rtf += "\\u" + QByteArray::number(static_cast<short>(c.unicode())) + "?";
        }
        rtf += "\\par\r\n";
        plain += paragraph.toUtf8() + "\r\n";
    }
    rtf += "}";
    return rich ? rtf : plain;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct VerticalFigures {
    std::vector<double> opening, switching, typing, scrolling;
};

// Opening a chapter, switching it to vertical writing, typing in the middle of it and
// scrolling through it a page at a time, each followed by a repaint.
void MeasureVertical(const QString& path, folix::Ui& ui, folix::Desktop& desktop,
                     folix::Profile& profile, VerticalFigures& figures) {
    folix::gui::CChildFrame child(ui, desktop, profile);
    child.resize(1000, 700);
    child.show();
    QApplication::processEvents();
    figures.opening.push_back(Milliseconds([&] {
        child.Open(path.toStdString());
        child.ShownEditor().repaint();
    }));
    figures.switching.push_back(Milliseconds([&] {
        child.ToggleVertical();
        child.ShownEditor().repaint();
    }));
    folix::gui::CFolixView& editor = child.Editor();
    folix::gui::VerticalView& down = child.VerticalEditor();
    figures.typing.push_back(TypeAt(editor.document()->characterCount() / 2, down, *down.viewport(),
                                    editor.textCursor(),
                                    [&](const QTextCursor& c) { editor.setTextCursor(c); }));
    QScrollBar* bar = down.horizontalScrollBar();
    constexpr int kPages = 30;
    figures.scrolling.push_back(Milliseconds([&] {
                                    for (int page = 0; page < kPages; ++page) {
                                        bar->setValue(bar->value() + bar->pageStep());
                                        down.viewport()->repaint();
                                    }
                                }) /
                                kPages);
    editor.document()->setModified(false);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir dir;
    const QString path = dir.filePath("novel.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(NovelText(megabytes)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    folix::gui::QtUi ui;
    folix::gui::QtDesktop desktop;
    folix::gui::QtProfile profile(dir.filePath("profile.ini"));

    std::vector<double> open, open_plain, type, type_plain, vertical, vertical_plain, type_vertical;
    for (int run = 0; run < kRuns; ++run) {
        // The window's editor pane: the document opens the file and fills the editor.
        folix::gui::CChildFrame child(ui, desktop, profile);
        child.resize(1000, 700);
        child.show();
        QApplication::processEvents();
        open.push_back(Milliseconds([&] {
            child.Open(path.toStdString());
            child.ShownEditor().repaint();
        }));
        // The status bar's count of the whole file runs once the file is shown; typing is then
        // timed with the live count keeping up with every key.
        QApplication::processEvents();
        folix::gui::CFolixView& editor = child.Editor();
        type.push_back(TypeAt(0, *editor.TextWidget().viewport(), *editor.TextWidget().viewport(),
                              editor.textCursor(),
                              [&](const QTextCursor& c) { editor.setTextCursor(c); }));
        vertical.push_back(Milliseconds([&] {
            child.ToggleVertical();
            child.ShownEditor().repaint();
        }));
        folix::gui::VerticalView& down = child.VerticalEditor();
        type_vertical.push_back(TypeAt(0, down, *down.viewport(), editor.textCursor(),
                                       [&](const QTextCursor& c) { editor.setTextCursor(c); }));
        child.Editor().document()->setModified(false);

        // The plain widget: the same file read, decoded and shown.
        QPlainTextEdit plain;
        plain.resize(1000, 700);
        plain.show();
        QApplication::processEvents();
        open_plain.push_back(Milliseconds([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            plain.setPlainText(QString::fromUtf8(file.readAll()));
            plain.viewport()->repaint();
        }));
        type_plain.push_back(TypeAt(0, *plain.viewport(), *plain.viewport(), plain.textCursor(),
                                    [&](const QTextCursor& c) { plain.setTextCursor(c); }));
        // Its nearest to a change of writing direction: every line laid out anew to a new width.
        vertical_plain.push_back(Milliseconds([&] {
            plain.setLineWrapMode(QPlainTextEdit::NoWrap);
            plain.viewport()->repaint();
        }));
    }
    // The notation's figures: a chapter full of ruby against the same chapter as read.
    const QString ruby_path = dir.filePath("ruby.txt");
    const QString read_path = dir.filePath("read.txt");
    for (const auto& [file, notation] : {std::pair{ruby_path, true}, std::pair{read_path, false}}) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(RubyChapter(notation)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    VerticalFigures ruby, read;
    for (int run = 0; run < kRuns; ++run) {
        MeasureVertical(ruby_path, ui, desktop, profile, ruby);
        MeasureVertical(read_path, ui, desktop, profile, read);
    }
    // A real novel's size and density of ruby, in Shift_JIS, against the same novel as read.
    const QString novel_path = dir.filePath("novel-ruby.txt");
    const QString novel_read_path = dir.filePath("novel-read.txt");
    if (!WriteFile(novel_path, RubyNovel(true)) || !WriteFile(novel_read_path, RubyNovel(false))) {
        return 1;
    }
    VerticalFigures novel, novel_read;
    for (int run = 0; run < kRuns; ++run) {
        MeasureVertical(novel_path, ui, desktop, profile, novel);
        MeasureVertical(novel_read_path, ui, desktop, profile, novel_read);
    }
    // Typing in the middle of a megabyte of RTF against the same text as a plain file.
    const QString rich_path = dir.filePath("rich.txt");
    const QString plain_path = dir.filePath("plain.txt");
    if (!WriteFile(rich_path, RichOrPlain(true)) || !WriteFile(plain_path, RichOrPlain(false))) {
        return 1;
    }
    std::vector<double> type_rich, type_plain_file;
    for (int run = 0; run < kRuns; ++run) {
        for (const auto& [file, typed] :
             {std::pair{rich_path, &type_rich}, std::pair{plain_path, &type_plain_file}}) {
            folix::gui::CChildFrame child(ui, desktop, profile);
            child.resize(1000, 700);
            child.show();
            QApplication::processEvents();
            child.Open(file.toStdString());
            child.ShownEditor().repaint();
            QApplication::processEvents();
            folix::gui::CFolixView& editor = child.Editor();
            if (editor.HoldsRichText() != (file == rich_path)) {
                std::fprintf(stderr, "%s opened in the wrong widget\n", qPrintable(file));
                return 1;
            }
            typed->push_back(TypeAt(editor.document()->characterCount() / 2,
                                    *editor.TextWidget().viewport(),
                                    *editor.TextWidget().viewport(), editor.textCursor(),
                                    [&](const QTextCursor& c) { editor.setTextCursor(c); }));
            editor.document()->setModified(false);
        }
    }

    const std::string open_figure = "open a " + std::to_string(megabytes) + " MB text file (ms)";
    Print(open_figure.c_str(), Median(open), Median(open_plain));
    Print("type at its start (ms a key)", Median(type), Median(type_plain));
    Print("switch it to vertical (ms)", Median(vertical), Median(vertical_plain));
    Print("type at its start, vertical (ms a key)", Median(type_vertical), Median(type_plain));
    Print("ruby chapter: switch (ms) vs read", Median(ruby.switching), Median(read.switching));
    Print("ruby chapter: type (ms a key) vs read", Median(ruby.typing), Median(read.typing));
    Print("ruby chapter: scroll (ms/page) vs read", Median(ruby.scrolling), Median(read.scrolling));
    Print("ruby novel, 600 KB SJIS: open (ms)", Median(novel.opening),
          Median(novel_read.opening));
    Print("ruby novel: switch to vertical (ms)", Median(novel.switching),
          Median(novel_read.switching));
    Print("ruby novel: type at middle (ms a key)", Median(novel.typing), Median(novel_read.typing));
    Print("ruby novel: page down (ms/page)", Median(novel.scrolling), Median(novel_read.scrolling));
    Print("RTF 1 MB: type (ms a key) vs plain", Median(type_rich), Median(type_plain_file));
    return 0;
}
