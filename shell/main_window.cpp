// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_window.h"

#include "editor/edit_square.h"
#include "editor/label_texts.h"
#include "editor/overview_strip.h"
#include "editor/palette.h"
#include "operations/toolbar_routing.h"
#include "shell/about_box.h"
#include "shell/accessible_roles.h"
#include "shell/frame_placer.h"
#include "shell/ui_font.h"
#include "shell/window_place.h"
#include "shell/wrapping_check_box.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

static void initGlypheryResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Glyphery {

namespace {

constexpr QSize ClientSize(789, 383);

QLabel *whiteLabel(QWidget *parent, const char *name, const QRect &rect)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1StringView(name));
    label->setGeometry(rect);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(Palette[15]));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Palette[0]));
    label->setPalette(palette);
    return label;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1StringView(name));
    box->setGeometry(rect);
    return box;
}

} // namespace

MainWindow::MainWindow(PlatformServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_state(std::make_unique<EditorState>())
    , m_file(m_state->font, m_state->EditGrid, *this, services)
    , m_sets(m_state->font, *this, services)
    , m_navigation(*m_state, *this)
    , m_painting(*m_state, *this)
    , m_glyph(*m_state, *this)
{
    initGlypheryResources();
    presentAccessibleRoles();
    setObjectName(u"frmMain"_s);
    setWindowTitle(applicationTitle());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(uiFont());

    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setFixedSize(ClientSize);
    setCentralWidget(client);
    createMenus();
    createToolBar(client);
    m_strip = new OverviewStrip(client);
    m_strip->move(8, 32);
    m_strip->setAccessibleName(u"Обзор набора"_s);
    m_square = new EditSquare(client);
    m_square->move(264, 120);
    m_square->setAccessibleName(u"Редактируемый символ"_s);
    createFrames(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_strip, &OverviewStrip::pressed, this,
            [this](QPointF at) { m_navigation.selectAt(at.x(), at.y()); });
    connect(m_square, &EditSquare::pressed, this,
            [this](PaintButton button, QPointF at) { m_painting.press(button, at.x(), at.y()); });
    connect(m_square, &EditSquare::moved, this,
            [this](QPointF at) { m_painting.move(at.x(), at.y()); });
    connect(m_square, &EditSquare::released, this, [this] { m_painting.release(); });

    m_placer = new FramePlacer(this, FramePlacer::at(storedWindowPosition(services)));
    m_state->font.modified = false;
    m_state->paperColor = 15;
    m_state->inkColor = 0;
    m_file.mnuFileNew();
}

MainWindow::~MainWindow() = default;

void MainWindow::createFrames(QWidget *parent)
{
    QGroupBox *character = frame(parent, "Frame2", u"Символ"_s, {8, 144, 241, 73});
    m_code = whiteLabel(character, "Label2_0", {8, 32, 57, 17});
    m_character = whiteLabel(character, "Label2_1", {72, 24, 73, 33});
    m_character->setFont(uiFont(18, true));

    QGroupBox *sets = frame(parent, "Frame1", u"Набор"_s, {8, 232, 241, 113});
    m_setPosition = whiteLabel(sets, "Label1_0", {16, 24, 105, 17});
    m_fontSize = whiteLabel(sets, "Label1_1", {16, 48, 105, 17});

    QGroupBox *loadStore
        = frame(parent, "Frame3", u"Загрузка/сохранение символа"_s, {536, 176, 241, 129});
    m_autoLoad = new WrappingCheckBox(u"Загружать автоматически"_s, loadStore);
    m_autoStore = new WrappingCheckBox(u"Сохранять автоматически"_s, loadStore);

    struct Button
    {
        QWidget *frame;
        const char *name;
        const char16_t *caption;
        QRect rect;
        const char *command;
        const char16_t *spokenName = nullptr; // where the caption alone says too little
    };
    const Button buttons[] = {
        {character, "Command5", u"<", {152, 24, 32, 31}, "prevchr", u"Предыдущий символ"},
        {character, "Command6", u">", {192, 24, 32, 32}, "nextchr", u"Следующий символ"},
        {sets, "Command9", u"<", {144, 24, 32, 32}, "prewfont", u"Предыдущий набор"},
        {sets, "Command8", u">", {184, 24, 32, 32}, "nextfont", u"Следующий набор"},
        {sets, "Command2", u"Добавить", {16, 72, 95, 23}, "addfont"},
        {sets, "Command3", u"Удалить", {128, 72, 95, 23}, "delfont"},
        {loadStore, "Command1", u"Стереть", {8, 24, 113, 25}, "mnueditclear"},
        {loadStore, "Command7", u"Загрузить", {8, 56, 113, 25}, "sload"},
        {loadStore, "Command4", u"Сохранить", {8, 88, 113, 25}, "ssave"},
    };
    for (const Button &item : buttons) {
        auto *button = new QPushButton(QString::fromUtf16(item.caption), item.frame);
        button->setObjectName(QLatin1StringView(item.name));
        if (item.spokenName)
            button->setAccessibleName(QString::fromUtf16(item.spokenName));
        button->setGeometry(item.rect);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, command(QLatin1StringView(item.command)),
                &QAction::trigger);
    }

    // The check boxes hold the options: whatever turns a box over (a click, a key, an
    // accessibility action, the menu item) sets the option and the menu item's check mark.
    const struct
    {
        QCheckBox *box;
        const char *name;
        QRect rect;
        bool EditorState::*option;
        const char *command;
    } options[] = {{m_autoLoad, "Check1", {128, 56, 105, 25}, &EditorState::autoLoad, "sloada"},
                   {m_autoStore, "Check2", {128, 88, 105, 25}, &EditorState::autoStore, "ssavea"}};
    for (const auto &option : options) {
        option.box->setObjectName(QLatin1StringView(option.name));
        option.box->setGeometry(option.rect);
        option.box->setChecked(m_state.get()->*option.option);
        QAction *item = command(QLatin1StringView(option.command));
        item->setChecked(option.box->isChecked());
        connect(option.box, &QCheckBox::toggled, this,
                [this, item, member = option.option](bool on) {
                    m_state.get()->*member = on;
                    item->setChecked(on);
                });
    }
}

