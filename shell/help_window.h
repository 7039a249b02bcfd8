// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;

namespace Glyphery {

// The help text, built into the program, in a window of its own beside the editor.
// It deletes itself when closed.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    HelpWindow();

private:
    QTextBrowser *m_text = nullptr;
};

} // namespace Glyphery
