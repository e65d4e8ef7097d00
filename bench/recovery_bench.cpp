// The recovery copy of unsaved text: what it costs to take the text (on the
// window's thread, after typing pauses) and to write the copy (on the writer's
// thread), for documents of 1, 10 and 100 MB; and the time a keystroke takes in
// the editor while a copy of 100 MB is being written beside it.

#include "documents/document_state.h"
#include "editing/textblock.h"
#include "session/recovery_copy.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

namespace {

using namespace quillet;

QString documentOf(qsizetype megabytes) {
    const QString line = QStringLiteral("строка несохранённого текста, которую пишут в копию\r\n");
    return line.repeated(megabytes * 1024 * 1024 / line.size());
}

struct Document {
    explicit Document(qsizetype megabytes) {
        editor.setText(documentOf(megabytes));
        doc.TextChange = true;
    }
    TextBlock editor;
    DocumentState doc;
};

void TakeTheText(benchmark::State& state) {
    Document d(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(d.editor.text());
}
BENCHMARK(TakeTheText)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void WriteTheCopy(benchmark::State& state) {
    Document d(state.range(0));
    QTemporaryDir dir;
    RecoveryCopy copy(d.editor, d.doc, dir.path());
    for (auto _ : state)
        copy.writeNow(); // the text taken, the record made, written and synced
    state.SetBytesProcessed(state.iterations() * state.range(0) * 1024 * 1024);
}
BENCHMARK(WriteTheCopy)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// A key typed into a 10 MB document; with range 1, while the writer's thread
// makes and writes a copy of 100 MB.
void KeystrokeWhileACopyIsWritten(benchmark::State& state) {
    Document d(10);
    d.editor.setSelStart(5 * 1024 * 1024);
    const QString big = documentOf(100);
    QTemporaryDir dir;
    std::atomic<bool> stop{false};
    std::thread writer;
    if (state.range(0) == 1) {
        writer = std::thread([&] {
            const RecoveredDocument document{QStringLiteral("big"), QString(), {}, big};
            while (!stop) {
                QFile file(dir.filePath(QStringLiteral("copy")));
                if (file.open(QIODevice::WriteOnly))
                    file.write(recoveryRecord(document));
            }
        });
    }
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&d.editor, &key);
    }
    stop = true;
    if (writer.joinable())
        writer.join();
}
BENCHMARK(KeystrokeWhileACopyIsWritten)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
