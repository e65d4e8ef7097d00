#pragma once

#include "documents/working_limit.h"
#include "editing/editor_window.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quillet {

// The contact address the About window links to.
inline const QString ContactAddress = QStringLiteral("quillet@example.org");

// The load bar's value for a document of this many characters: the length,
// capped at the working limit.
int LoadBarValue(int documentLength);
// The load in whole percent of the limit, truncated: 549 → "0%", 550 → "1%".
QString LoadPercentText(int barValue);
// Bytes as whole kilobytes (truncated), grouped in threes: 1073741824 → "1 048 576 КБ".
QString MemoryKilobytesText(std::int64_t bytes);

// "О программе": the program's name and version, its legal notice, how full the
// document is, the machine's memory, the contact link and the system-information
// button. Shown modally, owned by the main window, through Platform::execDialog.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(const EditorWindow& owner);

    void Form_Load();
    void ShowMemoryStatus();
    void Timer1_Timer();
    void Command2_Click();
    void Command3_Click();
    void Label4_Click();
    void Label4_MouseDown();
    void Label4_MouseUp();
    void LaunchSystemInfo();

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* LV = nullptr;
    QLabel* LA = nullptr;
    QLabel* Label8 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* LL = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LMIT = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* LMIA = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QTimer* Timer1 = nullptr;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setLinkColor(const QColor& color);

    const EditorWindow owner_;
};

} // namespace quillet
