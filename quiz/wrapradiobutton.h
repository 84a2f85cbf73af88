// An option button whose caption wraps onto further lines inside the button's width.
#pragma once

#include <QRadioButton>

namespace tressora {

class WrapRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit WrapRadioButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect textRect() const;
};

} // namespace tressora
