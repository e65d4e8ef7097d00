#pragma once

// The program's arguments as the shell hands them over, turned into the one
// argument text the start-up works on: a document path, optionally followed by a
// space and one switch (" /P", " /A", " /L").

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace quillet {

struct CommandLine {
    // The document path, with its switch after a space when one was given.
    QString argumentText;
    // Further document names given after the first: the program edits one
    // document at a time, so these are not opened (and the user is told).
    QStringList notOpened;
    // The document's name is not valid UTF-8 (for instance a name in
    // Windows-1251 bytes from an old archive). Such a name cannot be handed to
    // the file functions, so the file is not opened; argumentText then shows the
    // name readably, its undecodable parts taken as Windows-1251.
    bool nameUndecodable = false;
};

// Builds the argument text from the arguments (the program's own path and
// Qt's options already removed). The last argument is the switch when it is
// "/P", "/A" or "/L" in either case and something comes before it. Of the
// remaining arguments the first is the document; when it names no file but all
// of them joined by spaces do, they are one path typed without quotes. A file
// URI ("file:///path", "file://localhost/path", percent-encoded) stands for the
// path it names. Empty arguments are skipped. isFile tells whether a path names
// an existing file.
CommandLine readCommandLine(const QList<QByteArray>& arguments,
                            const std::function<bool(const QString&)>& isFile);

// A file name's bytes as text: each part between separators as UTF-8 where it
// is valid UTF-8, and as Windows-1251 where it is not.
QString readableFileName(const QByteArray& bytes);
bool isValidUtf8(const QByteArray& bytes);

// The notice about the documents that were not opened.
QString notOpenedNotice(const QStringList& names);
// What the start-up does with the document the argument text names.
enum class StartupSwitch {
    None,
    Print,       // " /P": open, then print
    NoSizeCheck, // " /A": open without the question about a large file
    TimeStamp,   // " /L": open, then append the time and date
};
struct StartupDocument {
    // Whether the argument text names a document at all (three characters or more).
    bool named = false;
    QString path;
    StartupSwitch action = StartupSwitch::None;
};
// The document path and its switch from the argument text: a path quoted with a
// drive letter loses its quotes, and a switch at the end is taken off.
StartupDocument startupDocument(const QString& argumentText);

} // namespace quillet
