#pragma once

// The document's display name: what the caption and the unsaved-changes question
// call the open document, and whether its extension is one of the known text types.

#include <QString>

#include <optional>

namespace quillet {

// Longest display name, and longest name inside the parentheses of an unknown type.
constexpr int DisplayNameLength = 40;
constexpr int UnknownTypeNameLength = 20;

inline const QString UntitledName = QStringLiteral("Новый документ");
inline const QString UnknownTypeName = QStringLiteral("Неопознанный файл");

// The text cut to maxLength characters, ending in "...", when it is longer; empty
// for an empty text or a maxLength of 3 or less; otherwise the text unchanged.
QString ShortenText(const QString& text, int maxLength);

// The name of the file without its folders.
QString fileNamePart(const QString& path);

// Whether the last four characters of the path, upper-cased, are one of ".TXT",
// ".LOG", ".INI", ".INF", ".DAT".
bool isKnownTextType(const QString& path);

struct DocumentName {
    QString display;
    // Set only when the file-type filter judged the file; otherwise the known-type
    // flag keeps its previous value.
    std::optional<bool> knownType;
};

// The display name of the document at path. Untitled documents (newDoc, or no
// path) are "Новый документ". With the file-type filter on, a known type is shown
// without its extension and any other file as "Неопознанный файл (name)".
DocumentName documentDisplayName(const QString& path, bool newDoc, bool limitFileType);

// The folder the Open and Save As dialogs start in: the current document's
// folder when the document has a file; for an untitled document the folder of
// the recent document, if there is one; otherwise the home folder.
QString DialogStartFolder(bool untitled, const QString& documentPath, const QString& recentPath,
                          const QString& home);

} // namespace quillet
