#include "settings/options.h"

namespace quillet {

CodePage Options::openingCodePage() const {
    if (TextDos)
        return CodeDos;
    if (TextKoi)
        return CodeKoi;
    return CodeWindows;
}

void Options::selectOpeningCodePage(CodePage codePage) {
    TextWindows = codePage == CodeWindows;
    TextDos = codePage == CodeDos;
    TextKoi = codePage == CodeKoi;
    UserChangeOptions = true;
}

ToolTipChoice Options::toolTipChoice() const {
    if (TextInf)
        return ToolTipChoice::Describe;
    if (NoToolTip)
        return ToolTipChoice::Hide;
    return ToolTipChoice::Neither;
}

void Options::chooseToolTips(ToolTipChoice mode) {
    TextInf = mode == ToolTipChoice::Describe;
    NoToolTip = mode == ToolTipChoice::Hide;
    UserChangeOptions = true;
}

void Options::toggle(bool Options::*option) {
    this->*option = !(this->*option);
    UserChangeOptions = true;
}

} // namespace quillet
