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
#include <string>
#include <vector>

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

struct VerticalFigures {
    std::vector<double> switching, typing, scrolling;
};

// Switching a chapter to vertical writing, typing in the middle of it and scrolling through it
// a page at a time, each followed by a repaint.
void MeasureVertical(const QString& path, folix::Ui& ui, folix::Desktop& desktop,
                     folix::Profile& profile, VerticalFigures& figures) {
    folix::gui::CChildFrame child(ui, desktop, profile);
    child.resize(1000, 700);
    child.show();
    QApplication::processEvents();
    child.Open(path.toStdString());
    child.ShownEditor().repaint();
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

    const std::string open_figure = "open a " + std::to_string(megabytes) + " MB text file (ms)";
    Print(open_figure.c_str(), Median(open), Median(open_plain));
    Print("type at its start (ms a key)", Median(type), Median(type_plain));
    Print("switch it to vertical (ms)", Median(vertical), Median(vertical_plain));
    Print("type at its start, vertical (ms a key)", Median(type_vertical), Median(type_plain));
    Print("ruby chapter: switch (ms) vs read", Median(ruby.switching), Median(read.switching));
    Print("ruby chapter: type (ms a key) vs read", Median(ruby.typing), Median(read.typing));
    Print("ruby chapter: scroll (ms/page) vs read", Median(ruby.scrolling), Median(read.scrolling));
    return 0;
}
