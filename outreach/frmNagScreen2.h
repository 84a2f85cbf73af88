// The refer-a-friend window: the program's farewell, always on top until the program ends.
#pragma once

#include "outreach/referral.h"
#include "widgets/windowslot.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QKeyEvent;

namespace Ui {
class frmNagScreen2;
}

namespace tressora {

class frmNagScreen2 : public QWidget, public WindowSlot<frmNagScreen2> {
    Q_OBJECT
public:
    explicit frmNagScreen2(QWidget *parent = nullptr);
    ~frmNagScreen2() override;

    // The exit sequence: creates the window if needed and shows it, modeless and on top.
    static void showWindow();
    // The calculation and Back: creates the window if needed and leaves it hidden.
    static void hideWindow();
    // Back, before it closes the result window: the exit sequence that closing starts is
    // undone at once by hideWindow(), so until then showWindow() only creates the window.
    // Mapped and unmapped in one go, it would still reach the screen: Wine's window manager
    // handling leaves it there or loses it for the real exit, and screen readers announce it.
    static void holdOffScreen();

    // The four support messages Label2 draws from, in the user's language.
    static QStringList supportMessages();

    // The trimmed texts of the last press of "Refer A Friend Now"; they outlive the referral.
    const ReferralText &referralText() const { return referral_; }

    void cmdClose_Click();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();
    void SendReferral();
    void TextBox_GotFocus(QObject *box);
    void TextBox_LostFocus(QObject *box);
    // True when the key is refused and must not reach the box.
    bool EmailBox_KeyPress(QWidget *box, const QKeyEvent *event);

signals:
    // "E&xit" or the window's close (Form_Unload): the program ends.
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void refuse(const QString &message);
    QString boxText(const QObject *box) const;
    void setBoxText(QObject *box, const QString &text);
    QString placeholderOf(const QObject *box) const;

    std::unique_ptr<Ui::frmNagScreen2> ui;
    ReferralText referral_;
};

} // namespace tressora
