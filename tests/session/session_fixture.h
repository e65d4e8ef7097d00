#pragma once

// The document session over the scripted platform, as the main window's loading
// leaves it: an untitled document in an empty editor and the options of an
// ordinary run; with a temporary folder for the documents a test opens and saves.

#include "documents/cp1251.h"
#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/program_constants.h"
#include "session/document_session.h"
#include "settings/options.h"
#include "support/files.h"
#include "support/recording_failures.h"
#include "support/scripted_platform.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quillet::test {

// The session and what it works on, over a platform the test owns. The caption
// follows the names the session announces.
class SessionParts {
public:
    explicit SessionParts(ScriptedPlatform& platform)
        : editor(*new TextBlock(&owner)),
          session(*new DocumentSession(platform, editor, options, failures, &owner)) {
        QObject::connect(&session, &DocumentSession::nameChanged,
                         [this](const QString& shown) { name = shown; });
        session.state().NewDoc = true;
        name = session.UpdateDocumentName();
    }
    Options options;
    RecordingFailures failures;
    QWidget owner;
    TextBlock& editor;
    DocumentSession& session;
    QString name;

    QString caption() const { return name + CaptionSuffix; }
};

class SessionTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<SessionParts> parts = std::make_unique<SessionParts>(platform);

    void TearDown() override { EXPECT_EQ(platform.unusedAnswers(), 0); }

    // A fresh session over the same platform, as a newly started window has.
    void restart() { parts = std::make_unique<SessionParts>(platform); }

    DocumentSession& session() { return parts->session; }
    DocumentState& doc() { return parts->session.state(); }
    TextBlock& editor() { return parts->editor; }
    Options& options() { return parts->options; }
    const RecordingFailures& failures() const { return parts->failures; }
    QString caption() const { return parts->caption(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // A file with these bytes, opened through the Open dialog.
    QString openFile(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        writeFile(p, bytes);
        platform.answerOpen(p);
        session().Open();
        return p;
    }
    // The document becomes a named document of an existing file with this text.
    QString openText(const QString& name, const QString& text) {
        const QString p = openFile(name, QByteArray("seed"));
        editor().setText(text);
        return p;
    }
    // Types text at the caret, as the user would (one edit, change notification).
    void type(const QString& text) { editor().replaceSelection(text); }

    int count(const char* kind) const {
        int n = 0;
        for (const Shown& s : platform.shown)
            n += s.kind == QLatin1String(kind);
        return n;
    }
    const Shown* last(const char* kind) const {
        for (auto it = platform.shown.rbegin(); it != platform.shown.rend(); ++it) {
            if (it->kind == QLatin1String(kind))
                return &*it;
        }
        return nullptr;
    }
};

inline QByteArray bytes(const QString& text) {
    return encodeCp1251(text);
}

} // namespace quillet::test
