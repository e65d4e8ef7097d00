#pragma once

// A loaded main window over the scripted platform, with a temporary folder for the
// documents a test opens and saves.

#include "documents/cp1251.h"
#include "platform/failure.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace quillet::test {

class DocumentTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Harness h;

    void SetUp() override { h.load(); }
    void TearDown() override { EXPECT_EQ(h.platform.unusedAnswers(), 0); }

    FrmMain& w() { return *h.window; }
    QString path(const QString& name) const { return dir.filePath(name); }

    // A file with these bytes, opened through the Open dialog.
    QString openFile(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        writeFile(p, bytes);
        h.platform.answerOpen(p);
        w().mnuOpen_Click();
        return p;
    }
    // The document becomes a named document of an existing file with this text.
    QString openText(const QString& name, const QString& text) {
        const QString p = openFile(name, QByteArray("seed"));
        w().textBlock()->setText(text);
        return p;
    }
    // Types text at the caret, as the user would (one edit, change notification).
    void type(const QString& text) { w().textBlock()->replaceSelection(text); }

    int count(const char* kind) const {
        int n = 0;
        for (const Shown& s : h.platform.shown)
            n += s.kind == QLatin1String(kind);
        return n;
    }
    const Shown* last(const char* kind) const {
        for (auto it = h.platform.shown.rbegin(); it != h.platform.shown.rend(); ++it) {
            if (it->kind == QLatin1String(kind))
                return &*it;
        }
        return nullptr;
    }
    QString caption() { return w().windowTitle(); }
};

inline QByteArray bytes(const QString& text) {
    return encodeCp1251(text);
}

} // namespace quillet::test
