// A 10 MB document opens whole and quickly.

#include "documents/document_fixture.h"

#include <QElapsedTimer>

#include <cstdio>

namespace quillet::test {
namespace {

using LargeFile = DocumentTest;

TEST_F(LargeFile, TenMegabytesOpenWholeAndSaveBack) {
    // Lines of 80 Cyrillic and Latin bytes, CR LF, a lone LF now and then.
    QByteArray line;
    for (int i = 0; i < 80; ++i)
        line += static_cast<char>(i % 2 ? 0xC0 + i % 64 : 'a' + i % 26);
    QByteArray file;
    file.reserve(10 << 20);
    for (int i = 0; file.size() < (10 << 20); ++i)
        file += line + (i % 100 == 0 ? "\n" : "") + "\r\n";
    const QString p = path(QStringLiteral("big.txt"));
    writeFile(p, file);

    w().options().LenEn = false;
    w().ShowOptionsInMenus();
    QElapsedTimer timer;
    timer.start();
    h.platform.answerOpen(p);
    w().mnuOpen_Click();
    const qint64 openMs = timer.elapsed();
    std::printf("opening %lld bytes took %lld ms\n", static_cast<long long>(file.size()),
                static_cast<long long>(openMs));
    RecordProperty("open_ms", static_cast<int>(openMs));

    EXPECT_EQ(w().textBlock()->textLength(), file.size() - 2);
    EXPECT_TRUE(w().document().FileExist);

    timer.restart();
    w().document().TextChange = true;
    w().mnuSave_Click();
    std::printf("saving took %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_EQ(readFile(p), file);
    // Generous: a shared, busy machine must not make this fail.
    EXPECT_LT(openMs, 20000);
}

} // namespace
} // namespace quillet::test
