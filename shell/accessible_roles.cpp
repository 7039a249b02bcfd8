// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/accessible_roles.h"

#include <QAccessibleWidget>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// A container that offers only the children that may show: a widget hidden for good is no
// control for a screen reader.
class ShownChildren : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(shown().value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(shown().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> found;
        for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden() && !child->isWindow())
                found.append(child);
        }
        return found;
    }
};

QAccessibleInterface *roles(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == u"Glyphery::OverviewStrip" || className == u"Glyphery::EditSquare")
        return new QAccessibleWidget(widget, QAccessible::Canvas);
    if (className == u"Glyphery::CalculatorWindow" || className == u"Glyphery::HelpWindow")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"QToolBar")
        return new ShownChildren(widget, QAccessible::ToolBar);
    return nullptr;
}

} // namespace

void presentAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(roles);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace Glyphery
