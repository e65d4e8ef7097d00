#pragma once

#include <QIcon>
#include <QVector>

namespace quillet {

// The fifteen 16x16 toolbar pictures, drawn by the program itself, in the order
// NewBtn, OpenBtn, SaveBtn, PrintBtn, CutBtn, CopyBtn, PasteBtn, FindBtn,
// CopyAllBtn, LeftBtn, CenterBtn, RightBtn, LeftBtn2, CenterBtn2, RightBtn2
// (the last three are the highlighted alignment pictures).
QVector<QIcon> makeToolbarImages();

} // namespace quillet
