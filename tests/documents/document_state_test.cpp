#include "documents/document_state.h"

#include <gtest/gtest.h>

#include <functional>

namespace quillet {
namespace {

// The flags that decide saving and the questions, compared at once.
struct Flags {
    bool fileExist, textChange, newDoc, loadedInPart;
    bool operator==(const Flags&) const = default;
};

Flags flagsOf(const DocumentState& d) {
    return {d.FileExist, d.TextChange, d.NewDoc, d.LoadedInPart};
}

void PrintTo(const Flags& f, std::ostream* os) {
    *os << "{exist " << f.fileExist << ", changed " << f.textChange << ", new " << f.newDoc
        << ", part " << f.loadedInPart << "}";
}

// A document that is named, changed and read only in part: every operation
// below has something to change.
DocumentState changedPartialDocument() {
    DocumentState d;
    d.CommonFileName = QStringLiteral("/home/u/old.txt");
    d.RecentFileString = QStringLiteral("/home/u/recent.txt");
    d.FileExist = false;
    d.TextChange = true;
    d.NewDoc = false;
    d.LoadedInPart = true;
    d.ReadCodePage = CodeDos;
    return d;
}

TEST(DocumentState, EachOperationLeavesTheFlagsConsistent) {
    struct Case {
        const char* name;
        std::function<void(DocumentState&)> operation;
        Flags flags;
        QString fileName;
        QString recent;
    };
    const QString oldName = QStringLiteral("/home/u/old.txt");
    const QString oldRecent = QStringLiteral("/home/u/recent.txt");
    const QString other = QStringLiteral("/home/u/other.txt");
    const Case cases[] = {
        {"read whole, then tied",
         [&](DocumentState& d) {
             d.readFrom(CodeKoi, true);
             d.tieToFile(other);
         },
         {true, false, false, false},
         other,
         oldRecent},
        {"read in part, then tied: not to be overwritten",
         [&](DocumentState& d) {
             d.readFrom(CodeWindows, false);
             d.tieToFile(other);
         },
         {false, false, false, true},
         other,
         oldRecent},
        {"saved in place: becomes the recent document",
         [](DocumentState& d) { d.savedInPlace(); },
         {false, false, false, true},
         oldName,
         oldName},
        {"saved as: the whole text is in the new file",
         [&](DocumentState& d) { d.savedAs(other); },
         {true, false, false, false},
         other,
         other},
        {"cleared to a new document: the recent one stays",
         [](DocumentState& d) { d.clearToNew(); },
         {false, false, true, false},
         oldName,
         oldRecent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentState d = changedPartialDocument();
        c.operation(d);
        EXPECT_EQ(flagsOf(d), c.flags);
        EXPECT_EQ(d.CommonFileName, c.fileName);
        EXPECT_EQ(d.RecentFileString, c.recent);
        EXPECT_EQ(d.savesInPlace(), c.flags.fileExist);
        EXPECT_EQ(d.needsSaveQuestion(), c.flags.textChange);
    }
}

TEST(DocumentState, ReadingRecordsTheCodePageAndANewDocumentForgetsIt) {
    for (const CodePage page : {CodeWindows, CodeDos, CodeKoi}) {
        DocumentState d;
        d.readFrom(page, true);
        EXPECT_EQ(d.ReadCodePage, page);
        d.clearToNew();
        EXPECT_EQ(d.ReadCodePage, CodeWindows);
    }
}

TEST(DocumentState, AnEditIsAChangeUnlessItEmptiesAnUntitledDocument) {
    struct Case {
        bool newDoc;
        bool changedBefore;
        bool hasText;
        bool changed;
    };
    const Case cases[] = {
        {true, false, true, true},  {true, true, false, false}, {false, false, false, true},
        {false, false, true, true}, {false, true, false, true}, {true, true, true, true},
    };
    for (const Case& c : cases) {
        DocumentState d;
        d.NewDoc = c.newDoc;
        d.TextChange = c.changedBefore;
        d.textEdited(c.hasText);
        EXPECT_EQ(d.TextChange, c.changed)
            << "new " << c.newDoc << " before " << c.changedBefore << " text " << c.hasText;
    }
}

} // namespace
} // namespace quillet
