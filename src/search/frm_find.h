#pragma once

#include "search/search_dialogs.h"

class QCheckBox;

namespace quillet {

// "Поиск текста": finds the next occurrence of a text after the search position
// and selects it, optionally whole words only and case-sensitive. Loaded afresh
// at every opening; the search text and the two boxes are its choice.
class FrmFind : public SearchDialog {
    Q_OBJECT
public:
    FrmFind(const EditorWindow& owner, const SearchMemory& memory);

    // What the window holds now: the caller keeps it once the window closed
    // (also after Cancel, so that Find Next offers the text typed).
    FindChoice choice() const;

    QCheckBox* Check1 = nullptr; // whole words only
    QCheckBox* Check2 = nullptr; // match case

    void Check1_Click() { UpdateFindOptions(); }
    void Check2_Click() { UpdateFindOptions(); }

private:
    void Form_Load();
    void UpdateFindOptions();
    void actOnHit(int pos) override;
};

} // namespace quillet
