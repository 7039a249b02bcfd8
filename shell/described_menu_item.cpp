// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/described_menu_item.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

const char DescriptionProperty[] = "accessibleDescription";

// A menu item as Qt's own interface presents it, with the description added.
class DescribedMenuItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit DescribedMenuItem(QAction *action)
        : m_action(action)
    {
    }

    bool isValid() const override { return m_action && menu(); }
    QObject *object() const override { return m_action; }
    QWindow *window() const override { return menu() ? menu()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(menu());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override { }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }

    QString text(QAccessible::Text kind) const override
    {
        const QString caption = m_action->text();
        const qsizetype mark = caption.indexOf(u'&');
        switch (kind) {
        case QAccessible::Name:
            return QString(caption).remove(mark, mark < 0 ? 0 : 1);
        case QAccessible::Description:
            return m_action->property(DescriptionProperty).toString();
        case QAccessible::Accelerator:
            if (!m_action->shortcut().isEmpty())
                return m_action->shortcut().toString(QKeySequence::NativeText);
            return mark < 0 || mark + 1 >= caption.size()
                ? QString()
                : QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + caption[mark + 1];
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        const QMenu *owner = menu();
        const QRect place = owner->actionGeometry(m_action);
        return QRect(owner->mapToGlobal(place.topLeft()), place.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !menu()->isVisible() || !m_action->isVisible();
        state.focused = menu()->activeAction() == m_action;
        state.disabled = !m_action->isEnabled();
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
            ? static_cast<QAccessibleActionInterface *>(this)
            : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && m_action->isEnabled())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QMenu *menu() const
    {
        if (m_action) {
            for (QObject *owner : m_action->associatedObjects()) {
                if (auto *found = qobject_cast<QMenu *>(owner))
                    return found;
            }
        }
        return nullptr;
    }

    QPointer<QAction> m_action;
};

QAccessibleInterface *describedItems(const QString &, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    if (!action || !action->property(DescriptionProperty).isValid())
        return nullptr;
    return new DescribedMenuItem(action);
}

} // namespace

void describeMenuItem(QAction *action, const QString &description)
{
    static const bool installed = [] {
        QAccessible::installFactory(describedItems);
        return true;
    }();
    Q_UNUSED(installed);
    action->setProperty(DescriptionProperty, description);
}

} // namespace Glyphery
