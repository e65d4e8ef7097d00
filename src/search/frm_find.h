#pragma once

#include "search/search_dialogs.h"

class QCheckBox;

namespace quillet {

// "Поиск текста": finds the next occurrence of a text after the search position
// and selects it, optionally whole words only and case-sensitive. Loaded afresh
// at every opening; the search text and the two boxes go back to the main window
// when it closes.
class FrmFind : public SearchDialog {
    Q_OBJECT
public:
    explicit FrmFind(FrmMain& owner);
    ~FrmFind() override;

    QCheckBox* Check1 = nullptr; // whole words only
    QCheckBox* Check2 = nullptr; // match case

    void Check1_Click() { UpdateFindOptions(); }
    void Check2_Click() { UpdateFindOptions(); }

private:
    void Form_Load();
    void UpdateFindOptions();
    void actOnHit(int pos) override;
    void Form_Unload() override;
};

} // namespace quillet
