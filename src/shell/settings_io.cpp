// The window's side of the stored settings: what it hands the store before a
// write, and how it takes the values read at start-up. The keys, their order,
// their kinds and which values the window can take are the store's
// (settings/stored_settings).

#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/program_constants.h"
#include "session/document_session.h"
#include "settings/stored_settings.h"
#include "shell/frmmain.h"

#include <QApplication>

namespace quillet {

namespace {

using settings::checked;

QColor paletteText(const TextBlock& editor) {
    return QApplication::palette(&editor).color(QPalette::Text);
}

// Changes one attribute of the editor's font.
template <typename Change> void changeFont(TextBlock& editor, Change change) {
    QFont font = editor.chosenFont();
    change(font);
    editor.setChosenFont(font);
}

// The editor's look as the store keeps it. The system window-text colour is
// kept as the system colour for as long as the editor still shows the palette's
// text colour, whatever changed it in between.
ViewValues editorLook(const TextBlock& editor, const Options& opts) {
    const QFont& font = editor.chosenFont();
    ViewValues v;
    v.FontName = font.family();
    v.FontSize = font.pointSizeF();
    v.FontBold = font.bold();
    v.FontItalic = font.italic();
    v.FontUnderline = font.underline();
    v.FontStrikethru = font.strikeOut();
    const QColor colour = editor.textColor();
    v.FontColor = opts.TextColorIsSystem && colour == paletteText(editor)
                      ? settings::SystemWindowText
                      : settings::colourValue(colour);
    v.FontChars = editor.fontCharSet();
    v.BackColor = settings::colourValue(editor.backColor());
    return v;
}

// Applies the editor's look value by value, in the store's order: a value the
// editor cannot take stops it there, and what was applied before stays.
void applyEditorLook(TextBlock& editor, Options& opts, const ViewValues& v) {
    changeFont(editor, [&](QFont& f) { f.setFamily(checked(v, &ViewValues::FontName)); });
    changeFont(editor, [&](QFont& f) { f.setPointSizeF(checked(v, &ViewValues::FontSize)); });
    changeFont(editor, [&](QFont& f) { f.setBold(v.FontBold); });
    changeFont(editor, [&](QFont& f) { f.setItalic(v.FontItalic); });
    changeFont(editor, [&](QFont& f) { f.setUnderline(v.FontUnderline); });
    changeFont(editor, [&](QFont& f) { f.setStrikeOut(v.FontStrikethru); });
    const bool systemColour = v.FontColor == settings::SystemWindowText;
    editor.setTextColor(systemColour ? paletteText(editor)
                                     : settings::colourFromValue(v.FontColor, editor.palette()));
    opts.TextColorIsSystem = systemColour;
    editor.setFontCharSet(checked(v, &ViewValues::FontChars));
    editor.setBackColor(settings::colourFromValue(v.BackColor, editor.palette()));
}

} // namespace

void FrmMain::LoadGeneralSettings() {
    const std::optional<Failure> failure = trapFailure([this] {
        const auto read = settings::readGeneralSettings(platform_.settings(), opts);
        const GeneralValues& g = read.values;
        settings::takeGeneralOptions(read.options, opts);
        search.CheckReplaceFlag1 = g.ReplaceFlagWW;
        search.CheckFindFlag1 = g.FindFlagWW;
        search.CheckFindFlag2 = g.FindFlagMC;
        session_->state().RecentFileString = g.RecentFile;

        // The normal placement first, then the state: moving or sizing a window
        // would take it out of the maximised state again.
        outer().SetPosition(std::int32_t(g.FormLeft), std::int32_t(g.FormTop));
        // A window too small to use would open with its interface hidden: give
        // it the default placement instead.
        if (g.FormHeight < layout::MinimumOuterHeight || g.FormWidth < WidthLimitPoint)
            mnuWind_Click();
        else
            outer().SetSize(std::int32_t(g.FormWidth), std::int32_t(g.FormHeight));
        outer().BringOntoScreen(platform_.availableScreenAreas());

        switch (checked(g, &GeneralValues::FormWindowState)) {
        case 0:
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            break;
        case 1:
            setWindowState(windowState() | Qt::WindowMinimized);
            break;
        default:
            setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
            break;
        }
    });
    if (failure) {
        report_.record(*failure, MainFormName);
        SaveGeneralSettings();
    }
    ShowOptionsInMenus();
}

void FrmMain::SaveGeneralSettings() {
    runMarkPending_ = false; // this save carries the mark of a running program
    GeneralValues g;
    g.ReplaceFlagWW = search.CheckReplaceFlag1;
    g.FindFlagWW = search.CheckFindFlag1;
    g.FindFlagMC = search.CheckFindFlag2;
    g.RecentFile = session_->state().RecentFileString;
    g.FormWindowState = isMaximized() ? 2 : 0;
    g.FormTop = outer().Top();
    g.FormLeft = outer().Left();
    g.FormHeight = outer().Height();
    g.FormWidth = outer().Width();
    const settings::WindowShape shape = isMinimized()   ? settings::WindowShape::Minimised
                                        : isMaximized() ? settings::WindowShape::Maximised
                                                        : settings::WindowShape::Normal;
    settings::writeGeneralSettings(platform_.settings(), opts, g, shape, report_);
}

void FrmMain::LoadViewSettings() {
    const std::optional<Failure> failure = trapFailure([this] {
        const auto read = settings::readViewSettings(platform_.settings(), opts);
        applyEditorLook(*TextBlock, opts, read.values);
        // The check marks; the layout, the alignment and the opening apply them.
        settings::takeViewOptions(read.options, opts);
    });
    if (failure) {
        report_.record(*failure, MainFormName);
        SaveViewSettings();
    }
    ShowOptionsInMenus();
}

void FrmMain::SaveViewSettings() {
    Options stored = opts;
    stored.TextAlign = TextBlock->alignmentCode();
    settings::writeViewSettings(platform_.settings(), stored, editorLook(*TextBlock, opts),
                                report_);
}

void FrmMain::mnuPromptChanges_Click() {
    // Not itself one of the changes the question at closing asks about.
    opts.PromptChanges = !opts.PromptChanges;
    ShowOptionsInMenus();
}

} // namespace quillet
