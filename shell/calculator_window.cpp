// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/calculator_window.h"

#include "shell/call_calculator.h"
#include "shell/secondary_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

} // namespace

CalculatorWindow::CalculatorWindow()
{
    setUpSecondaryWindow(this, u"Form2"_s, u"Калькулятор вызова"_s, {312, 121});

    addLabel(this, u"Label1_0"_s, u"Введите адрес, в котором находится шрифт:"_s, {8, 16, 241, 17});

    m_address = new QLineEdit(this);
    m_address->setObjectName(u"Text1"_s);
    m_address->setGeometry(240, 16, 65, 19);
    m_address->setAccessibleName(u"Адрес шрифта в памяти Spectrum"_s);

    addLabel(this, u"Label1_1"_s, u"Вызов шрифта в этом адресе :"_s, {8, 40, 241, 17});
    m_lowLine = addLabel(this, u"Label2"_s, QString(), {8, 64, 161, 17});
    m_highLine = addLabel(this, u"Label3"_s, QString(), {8, 88, 161, 17});

    auto *closeButton = new QPushButton(u"Закрыть"_s, this);
    closeButton->setObjectName(u"Command1"_s);
    closeButton->setGeometry(224, 88, 81, 25);

    setTabOrder(m_address, closeButton);
    m_address->setFocus();

    // textChanged rather than textEdited: pasting and programmatic changes must update too.
    connect(m_address, &QLineEdit::textChanged, this, &CalculatorWindow::showCall);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    showCall();
}

void CalculatorWindow::showCall()
{
    const CallLines lines = ShowCall(m_address->text());
    m_lowLine->setText(lines.low);
    m_highLine->setText(lines.high);
}

} // namespace Glyphery
