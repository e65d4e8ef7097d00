#include "documents/document_state.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(DocumentState, ReadingRecordsTheCodePageAndFormatAndANewDocumentForgetsThem) {
    const FileFormat utf8Lf{TextEncoding::Utf8, LineBreak::Lf, LineBreak::Lf};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = 5;
    for (const CodePage page : {CodeWindows, CodeDos, CodeKoi}) {
        DocumentState d;
        d.declinedStamp = stamp;
        d.readFrom(page, true, utf8Lf, stamp);
        EXPECT_EQ(d.ReadCodePage, page);
        EXPECT_EQ(d.format, utf8Lf);
        EXPECT_EQ(d.stamp, stamp);
        EXPECT_FALSE(d.declinedStamp.exists);
        d.clearToNew();
        EXPECT_EQ(d.ReadCodePage, CodeWindows);
        EXPECT_EQ(d.format, FileFormat{});
        EXPECT_FALSE(d.stamp.exists);
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
