// What a screen reader hears for a drop-down list: what the list asks ("Age"), then what it
// holds ("35"). Qt's own interface for lists gives the current entry as the name on Linux and
// leaves the question to a "labelled by" relation, which screen readers do not always follow.
// The entry shown is also the list's text, which every AT-SPI client can read (the value Qt
// keeps for it does not reach AT-SPI), and each new entry is announced as it is chosen. Where Qt
// has a selection interface, the entry shown is also the list's one selected item, the entry of
// its open list: readers that follow a list's selection rather than its text speak that item.
#pragma once

#include "widgets/readonlytext.h"

#include <QAccessibleWidget>
#include <QtGlobal>

// Qt has an accessible selection interface from 6.5 on.
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#define TRESSORA_LIST_SELECTION 1
#else
#define TRESSORA_LIST_SELECTION 0
#endif

class QComboBox;

namespace tressora {

class AccessibleList : public QAccessibleWidget,
                       public ReadOnlyText
#if TRESSORA_LIST_SELECTION
    ,
                       public QAccessibleSelectionInterface
#endif
{
public:
    explicit AccessibleList(QComboBox *list);

    // Name: the list's accessible name (its question), or its label's text when it has none;
    // Value: the entry shown.
    QString text(QAccessible::Text t) const override;
    using ReadOnlyText::text;
    QAccessible::State state() const override;
    // The open list of entries, so a reader can walk them.
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // The entry shown, as read-only text, all of it selected; the caret stays at its end.
    QString shownText() const override;
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    int cursorPosition() const override;

#if TRESSORA_LIST_SELECTION
    // The entry shown, as the one selected item of the open list (none while nothing is shown);
    // the user chooses entries with the list itself, not through a reader.
    int selectedItemCount() const override;
    QList<QAccessibleInterface *> selectedItems() const override;
    bool select(QAccessibleInterface *childItem) override;
    bool unselect(QAccessibleInterface *childItem) override;
    bool selectAll() override;
    bool clear() override;
#endif

    // Tells screen readers that the list now shows another entry (the list's own events do not
    // make them say it).
    static void announceEntry(QComboBox *list, const QString &previous);

private:
    QComboBox *list() const;
};

// Makes every drop-down list of the program speak through AccessibleList; once is enough.
void installAccessibleLists();

} // namespace tressora
