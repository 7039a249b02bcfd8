// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Glyphery {

// Works out the POKEs that make a font loaded at a given address the Spectrum's current one.
// It is a window of its own beside the editor and deletes itself when closed, so every
// opening starts with an empty address.
class CalculatorWindow : public QWidget
{
    Q_OBJECT

public:
    CalculatorWindow();

private:
    void showCall();

    QLineEdit *m_address = nullptr;
    QLabel *m_lowLine = nullptr;
    QLabel *m_highLine = nullptr;
};

} // namespace Glyphery
