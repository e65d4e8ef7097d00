#pragma once

#include "search/search_dialogs.h"

class QCheckBox;

namespace quillet {

// "Замена текста": finds the next whole-word occurrence of a text after the
// search position and replaces that one occurrence, as one undoable edit. Loaded
// afresh at every opening; both texts and the box are its choice.
class FrmRewrite : public SearchDialog {
    Q_OBJECT
public:
    FrmRewrite(const EditorWindow& owner, const SearchMemory& memory);

    // What the window holds now, for the caller to keep once it closed.
    ReplaceChoice choice() const;

    QLabel* Label2 = nullptr;
    QLineEdit* TF2 = nullptr;    // the replacement, may be empty
    QCheckBox* Check1 = nullptr; // match case

    void Check1_Click() { UpdateReplaceOptions(); }

private:
    void Form_Load();
    void UpdateReplaceOptions();
    void actOnHit(int pos) override;
};

} // namespace quillet
