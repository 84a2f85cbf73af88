// A label that reports mouse clicks: the advert and link labels of every window.
#pragma once

#include <QLabel>

namespace tressora {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    // A left-button press and release both over the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// Sets a label's caption and, for labels that size themselves, fits the label to it while its
// left and top edges stay where they are.
void setCaption(QLabel *label, const QString &caption);

} // namespace tressora
