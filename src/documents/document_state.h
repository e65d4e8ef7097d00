#pragma once

// What the window knows about the document in the editor: which file it stands
// for, whether that file may be overwritten, and whether the text changed since
// it was read or written. The operations below move all the flags together, so
// no caller can leave them half updated.

#include "documents/file_format.h"
#include "documents/file_stamp.h"
#include "documents/mdl_code.h"

#include <QString>

namespace quillet {

struct DocumentState {
    // The document is tied to CommonFileName: Save writes there without asking.
    bool FileExist = false;
    // The text differs from what was last read or written.
    bool TextChange = false;
    // An untitled document that was never read from nor written to a file.
    bool NewDoc = false;
    // The full path of the document's file (empty for a new document).
    QString CommonFileName;
    // The name shown in the caption and the questions.
    QString FileNameOnly;
    // The document offered under File > Последний документ.
    QString RecentFileString;
    // The last load stopped at the size question: the editor holds only the
    // beginning of the file, which must not overwrite the whole.
    bool LoadedInPart = false;
    // The code page the document's file was read with.
    CodePage ReadCodePage = CodeWindows;
    // How the text is written: the encoding and line breaks of the file it was
    // read from (Save As keeps them), Windows-1251 with CR LF for a new one.
    FileFormat format;
    // The file as the document last read or wrote it: anything else on disk was
    // changed by another program.
    FileStamp stamp;
    // A change on disk the user chose not to load: not asked about again.
    FileStamp declinedStamp;

    // The document was read from path (wholly or, with LoadedInPart, in part)
    // with the given code page: named, unmodified, and tied to the file unless
    // only part of it was read.
    void tieToFile(const QString& path);
    // The document was read from a file: records the code page, how much of the
    // file the editor holds, its format and what the file was.
    void readFrom(CodePage codePage, bool whole, const FileFormat& fileFormat,
                  const FileStamp& fileStamp);
    // The text was written to the file it is tied to.
    void savedInPlace();
    // The text was written, whole, to path: the document now stands for it.
    void savedAs(const QString& path);
    // The editor was emptied for a new, untitled document.
    void clearToNew();
    // The editor's text changed; hasText: whether any text is left. Emptying an
    // untitled document brings it back to new; emptying a named document is a
    // change to that file.
    void textEdited(bool hasText);
    // Save goes to the tied file; otherwise it must ask for a name.
    bool savesInPlace() const { return FileExist; }
    // Closing or replacing the document must ask about its changes first.
    bool needsSaveQuestion() const { return TextChange; }
};

} // namespace quillet
