// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

namespace Glyphery {

struct ToolbarButton
{
    const char16_t *key; // what a click reports; matched exactly, case and blanks included
    const char *command; // the menu command it runs
    const char16_t *toolTip;
    const char *picture;
};

// The command buttons in toolbar order; a separator stands after "Save", after "Paste" and
// after "right".
inline constexpr std::array<ToolbarButton, 16> ToolbarButtons = {{
    {u"New", "mnuFileNew", u"Новый", "new"},
    {u"Open", "mnuFileOpen", u"Открыть", "open"},
    {u"Save", "mnuFileSave", u"Сохранить", "save"},
    {u"Cut", "mnuEditCut", u"Выразать", "cut"},
    {u"Copy", "mnuEditCopy", u"Копировать", "copy"},
    {u"Paste", "mnuEditPaste", u"Вставить", "paste"},
    {u"Inv", "min", u"Инвертировать", "inv"},
    {u"MV", "vmir", u"Вертикальное зеркало", "mv"},
    {u"MG", "gmir", u"Горизонтальное зеркало", "mg"},
    {u"rr", "rr", u"Поворот по часовой стрелке", "rr"},
    {u"rl", "rl", u"Поворот против часовой стрелки", "rl"},
    {u"up", "sup", u"Сдвиг вверх", "up"},
    {u"down", "sdown", u"Сдвиг вниз", "down"},
    {u"left", "sleft", u"Сдвиг влево", "left"},
    {u"right", "sright", u"Сдвиг вправо", "right"},
    {u"calc", "calc", u"Калькулятор вызова", "calc"},
}};

inline bool separatorAfter(QStringView key)
{
    return key == u"Save" || key == u"Paste" || key == u"right";
}

// The command of the first button whose key equals this one, if any.
std::optional<QString> commandForKey(QStringView key);

// Runs the command of a clicked toolbar button. A failure escaping the command ends the click
// silently: the toolbar never reports errors of its own.
void ButtonClick(QStringView key, const std::function<void(const QString &command)> &run) noexcept;

} // namespace Glyphery
