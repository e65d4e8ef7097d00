#include "search/frm_rewrite.h"

#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillet {

FrmRewrite::FrmRewrite(const EditorWindow& owner, const SearchMemory& memory)
    : SearchDialog(owner, memory, QStringLiteral("FrmRewrite"), QStringLiteral("Замена текста"),
                   QStringLiteral("Заменить что:"), QStringLiteral("&Заменить")) {
    Label2 = new QLabel(QStringLiteral("Заменить чем:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    TF2 = new QLineEdit(this);
    TF2->setObjectName(QStringLiteral("TF2"));
    Label2->setBuddy(TF2);
    Check1 = new QCheckBox(QStringLiteral("&С учётом регистра"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    fixClientAreaInTwips(this, 5295, 1695);
    placeInTwips(Label1, 120, 240, 1215, 255);
    placeInTwips(TF1, 1320, 240, 3855, 285);
    placeInTwips(Label2, 120, 600, 1215, 255);
    placeInTwips(TF2, 1320, 600, 3855, 285);
    placeInTwips(Check1, 120, 1200, 1815, 255);
    placeInTwips(Command1, 2640, 1200, 1215, 375);
    placeInTwips(Command2, 3960, 1200, 1215, 375);
    fitCaptionsToFont(this);

    setTabOrder(TF1, TF2);
    setTabOrder(TF2, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Check1);

    connect(Check1, &QCheckBox::toggled, this, &FrmRewrite::Check1_Click);

    Form_Load();
    TF1->setFocus();
}

void FrmRewrite::Form_Load() {
    Check1->setChecked(memory_.CheckReplaceFlag1 == 1);
    UpdateReplaceOptions();
    loadSearchText();
    TF2->setText(memory_.ReplaceTemp);
    TF1->selectAll();
}

void FrmRewrite::UpdateReplaceOptions() {
    // Replacing part of a word would damage it: whole words only, always.
    SearchOptions.wholeWord = true;
    SearchOptions.matchCase = Check1->isChecked();
}

void FrmRewrite::actOnHit(int pos) {
    const QString replacement = TF2->text();
    TextBlock& editor = owner_.editor;
    editor.setSelection(pos, pos + static_cast<int>(SearchText.size()));
    editor.replaceSelection(replacement);
    editor.setSelection(pos, pos + static_cast<int>(replacement.size()));
    editor.scrollCaret();
    position_ = pos + static_cast<int>(SearchText.size());
    accept();
}

ReplaceChoice FrmRewrite::choice() const {
    return {TF1->text(), TF2->text(), Check1->isChecked(), position_};
}

} // namespace quillet
