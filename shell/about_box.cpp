// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/about_box.h"

#include "font/platform_services.h"
#include "shell/ui_font.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int BoxWidth = 346;
constexpr int BoxHeight = 152;

// Labels keep black text whatever the desktop's colour scheme, as the box's picture and rule
// are drawn for a light background.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QFrame *addRule(QWidget *parent, const QString &name, const QColor &colour, const QRect &place)
{
    auto *rule = new QFrame(parent);
    rule->setObjectName(name);
    rule->setFrameShape(QFrame::NoFrame);
    rule->setGeometry(place);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, colour);
    rule->setPalette(palette);
    rule->setAutoFillBackground(true);
    return rule;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
{
    setObjectName(u"frmAbout1"_s);
    setModal(true);
    setFont(uiFont());
    setFixedSize(BoxWidth, BoxHeight);
    setWindowTitle(u"О программе "_s + applicationTitle());

    auto *picture = new QLabel(this);
    picture->setObjectName(u"Picture1"_s);
    picture->setAccessibleName(u"Значок "_s + applicationTitle());
    picture->setGeometry(8, 16, 50, 50);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // QPixmap would load about.png alone; QIcon also finds about@2x.png for a denser screen.
    picture->setPixmap(QIcon(u":/about.png"_s).pixmap(QSize(48, 48), devicePixelRatio()));

    addLabel(this, u"lblTitle"_s, applicationTitle(), {70, 16, 259, 16});
    addLabel(this, u"lblVersion"_s, u"Версия 2.0"_s, {70, 32, 259, 15});
    addLabel(this, u"lblDescription_0"_s, u"Редактор шрифтов ZX Spectrum"_s, {70, 48, 259, 14});
    addLabel(this, u"lblDescription_1"_s, u"Авторы: команда Glyphery"_s, {70, 64, 259, 14});
    addLabel(this, u"lblDescription_2"_s, u"Свободная программа"_s, {70, 80, 259, 14});

    // An engraved rule: the white line is two pixels high and the grey one covers its top,
    // leaving a grey line with a white highlight below it.
    addRule(this, u"Line1_0"_s, Qt::white, {0, 107, BoxWidth, 2});
    addRule(this, u"Line1_1"_s, QColor(0x80, 0x80, 0x80), {0, 107, BoxWidth, 1});

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setGeometry(256, 119, 84, 23);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace Glyphery
