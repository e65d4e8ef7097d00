#pragma once

// What the Format menu's choices make of the editor's font and of the
// alignment buttons' pictures.

#include "platform/platform.h"

#include <QColor>
#include <QFont>

namespace quillet {

// The font dialog's starting state: the editor's font and text colour.
FontChoice fontChoiceOf(const QFont& font, const QColor& textColor);

// The editor's font after the font dialog: a value the editor cannot take (no
// name, no size) keeps what the font has; everything else is the choice's.
QFont fontAfterChoice(QFont font, const FontChoice& choice);

// The pictures of the three alignment buttons for an alignment code (0 left,
// 1 right, 2 centre): the active one's highlighted picture (13, 14, 15), the
// others their plain one (10, 11, 12). Pictures are numbered from 1.
struct AlignmentPictures {
    int left, centre, right;
};
AlignmentPictures alignmentPictures(int code);

} // namespace quillet
