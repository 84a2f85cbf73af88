#include "widgets/readonlytext.h"

#include <QPoint>
#include <QRect>

namespace tressora {

void ReadOnlyText::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int ReadOnlyText::selectionCount() const
{
    return 0;
}

void ReadOnlyText::addSelection(int, int) {}

void ReadOnlyText::removeSelection(int) {}

void ReadOnlyText::setSelection(int, int, int) {}

int ReadOnlyText::cursorPosition() const
{
    return 0;
}

void ReadOnlyText::setCursorPosition(int) {}

QString ReadOnlyText::text(int startOffset, int endOffset) const
{
    if (startOffset < 0 || endOffset < startOffset)
        return QString();
    return shownText().mid(startOffset, endOffset - startOffset);
}

int ReadOnlyText::characterCount() const
{
    return static_cast<int>(shownText().size());
}

QRect ReadOnlyText::characterRect(int) const
{
    return QRect();
}

int ReadOnlyText::offsetAtPoint(const QPoint &) const
{
    return -1;
}

void ReadOnlyText::scrollToSubstring(int, int) {}

QString ReadOnlyText::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

} // namespace tressora
