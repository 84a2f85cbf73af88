#include "widgets/accessiblelist.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

namespace tressora {
namespace {

QAccessibleInterface *listFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox") && object != nullptr && object->isWidgetType()) {
        auto *list = static_cast<QComboBox *>(object);
        if (!list->isEditable())
            return new AccessibleList(list);
    }
    return nullptr;
}

} // namespace

AccessibleList::AccessibleList(QComboBox *list)
    : QAccessibleWidget(list, QAccessible::ComboBox)
{
    addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
}

QComboBox *AccessibleList::list() const
{
    return static_cast<QComboBox *>(widget());
}

QString AccessibleList::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        if (!list()->accessibleName().isEmpty())
            return list()->accessibleName();
        const auto labels = relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    case QAccessible::Value:
        return list()->currentText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleList::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = list()->view()->isVisible();
    return s;
}

int AccessibleList::childCount() const
{
    return 1;
}

QAccessibleInterface *AccessibleList::child(int index) const
{
    return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
}

int AccessibleList::indexOfChild(const QAccessibleInterface *child) const
{
    return child != nullptr && child->object() == list()->view() ? 0 : -1;
}

QStringList AccessibleList::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void AccessibleList::doAction(const QString &actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction()) {
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
}

void installAccessibleLists()
{
    static const bool installed = [] {
        QAccessible::installFactory(listFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tressora
