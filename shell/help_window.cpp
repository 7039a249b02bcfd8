// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_window.h"

#include "shell/secondary_window.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

QString helpDocument()
{
    QFile file(u":/help.html"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

HelpWindow::HelpWindow()
{
    setUpSecondaryWindow(this, u"Form1"_s, u"Glyphery - справка"_s, {800, 600});

    m_text = new QTextBrowser(this);
    m_text->setObjectName(u"RichTextBox1"_s);
    m_text->setGeometry(0, 0, 801, 601);
    m_text->setReadOnly(true);
    m_text->setOpenLinks(false);
    m_text->setHtml(helpDocument());
    m_text->setAccessibleName(u"Текст справки"_s);
    m_text->verticalScrollBar()->setAccessibleName(u"Прокрутка справки"_s);
}

} // namespace Glyphery
