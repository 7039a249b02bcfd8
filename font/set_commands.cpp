// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/set_commands.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

SetCommands::SetCommands(FontStore &font, FontView &view, PlatformServices &services)
    : m_font(font)
    , m_view(view)
    , m_services(services)
{
}

void SetCommands::addfont()
{
    if (m_font.lastSet == MaxSets - 1)
        return;
    ++m_font.lastSet;
    m_font.currentSet = m_font.lastSet;
    // The store above lastSet still holds whatever a deleted set left there.
    m_font.FontPixels[toIndex(m_font.lastSet)] = {};
    m_view.RedrawFont();
}

void SetCommands::delfont()
{
    const QString title = u"Удаление"_s;
    if (m_font.lastSet == 0) {
        m_services.message(u"В шрифте должен быть хотя бы один набор. Удалить его нельзя"_s, title,
                           MessageButtons::Ok);
        return;
    }
    if (m_services.message(u"Удалить выбранный набор шрифта?"_s, title, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    auto &sets = m_font.FontPixels;
    std::copy(sets.begin() + m_font.currentSet + 1, sets.begin() + m_font.lastSet + 1,
              sets.begin() + m_font.currentSet);
    --m_font.lastSet;
    m_font.currentSet = std::min(m_font.currentSet, m_font.lastSet);
    m_view.RedrawFont();
}

void SetCommands::nextfont()
{
    if (m_font.currentSet >= m_font.lastSet)
        return;
    ++m_font.currentSet;
    m_view.RedrawFont();
}

void SetCommands::prewfont()
{
    if (m_font.currentSet <= 0)
        return;
    --m_font.currentSet;
    m_view.RedrawFont();
}

} // namespace Glyphery
