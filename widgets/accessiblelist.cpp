#include "widgets/accessiblelist.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

#include <utility>

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
    // The list lives as long as this interface; the connection goes with it.
    QObject::connect(list, &QComboBox::currentTextChanged, list,
                     [list, shown = list->currentText()](const QString &entry) mutable {
                         announceEntry(list, std::exchange(shown, entry));
                     });
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

void *AccessibleList::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
#if TRESSORA_LIST_SELECTION
    if (type == QAccessible::SelectionInterface)
        return static_cast<QAccessibleSelectionInterface *>(this);
#endif
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleList::shownText() const
{
    return list()->currentText();
}

void AccessibleList::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = selectionIndex == 0 ? characterCount() : 0;
}

int AccessibleList::selectionCount() const
{
    return characterCount() > 0 ? 1 : 0;
}

int AccessibleList::cursorPosition() const
{
    return characterCount();
}

#if TRESSORA_LIST_SELECTION
QList<QAccessibleInterface *> AccessibleList::selectedItems() const
{
    const int row = list()->currentIndex();
    if (row < 0)
        return {};
    QAccessibleInterface *entries = QAccessible::queryAccessibleInterface(list()->view());
    QAccessibleTableInterface *table = entries != nullptr ? entries->tableInterface() : nullptr;
    QAccessibleInterface *entry =
        table != nullptr ? table->cellAt(row, list()->modelColumn()) : nullptr;
    if (entry == nullptr)
        return {};
    return {entry};
}

int AccessibleList::selectedItemCount() const
{
    return static_cast<int>(selectedItems().size());
}

bool AccessibleList::select(QAccessibleInterface *)
{
    return false;
}

bool AccessibleList::unselect(QAccessibleInterface *)
{
    return false;
}

bool AccessibleList::selectAll()
{
    return false;
}

bool AccessibleList::clear()
{
    return false;
}
#endif

void AccessibleList::announceEntry(QComboBox *list, const QString &previous)
{
    // The new entry goes in before the old one is taken out: a reader hears the entry inserted,
    // shown selected as the list's whole text, rather than a selection deleted.
    const QString entry = list->currentText();
    QAccessibleTextInsertEvent inserted(list, 0, entry);
    QAccessible::updateAccessibility(&inserted);
    QAccessibleTextRemoveEvent removed(list, static_cast<int>(entry.size()), previous);
    QAccessible::updateAccessibility(&removed);
    // Typing into the closed list searches its entries, and Qt announces the entry found as
    // focused, so that readers hear nothing of the list's text: the focus goes back to the list,
    // which they then read with the entry it now shows.
    if (!list->hasFocus())
        return;
    const QAbstractItemView *entries = list->view();
    if (!entries->isVisible() && entries->currentIndex().row() == list->currentIndex()) {
        QAccessibleEvent focus(list, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
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
