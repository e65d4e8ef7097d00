#pragma once

// The toolbar as the user sees it, left to right: each entry's key and its
// description (the tooltip while information is on); separators have none.
// Written out here, apart from the program's own table, so that a change to
// that table shows up as a failing test.

namespace quillet::test {

struct ToolbarEntryText {
    const char* key;
    const char* text;
};

inline constexpr ToolbarEntryText ExpectedToolbar[] = {
    {"NewBtn", "Создать"},
    {"OpenBtn", "Открыть"},
    {"SaveBtn", "Сохранить"},
    {"Space1", ""},
    {"PrintBtn", "Печать"},
    {"Space2", ""},
    {"CutBtn", "Вырезать"},
    {"CopyBtn", "Копировать"},
    {"PasteBtn", "Вставить"},
    {"Space3", ""},
    {"FindBtn", "Найти"},
    {"Space4", ""},
    {"CopyAllBtn", "Копировать всё"},
    {"Space5", ""},
    {"LeftBtn", "По левому краю"},
    {"CenterBtn", "По центру"},
    {"RightBtn", "По правому краю"},
};

} // namespace quillet::test
