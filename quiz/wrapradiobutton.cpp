#include "quiz/wrapradiobutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tressora {
namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
}

WrapRadioButton::WrapRadioButton(QWidget *parent)
    : QRadioButton(parent)
{}

QRect WrapRadioButton::textRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

QSize WrapRadioButton::sizeHint() const
{
    const QSize one = QRadioButton::sizeHint();
    const QRect text =
        fontMetrics().boundingRect(QRect(0, 0, textRect().width(), 1000), kTextFlags, this->text());
    return {one.width(), qMax(one.height(), text.height())};
}

void WrapRadioButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus; // the focus frame goes round the caption below
    painter.drawControl(QStyle::CE_RadioButton, option);

    const QRect area = textRect();
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    QRect used;
    painter.drawText(area, kTextFlags, caption, &used);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = used.adjusted(-1, 0, 1, 0).intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrapRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace tressora
