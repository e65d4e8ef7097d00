#pragma once

// Shared helpers of the search tests: driving the three windows through the
// scripted platform and reading what the error report recorded.

#include "support/harness.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <optional>

namespace quillet::test {

inline QLineEdit* field(QDialog& d, const char* name) {
    auto* f = d.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
}

inline QPushButton* button(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

inline QCheckBox* box(QDialog& d, const char* name) {
    auto* b = d.findChild<QCheckBox*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// The window is still open: nothing has closed it with done().
inline bool stillOpen(QDialog& d) {
    return d.result() == -1;
}

// The number and window name of the failure the report holds, if any.
struct Reported {
    int number = 0;
    QString form;
};

inline std::optional<Reported> reportedFailure(Harness& h) {
    const QString report = errorReport(h);
    if (report.isEmpty())
        return std::nullopt;
    Reported r;
    for (const QString& line : report.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1String("Error Number=")))
            r.number = line.mid(13).toInt();
        else if (line.startsWith(QLatin1String("Current Form=")))
            r.form = line.mid(13);
    }
    return r;
}

// A document with the caret at pos.
inline void setDocument(Harness& h, const QString& text, int caret = 0) {
    h->textBlock()->setText(text);
    h->textBlock()->setSelection(caret, caret);
}

struct Selection {
    int start;
    int length;
    bool operator==(const Selection&) const = default;
};

inline Selection selectionOf(Harness& h) {
    return {h->textBlock()->selStart(), h->textBlock()->selLength()};
}

inline void PrintTo(const Selection& s, std::ostream* os) {
    *os << "(" << s.start << ", " << s.length << ")";
}

} // namespace quillet::test
