// The floor Quillet is measured against: the least a Qt 6 program does to show a
// text file. A main window holding a plain-text editor; the file named on the
// command line is read whole, decoded as Windows-1251 (CR LF read as LF), put
// into the editor with setPlainText, and the window is shown.

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStringDecoder>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* editor = new QPlainTextEdit(&window);
    window.setCentralWidget(editor);
    window.resize(700, 570);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QByteArray bytes = file.readAll();
            QStringDecoder decoder("windows-1251");
            editor->setPlainText(decoder.isValid() ? QString(decoder(bytes))
                                                   : QString::fromLatin1(bytes));
        }
    }
    window.setWindowTitle(QStringLiteral("minimal"));
    window.show();
    return app.exec();
}
