// The text interface of something that shows a text the user neither edits nor selects through a
// screen reader: readers can read the text whole or in pieces, and every request to change it,
// its caret or its selection is ignored. By default nothing is selected and the caret stays at
// the start; a class may say otherwise.
#pragma once

#include <QAccessibleTextInterface>
#include <QString>

namespace tressora {

class ReadOnlyText : public QAccessibleTextInterface {
public:
    // The text shown.
    virtual QString shownText() const = 0;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;
};

} // namespace tressora
