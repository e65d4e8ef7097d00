#pragma once

#include <QIcon>
#include <QVector>

namespace quillet {

// The fifteen toolbar pictures, 16x16 at their natural size and drawn by the
// program itself at whatever size and pixel density they are shown, in the order
// NewBtn, OpenBtn, SaveBtn, PrintBtn, CutBtn, CopyBtn, PasteBtn, FindBtn,
// CopyAllBtn, LeftBtn, CenterBtn, RightBtn, LeftBtn2, CenterBtn2, RightBtn2
// (the last three are the highlighted alignment pictures).
QVector<QIcon> makeToolbarImages();

} // namespace quillet
