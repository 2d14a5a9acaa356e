// Typing in the middle of a long chapter, in the horizontal editor and in the vertical view over
// the same text, each keystroke followed by a repaint of the window. Prints milliseconds per
// keystroke and the ratio; run it offscreen: QT_QPA_PLATFORM=offscreen
// build/bench/vertical_typing_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextCursor>

#include <cstdio>

#include "gui/editor/editor_view.h"
#include "gui/editor/vertical_view.h"

namespace {

constexpr int kPages = 300;
constexpr int kParagraphsPerPage = 12;
constexpr int kKeystrokes = 200;

QString Chapter() {
    const QString paragraph =
        "朝の庭に出ると、梅の木の枝に小さな鳥がとまっていた。「おはよう」と声をかけると、"
        "鳥は首をかしげてこちらを見た。Latinの名前もあるらしい。";
    QString text;
    for (int i = 0; i < kPages * kParagraphsPerPage; ++i) {
        text += paragraph + '\n';
    }
    return text;
}

double MillisecondsPerKey(QWidget& typed_into, QWidget& painted, folix::gui::CFolixView& editor) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(editor.document()->characterCount() / 2);
    editor.setTextCursor(cursor);
    painted.repaint();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kKeystrokes; ++i) {
        const QString ch = i % 2 ? "縦" : "書";
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, ch);
        QApplication::sendEvent(&typed_into, &press);
        painted.repaint();
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / kKeystrokes;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString text = Chapter();

    folix::gui::CFolixView horizontal;
    horizontal.setReadOnly(false);
    horizontal.SetPlainFileText(text);
    horizontal.resize(900, 700);
    horizontal.show();
    QApplication::processEvents();
    const double across = MillisecondsPerKey(horizontal.TextWidget(),
                                             *horizontal.TextWidget().viewport(), horizontal);

    folix::gui::CFolixView shared;
    shared.setReadOnly(false);
    shared.SetPlainFileText(text);
    folix::gui::VerticalView vertical(shared);
    vertical.resize(900, 700);
    vertical.show();
    QApplication::processEvents();
    const double down = MillisecondsPerKey(vertical, *vertical.viewport(), shared);

    std::printf("%d characters, %d keystrokes\n", static_cast<int>(text.size()), kKeystrokes);
    std::printf("horizontal editor: %.3f ms a keystroke\n", across);
    std::printf("vertical view:     %.3f ms a keystroke\n", down);
    std::printf("ratio vertical / horizontal: %.2f\n", down / across);
    return 0;
}