void MainWindow::RedrawFont()
{
    const FontStore &font = m_state->font;
    m_strip->draw(font, m_state->inkColor, m_state->paperColor);
    m_setPosition->setText(setPositionText(font.currentSet, font.lastSet));
    m_fontSize->setText(fontSizeText(font.lastSet));
    RedrawEditor();
}

void MainWindow::RedrawEditor()
{
    m_square->draw(m_state->EditGrid, m_state->inkColor, m_state->paperColor);
    const int selected = m_state->font.currentChar;
    m_code->setText(codeText(selected));
    m_character->setText(characterText(selected));
    describeSelection(selected);
    QPalette palette = m_character->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(Palette[m_state->paperColor]));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Palette[m_state->inkColor]));
    m_character->setPalette(palette);
}

// For a screen reader: the strip names the selected character, the square its code.
void MainWindow::describeSelection(int selected)
{
    const QString code = codeText(selected);
    if (m_square->accessibleDescription() == code)
        return;
    m_square->setAccessibleDescription(code);
    m_strip->setAccessibleDescription(
        u"Выбран символ «%1», %2"_s.arg(characterText(selected), code));
}

// A name without a command is a mistake in the program, found at start-up.
QAction *MainWindow::command(const QString &name) const
{
    QAction *action = m_actions.value(name);
    if (!action)
        qFatal("no command is named %s", qPrintable(name));
    return action;
}

void MainWindow::ButtonClick(const QString &key)
{
    Glyphery::ButtonClick(key, [this](const QString &name) { command(name)->trigger(); });
}

// The calculator and the help window exist once: opening them again only brings them forward.
void MainWindow::showOnce(QPointer<QWidget> &window, const std::function<QWidget *()> &make)
{
    if (!window) {
        window = make();
        remember(window);
    }
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::showAbout()
{
    AboutBox box(this);
    centreOnScreen(&box);
    box.exec();
}

// The outer frame in the middle of the free area of the main window's screen. A window not
// yet framed is expected to get a frame like the main window's.
void MainWindow::centreOnScreen(QWidget *window) const
{
    new FramePlacer(window, FramePlacer::centredIn(screen()->availableGeometry()),
                    m_placer->extents());
}

void MainWindow::remember(QWidget *window)
{
    m_otherWindows.removeAll(nullptr);
    m_otherWindows.append(window);
}

void MainWindow::closeOtherWindows()
{
    while (!m_otherWindows.isEmpty()) {
        QPointer<QWidget> window = m_otherWindows.takeLast();
        if (window)
            window->close();
    }
}

// Closing never asks about unsaved changes and is never refused.
void MainWindow::closeEvent(QCloseEvent *event)
{
    closeOtherWindows();
    if (!isMinimized())
        storeWindowPlace(m_services, m_placer->frame());
    event->accept();
}

} // namespace Glyphery
