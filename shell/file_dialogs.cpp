// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/file_dialogs.h"

#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QScreen>
#include <QSettings>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Types and icons from the names alone. Qt's own provider reads a file whose extension does not
// tell its type, and says "Folder" in English.
class TypesByName : public QFileIconProvider
{
public:
    QIcon icon(const QFileInfo &info) const override
    {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }

    // The system's MIME descriptions are read in Qt's default locale, which is Russian.
    QString type(const QFileInfo &info) const override
    {
        return info.isDir()
            ? u"Папка"_s
            : m_types.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }

private:
    QMimeDatabase m_types;
};

// Qt's dialog reads and writes its history, last folder and column widths in QtProject.conf
// among the user's settings. This program keeps nothing but its window's place, so that file is
// looked for where it can be neither read nor written.
void forgetDialogState()
{
    static const bool forgotten = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, u"/dev/null"_s);
        return true;
    }();
    Q_UNUSED(forgotten);
}

// Each column as wide as what it shows, and the dialog as wide as its columns where the screen
// has room: the view scrolls rather than cut a column.
void fitColumns(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>(u"treeView"_s);
    const auto *model = dialog.findChild<QFileSystemModel *>();
    if (!view || !model)
        return;
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&dialog, view] {
        const int missing = view->header()->length() - view->viewport()->width();
        const int room
            = dialog.screen()->availableGeometry().width() - dialog.frameGeometry().width();
        if (missing > 0 && room > 0)
            dialog.resize(dialog.width() + qMin(missing, room), dialog.height());
    });
}

} // namespace

QString askFileName(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                    const QString &folder, const QString &filter)
{
    forgetDialogState();
    TypesByName types;
    // The dialog lists the folder it is made in before it can be given the types: it is made
    // in the root folder, which holds folders, and sent on to its folder once it has them.
    QFileDialog dialog(parent, title, QDir::rootPath(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&types);
    dialog.setDirectory(folder);
    dialog.setAcceptMode(mode);
    // The save command asks its own question about an existing file.
    if (mode == QFileDialog::AcceptSave)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    else
        dialog.setFileMode(QFileDialog::ExistingFile);
    fitColumns(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool isOrdinaryFolder(const QString &folder)
{
    const QString real = QFileInfo(folder).canonicalFilePath();
    for (const QString &kernel : {u"/proc"_s, u"/sys"_s, u"/dev"_s}) {
        if (real == kernel || real.startsWith(kernel + u'/'))
            return false;
    }
    return !real.isEmpty();
}

} // namespace Glyphery
