#include "diagnostics/frm_about.h"

#include "diagnostics/debug_report.h"
#include "diagnostics/mdl_functions_memory.h"
#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "view/application_icon.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace quillet {

// ---- Figures ----------------------------------------------------------------------

int LoadBarValue(int documentLength) {
    return documentLength < 0 ? 0 : (documentLength > WorkingLimit ? WorkingLimit : documentLength);
}

QString LoadPercentText(int barValue) {
    return QString::number(barValue / (WorkingLimit / 100)) + QLatin1Char('%');
}

QString MemoryKilobytesText(std::int64_t bytes) {
    return FormatGrouped(bytes / 1024) + QStringLiteral(" КБ");
}

namespace {

const QString LegalNotice =
    QStringLiteral("© 2026 Авторы программы «Квиллет». Программа распространяется "
                   "бесплатно, «как есть», без каких-либо гарантий.");

const QString NoSystemInfoMessage =
    QStringLiteral("Не удаётся найти доступную информацию о системе.") + CRLF +
    QStringLiteral("Возможно реестр повреждён.");

const QColor LinkResting(0, 0, 255);
const QColor LinkHeld(255, 0, 0);

// A sheet of paper with a few written lines and a quill across it.
QPixmap quillPicture() {
    QPixmap pixmap(56, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(8, 4);
    sheet.lineTo(36, 4);
    sheet.lineTo(46, 14);
    sheet.lineTo(46, 52);
    sheet.lineTo(8, 52);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 110), 1.2));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(sheet);
    p.setBrush(QColor(220, 220, 210));
    p.drawPolygon(QPolygonF({QPointF(36, 4), QPointF(36, 14), QPointF(46, 14)}));
    p.setPen(QPen(QColor(120, 140, 190), 1.5));
    for (int y = 20; y <= 44; y += 6)
        p.drawLine(QPointF(13, y), QPointF(y == 44 ? 28 : 40, y));
    // The quill: a feather vane around a shaft, its nib on the last line.
    QPainterPath vane;
    vane.moveTo(30, 44);
    vane.cubicTo(36, 30, 44, 14, 54, 2);
    vane.cubicTo(52, 16, 44, 32, 30, 44);
    p.setPen(QPen(QColor(140, 70, 20), 1));
    p.setBrush(QColor(235, 160, 60));
    p.drawPath(vane);
    p.setPen(QPen(QColor(90, 40, 10), 1.4));
    p.drawLine(QPointF(28, 47), QPointF(52, 5));
    return pixmap;
}

// A memory module: a green board with a row of chips and gold contacts.
QPixmap memoryPicture() {
    QPixmap pixmap(40, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 80, 40), 1));
    p.setBrush(QColor(40, 140, 70));
    p.drawRoundedRect(QRectF(1.5, 4.5, 37, 17), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 35));
    for (int x = 4; x < 36; x += 8)
        p.drawRect(QRectF(x, 8, 6, 8));
    p.setBrush(QColor(220, 180, 40));
    for (int x = 4; x < 37; x += 3)
        p.drawRect(QRectF(x, 22, 2, 5));
    return pixmap;
}

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

// ---- The window ---------------------------------------------------------------------

FrmAbout::FrmAbout(const EditorWindow& owner) : QDialog(owner.owner), owner_(owner) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowIcon(ApplicationIcon());
    setModal(true);
    buildControls();
    Form_Load();
    Timer1->start();
}

