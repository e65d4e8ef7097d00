// Keys the editor hands on rather than handles: Alt with a character (a menu's
// letter, never typing) and the requests for the context menu.

#include "editing/textblock.h"

#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(EditorKeys, AltWithACharacterTypesNothing) {
    const struct {
        Qt::Key key;
        const char16_t* text;
        Qt::KeyboardModifiers modifiers;
        const char16_t* expected;
    } cases[] = {
        {Qt::Key_A, u"a", Qt::AltModifier, u"текст"},
        {Qt::Key_A, u"A", Qt::AltModifier | Qt::ShiftModifier, u"текст"},
        {Qt::Key(0x0424), u"ф", Qt::AltModifier, u"текст"},
        {Qt::Key_1, u"1", Qt::AltModifier, u"текст"},
        {Qt::Key_A, u"A", Qt::ShiftModifier, u"Aтекст"},
        {Qt::Key(0x0424), u"ф", Qt::NoModifier, u"фтекст"},
    };
    for (const auto& c : cases) {
        TextBlock editor;
        editor.setText(QStringLiteral("текст"));
        QTest::sendKeyEvent(QTest::Press, &editor, c.key, QString::fromUtf16(c.text), c.modifiers);
        EXPECT_EQ(editor.text(), QString::fromUtf16(c.expected)) << c.modifiers;
    }
}

TEST(EditorKeys, TheKeyboardsMenuRequestsAskForTheProgramsMenuAtTheCaret) {
    enum Request { ShiftF10, MenuKey, WindowSystem };
    for (const bool standardMenu : {false, true}) {
        for (const Request request : {ShiftF10, MenuKey, WindowSystem}) {
            TextBlock editor;
            editor.resize(300, 200);
            editor.setText(QStringLiteral("одна строка"));
            editor.setSelStart(4);
            editor.setStandardMenuQuery([&] { return standardMenu; });
            QSignalSpy asked(&editor, &TextBlock::menuKey);
            const QPoint caret = editor.viewport()->mapTo(&editor, editor.cursorRect().center());
            if (request == WindowSystem) {
                QContextMenuEvent keys(QContextMenuEvent::Keyboard, caret,
                                       editor.mapToGlobal(caret));
                QCoreApplication::sendEvent(&editor, &keys);
            } else {
                QTest::keyClick(&editor, request == ShiftF10 ? Qt::Key_F10 : Qt::Key_Menu,
                                request == ShiftF10 ? Qt::ShiftModifier : Qt::NoModifier);
            }
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close(); // the editor's standard menu
            ASSERT_EQ(asked.count(), standardMenu ? 0 : 1) << request;
            if (!standardMenu) {
                EXPECT_EQ(asked.at(0).at(0).toPoint(), editor.mapToGlobal(caret)) << request;
            }
        }
    }
}

} // namespace
} // namespace quillet
