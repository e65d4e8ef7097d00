// The recovery copy of unsaved text: what it costs to take the text (on the
// window's thread, after typing pauses: whole, as the end of the session takes
// it, and in slices, as a pause in typing does, with the longest slice the window
// waits for) and to write the copy (on the writer's thread), for documents of 1,
// 10 and 100 MB of short lines and of 100 MB of long ones; and the time a
// keystroke takes in the editor while a copy of 100 MB is being written beside it.

#include "documents/document_state.h"
#include "editing/textblock.h"
#include "session/recovery_copy.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace quillet;

// Lines of some fifty characters, or (longLines) of some four thousand, just
// short of the length at which a line is cut for display.
QString documentOf(qsizetype megabytes, bool longLines = false) {
    const QString words = QStringLiteral("строка несохранённого текста, которую пишут в копию");
    const QString line = (longLines ? (words + u' ').repeated(78) : words) + QStringLiteral("\r\n");
    return line.repeated(megabytes * 1024 * 1024 / line.size());
}

struct Document {
    explicit Document(qsizetype megabytes, bool longLines = false) {
        editor.setText(documentOf(megabytes, longLines));
        doc.TextChange = true;
    }
    TextBlock editor;
    DocumentState doc;
};

// Arguments: megabytes, and 1 for long lines.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({1, 0})->Args({10, 0})->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);
}

void TakeTheText(benchmark::State& state) {
    Document d(state.range(0), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(d.editor.text());
}
BENCHMARK(TakeTheText)->Apply(Sizes);

// The time is the sum of the slices (the window's share of the take, its start
// and the hand-over to the writer included); longest_slice_ms is the longest the
// window waited for one of them over all the takes.
void TakeTheTextInSlices(benchmark::State& state) {
    Document d(state.range(0), state.range(1) != 0);
    QTemporaryDir dir;
    double longest = 0;
    int slices = 0;
    for (auto _ : state) {
        RecoveryCopy copy(d.editor, d.doc, dir.path());
        double total = 0;
        slices = 0;
        const auto timed = [&](auto step) {
            const auto start = std::chrono::steady_clock::now();
            step();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            total += took.count();
            longest = std::max(longest, took.count());
            ++slices;
        };
        timed([&] { copy.beginTake(); }); // the end of the pause: room for the whole text
        while (copy.taking())
            timed([&] { copy.takeSlice(); });
        state.SetIterationTime(total);
    } // the copy waits for its writer
    state.counters["longest_slice_ms"] = longest * 1000;
    state.counters["slices"] = slices;
}
BENCHMARK(TakeTheTextInSlices)->Apply(Sizes)->UseManualTime();

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