void FrmAbout::buildControls() {
    auto named = [this](auto* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(quillPicture());
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Image2 = named(new QLabel(this), "Image2");
    Image2->setPixmap(memoryPicture());
    Image2->setAlignment(Qt::AlignCenter);

    Label2 = named(new QLabel(QStringLiteral("Текстовый редактор \"Квиллет\""), this), "Label2");
    QFont titleFont = Label2->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    Label2->setFont(titleFont);
    Label7 = named(new QLabel(QStringLiteral("Версия:"), this), "Label7");
    LV = named(new QLabel(QStringLiteral("0.0"), this), "LV");
    LA = named(new QLabel(QStringLiteral("Нет"), this), "LA");
    LA->setWordWrap(true);

    Label8 = named(new QLabel(QStringLiteral("Загруженность программы:"), this), "Label8");
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, WorkingLimit);
    ProgressBar1->setTextVisible(false);
    // The bar has no text of its own: a screen reader names it after its label.
    ProgressBar1->setAccessibleName(QStringLiteral("Загруженность программы"));
    LL = named(new QLabel(QStringLiteral("0"), this), "LL");
    LL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LL->setMinimumWidth(LL->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);

    Label3 = named(new QLabel(QStringLiteral("Доступная физическая память:"), this), "Label3");
    LMIT = named(new QLabel(this), "LMIT");
    LMIT->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5 = named(new QLabel(QStringLiteral("Свободная физическая память:"), this), "Label5");
    LMIA = named(new QLabel(this), "LMIA");
    LMIA->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for a terabyte without the labels changing width as the figures tick.
    const int figureWidth =
        LMIT->fontMetrics().horizontalAdvance(QStringLiteral("1 073 741 824 КБ"));
    LMIT->setMinimumWidth(figureWidth);
    LMIA->setMinimumWidth(figureWidth);

    Label4 = named(new QLabel(ContactAddress, this), "Label4");
    QFont linkFont = Label4->font();
    linkFont.setUnderline(true);
    Label4->setFont(linkFont);
    Label4->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and opened with Enter or Space as well as by a click;
    // while it has the focus a frame in its colour shows it.
    Label4->setFocusPolicy(Qt::StrongFocus);
    Label4->setMargin(1);
    Label4->setLineWidth(1);
    Label4->installEventFilter(this);
    setLinkColor(LinkResting);

    Command2 = named(new QPushButton(QStringLiteral("&Система"), this), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("&Закрыть"), this), "Command3");
    Command3->setDefault(true);
    // The window opens with the focus on "Закрыть", as before the link could
    // take it: Enter closes it.
    Command3->setFocus();
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    // Layout: the picture beside the name, version and notice; the load bar; the
    // memory figures beside their picture; the link and the buttons at the bottom.
    auto* head = new QGridLayout;
    head->setHorizontalSpacing(12);
    head->addWidget(Image1, 0, 0, 3, 1);
    head->addWidget(Label2, 0, 1);
    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(6);
    versionRow->addWidget(Label7);
    versionRow->addWidget(LV);
    versionRow->addStretch();
    head->addLayout(versionRow, 1, 1);
    head->addWidget(LA, 2, 1);
    head->setColumnStretch(1, 1);

    auto* load = new QGridLayout;
    load->addWidget(Label8, 0, 0, 1, 2);
    load->addWidget(ProgressBar1, 1, 0);
    load->addWidget(LL, 1, 1);

    auto* memory = new QGridLayout;
    memory->setHorizontalSpacing(12);
    memory->addWidget(Image2, 0, 0, 2, 1);
    memory->addWidget(Label3, 0, 1);
    memory->addWidget(LMIT, 0, 2);
    memory->addWidget(Label5, 1, 1);
    memory->addWidget(LMIA, 1, 2);
    memory->setColumnStretch(1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label4);
    bottom->addStretch();
    bottom->addWidget(Command2);
    bottom->addWidget(Command3);

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(14, 14, 14, 12);
    all->setSpacing(10);
    all->addLayout(head);
    all->addWidget(separator(this));
    all->addLayout(load);
    all->addLayout(memory);
    all->addWidget(separator(this));
    all->addLayout(bottom);

    // A fixed window: the notice wraps at the chosen width, and the height follows.
    constexpr int width = 460;
    LA->setText(LegalNotice);
    all->activate();
    const int height =
        all->hasHeightForWidth() ? all->totalHeightForWidth(width) : all->totalSizeHint().height();
    setFixedSize(width, height);
}

void FrmAbout::Form_Load() {
    ShowMemoryStatus();
    LV->setText(QStringLiteral("%1.%2").arg(QUILLET_VERSION_MAJOR).arg(QUILLET_VERSION_MINOR));
    LA->setText(LegalNotice);
    const int length = owner_.editor.textLength();
    ProgressBar1->setValue(LoadBarValue(length));
    LL->setText(LoadPercentText(ProgressBar1->value()));
}

void FrmAbout::ShowMemoryStatus() {
    std::int64_t total = 0;
    std::int64_t available = 0;
    GetMemoryStatus(owner_.platform, total, available);
    LMIT->setText(MemoryKilobytesText(total));
    LMIA->setText(MemoryKilobytesText(available));
}

void FrmAbout::Timer1_Timer() {
    ShowMemoryStatus();
}

void FrmAbout::Command2_Click() {
    LaunchSystemInfo();
}

void FrmAbout::Command3_Click() {
    reject();
}

void FrmAbout::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}

void FrmAbout::LaunchSystemInfo() {
    // This system has no system-information tool of its own to start: the button
    // says so, as it does wherever the tool is missing. Nothing failed, so nothing
    // is recorded.
    owner_.platform.messageBox(
        {NoSystemInfoMessage, ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok}, this);
}

// ---- The contact link -----------------------------------------------------------------

void FrmAbout::setLinkColor(const QColor& color) {
    QPalette palette = Label4->palette();
    palette.setColor(QPalette::WindowText, color);
    Label4->setPalette(palette);
}

void FrmAbout::Label4_MouseDown() {
    setLinkColor(LinkHeld);
}

void FrmAbout::Label4_MouseUp() {
    setLinkColor(LinkResting);
}

void FrmAbout::Label4_Click() {
    // Whether a mail program answered is not our concern.
    owner_.platform.openUrl(QUrl(QStringLiteral("mailto:") + ContactAddress));
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            // The frame takes the margin's pixel: the text does not move.
            const bool focused = event->type() == QEvent::FocusIn;
            Label4->setFrameShape(focused ? QFrame::Box : QFrame::NoFrame);
            Label4->setMargin(focused ? 0 : 1);
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                // Enter opens the link rather than pressing the default button.
                Label4_Click();
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonPress) {
            Label4_MouseDown();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            Label4_MouseUp();
            // A click is a left press and release on the link.
            if (mouse->button() == Qt::LeftButton &&
                Label4->rect().contains(mouse->position().toPoint()))
                Label4_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
