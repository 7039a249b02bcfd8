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

    // Places the window in the middle of the primary screen's free area and shows it.
    void showCentred();

private:
    void centre();

    QTextBrowser *m_text = nullptr;
};

} // namespace Glyphery
