#include "documents/document_state.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

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
