#include "search/frm_find.h"

#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillet {

FrmFind::FrmFind(const EditorWindow& owner, const SearchMemory& memory)
    : SearchDialog(owner, memory, QStringLiteral("FrmFind"), QStringLiteral("Поиск текста"),
                   QStringLiteral("Найти что:"), QStringLiteral("&Найти")) {
    Check1 = new QCheckBox(QStringLiteral("&Только слово целиком"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QStringLiteral("&С учётом регистра"), this);
    Check2->setObjectName(QStringLiteral("Check2"));

    fixClientAreaInTwips(this, 5175, 1575);
    placeInTwips(Label1, 120, 240, 855, 255);
    placeInTwips(TF1, 1080, 240, 3975, 285);
    placeInTwips(Check1, 120, 720, 2055, 255);
    placeInTwips(Check2, 120, 1080, 1815, 255);
    placeInTwips(Command1, 2520, 1080, 1215, 375);
    placeInTwips(Command2, 3840, 1080, 1215, 375);
    fitCaptionsToFont(this);

    setTabOrder(TF1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Check1);
    setTabOrder(Check1, Check2);

    connect(Check1, &QCheckBox::toggled, this, &FrmFind::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &FrmFind::Check2_Click);

    Form_Load();
    TF1->setFocus();
}

void FrmFind::Form_Load() {
    Check1->setChecked(memory_.CheckFindFlag1 == 1);
    Check2->setChecked(memory_.CheckFindFlag2 == 1);
    UpdateFindOptions();
    loadSearchText();
    TF1->selectAll();
}

void FrmFind::UpdateFindOptions() {
    SearchOptions.wholeWord = Check1->isChecked();
    SearchOptions.matchCase = Check2->isChecked();
}

void FrmFind::actOnHit(int pos) {
    const int end = pos + static_cast<int>(SearchText.size());
    owner_.editor.setSelection(pos, end);
    owner_.editor.scrollCaret();
    position_ = end;
    accept();
}

FindChoice FrmFind::choice() const {
    return {TF1->text(), Check1->isChecked(), Check2->isChecked(), position_};
}

} // namespace quillet
