// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "editor/navigation.h"
#include "editor/painting.h"
#include "font/file_commands.h"
#include "font/font_view.h"
#include "font/set_commands.h"
#include "operations/glyph_commands.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QToolBar;

namespace Glyphery {

class EditSquare;
class FramePlacer;
class OverviewStrip;

// The main window "frmMain": owns all editing state for the whole run and routes every menu
// item, push button, check box, toolbar button and mouse press to one command each.
class MainWindow : public QMainWindow, public FontView
{
    Q_OBJECT
public:
    explicit MainWindow(PlatformServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    void RedrawFont() override;
    void RedrawEditor() override;

    // The toolbar's one handler: triggers the menu item of the command a button's key names.
    void ButtonClick(const QString &key);
    // The menu item of a command, by its name ("mnuFileNew", "vmir", ...). Push buttons, check
    // boxes and toolbar buttons all trigger these.
    QAction *command(const QString &name) const;

    EditorState &state() { return *m_state; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    QMenu *addMenu(const char *name, const QString &caption);
    QAction *addCommand(QMenu *menu, const char *name, const QString &caption,
                        std::function<void()> run, const QKeySequence &shortcut = {});
    void addSeparator(QMenu *menu, const char *name);
    void createToolBar(QWidget *parent);
    void createFrames(QWidget *parent);
    void showOnce(QPointer<QWidget> &window, const std::function<QWidget *()> &make);
    void describeSelection(int selected);
    void showAbout();
    void centreOnScreen(QWidget *window) const;
    void remember(QWidget *window);
    void closeOtherWindows();

    PlatformServices &m_services;
    std::unique_ptr<EditorState> m_state;
    FileCommands m_file;
    SetCommands m_sets;
    Navigation m_navigation;
    Painting m_painting;
    GlyphCommands m_glyph;
    QHash<QString, QAction *> m_actions;

    OverviewStrip *m_strip = nullptr;
    EditSquare *m_square = nullptr;
    QLabel *m_setPosition = nullptr;
    QLabel *m_fontSize = nullptr;
    QLabel *m_code = nullptr;
    QLabel *m_character = nullptr;
    QCheckBox *m_autoLoad = nullptr;
    QCheckBox *m_autoStore = nullptr;
    FramePlacer *m_placer = nullptr;
    QPointer<QWidget> m_calculator;
    QPointer<QWidget> m_help;
    // The other open windows, oldest first.
    QList<QPointer<QWidget>> m_otherWindows;
};

} // namespace Glyphery
