// What a screen reader hears for a drop-down list: what the list asks ("Age"), then what it
// holds ("35"). Qt's own interface for lists gives the current entry as the name on Linux and
// leaves the question to a "labelled by" relation, which screen readers do not always follow.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tressora {

class AccessibleList : public QAccessibleWidget {
public:
    explicit AccessibleList(QComboBox *list);

    // Name: the list's accessible name (its question), or its label's text when it has none;
    // Value: the entry shown.
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    // The open list of entries, so a reader can walk them.
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *list() const;
};

// Makes every drop-down list of the program speak through AccessibleList; once is enough.
void installAccessibleLists();

} // namespace tressora
