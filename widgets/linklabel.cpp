#include "widgets/linklabel.h"

#include <QMouseEvent>

namespace tressora {

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    if (label->property("autoSize").toBool())
        label->resize(caption.isEmpty() ? QSize(0, label->height()) : label->sizeHint());
}

} // namespace tressora
