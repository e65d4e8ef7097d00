#include "documents/document_state.h"

namespace quillet {

void DocumentState::tieToFile(const QString& path) {
    CommonFileName = path;
    NewDoc = false;
    TextChange = false;
    FileExist = !LoadedInPart;
}

void DocumentState::readFrom(CodePage codePage, bool whole, const FileFormat& fileFormat,
                             const FileStamp& fileStamp) {
    ReadCodePage = codePage;
    LoadedInPart = !whole;
    format = fileFormat;
    stamp = fileStamp;
    declinedStamp = {};
}

void DocumentState::savedInPlace() {
    NewDoc = false;
    TextChange = false;
    RecentFileString = CommonFileName;
}

void DocumentState::savedAs(const QString& path) {
    CommonFileName = path;
    RecentFileString = path;
    NewDoc = false;
    TextChange = false;
    FileExist = true;
    // What was written is the whole text: the file may be overwritten again.
    LoadedInPart = false;
}

void DocumentState::clearToNew() {
    NewDoc = true;
    TextChange = false;
    FileExist = false;
    LoadedInPart = false;
    ReadCodePage = CodeWindows;
    format = {};
    stamp = declinedStamp = {};
}

void DocumentState::textEdited(bool hasText) {
    TextChange = hasText || !NewDoc;
}

} // namespace quillet
