// The anchor of the window's start and memory: a bare QMainWindow holding a QTreeView of the
// book folder's names beside a QPlainTextEdit, started as the window program is and doing what
// its screenshot run does on the same clock: shown, half a second later the file read into the
// editor, half a second after that the window grabbed into a PNG, then quit.
//
//   QT_QPA_PLATFORM=offscreen bare_window FOLDER FILE PNG
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4) {
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    const QString png = QString::fromLocal8Bit(argv[3]);

    QMainWindow window;
    auto* splitter = new QSplitter(&window);
    auto* tree = new QTreeView(splitter);
    auto* editor = new QPlainTextEdit(splitter);
    QStandardItemModel model;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        model.appendRow(new QStandardItem(name));
    }
    tree->setModel(&model);
    window.setCentralWidget(splitter);
    window.resize(1200, 760);
    window.show();
    QTimer::singleShot(500, &window, [&] {
        QFile in(file);
        if (in.open(QIODevice::ReadOnly)) {
            editor->setPlainText(QString::fromUtf8(in.readAll()));
        }
        QTimer::singleShot(500, &window, [&] {
            window.grab().save(png);
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
