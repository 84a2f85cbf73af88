#include "outreach/frmNagScreen2.h"

#include "outreach/random.h"
#include "outreach/weblinks.h"
#include "ui_frmNagScreen2.h"
#include "widgets/linklabel.h"
#include "widgets/spokenas.h"
#include "widgets/windowstyle.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace tressora {
namespace {

// Shown in Label2, one of them drawn each time the window is created.
const char *const kSupportMessages[] = {
    QT_TRANSLATE_NOOP("tressora::frmNagScreen2",
    "Orvane Softwares, such as this can be created and maintained only with your support. The "
    "best way to support Orvane is to visit Orvane regularly and take part in the discussions "
    "and other activities on the board."),
    QT_TRANSLATE_NOOP("tressora::frmNagScreen2",
    "Visit Orvane regularly. Support Orvane by taking part in the discussions and other "
    "activities. These softwares cannot be supported and maintained, without you regularly "
    "visiting Orvane"),
    QT_TRANSLATE_NOOP("tressora::frmNagScreen2",
    "Orvane is a FREE online discussion forum for all things Orvane. To help Orvane develop and "
    "maintain this software visit Orvane regularly."),
    QT_TRANSLATE_NOOP("tressora::frmNagScreen2",
    "Orvane needs your help. All you need to do is visit Orvane regularly and take part in the "
    "various discussions and activites to help us maintain and develop more Orvane Softwares."),
};

// Focus that moves inside the window; switching to another window or opening a context menu
// leaves the box's text alone.
bool movesWithinWindow(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

frmNagScreen2::frmNagScreen2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::frmNagScreen2>())
{
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    prepareFixedWindow(this);
    // Readers read the farewell's message as the window opens, and call the big visit button
    // what it looks like and does: it springs back at once.
    speakAs(this, SpokenAs::Dialog);
    speakAs(ui->Check1, SpokenAs::PushButton);
    setPointSize(ui->Check1, 14.25);
    setPointSize(ui->Label2, 9.75);
    setPointSize(ui->Frame2, 9.75);
    setPointSize(ui->Frame6, 9.75);
    setPointSize(ui->cmdSubmit, 8.25);
    // The substitute face runs a little wider than the one the link was measured for: close
    // the letters up slightly so its last word is not cut off.
    QFont link = ui->lblGoToHome->font();
    link.setLetterSpacing(QFont::PercentageSpacing, 96);
    ui->lblGoToHome->setFont(link);

    // The text boxes take the window's plain font, not the bold caption font of their frame.
    QFont plain = font();
    plain.setBold(false);
    plain.setItalic(false);
    plain.setUnderline(false);
    for (QWidget *box : std::initializer_list<QWidget *>{
             ui->txtName, ui->txtEmail, ui->txtFriendEmail, ui->txtFriendName, ui->txtMessage}) {
        box->setFont(plain);
        box->installEventFilter(this);
        announceFocusFirst(box); // before the placeholder is cleared and the text selected
    }
    // The message box starts with its placeholder and a line break, in the user's language.
    ui->txtMessage->setPlainText(shownPlaceholder(messagePlaceholder) + QLatin1String("\r\n"));
    ui->Label1->setText(windowCaption());
    ui->Picture1->setBackgroundRole(QPalette::Base);
    ui->Picture1->setPixmap(programIcon().pixmap(32, 32));

    connect(ui->cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(ui->Check1, &QPushButton::clicked, this, &frmNagScreen2::Check1_Click);
    connect(ui->lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
    connect(ui->cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    ui->cmdClose->setFocus();
    Form_Load();
}

frmNagScreen2::~frmNagScreen2() = default;

namespace {
bool heldOffScreen = false;
} // namespace

void frmNagScreen2::showWindow()
{
    frmNagScreen2 *window = instance();
    if (heldOffScreen)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void frmNagScreen2::hideWindow()
{
    heldOffScreen = false;
    instance()->hide();
}

void frmNagScreen2::holdOffScreen()
{
    heldOffScreen = true;
}

QStringList frmNagScreen2::supportMessages()
{
    QStringList messages;
    for (const char *message : kSupportMessages)
        messages << tr(message);
    return messages;
}

void frmNagScreen2::Form_Load()
{
    seedRandomFromClock();
    const int index = static_cast<int>(drawUniform() * 4);
    ui->Label2->setText(supportMessages().at(index));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit endRequested();
}

void frmNagScreen2::cmdClose_Click()
{
    emit endRequested();
}

void frmNagScreen2::Check1_Click()
{
    // The button springs back at once, so every click opens the page once.
    if (ui->Check1->isChecked()) {
        ui->Check1->setChecked(false);
        OpenHomePage();
    }
}

void frmNagScreen2::lblGoToHome_Click()
{
    OpenSoftwaresPage();
}

void frmNagScreen2::cmdSubmit_Click()
{
    referral_ =
        ReferralText{trimBlanks(boxText(ui->txtName)), trimBlanks(boxText(ui->txtEmail)),
                     trimBlanks(boxText(ui->txtMessage)), trimBlanks(boxText(ui->txtFriendName)),
                     trimBlanks(boxText(ui->txtFriendEmail))};
    const QString refusal = addressRefusal(referral_);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return;
    }
    SendReferral();
}

void frmNagScreen2::SendReferral()
{
    const QString refusal = fillRefusal(referral_);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return;
    }
    OpenWebPage(composeReferralAddress(referral_, mainSiteHost(), productSiteAddress()));
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (movesWithinWindow(event))
            TextBox_GotFocus(watched);
        break;
    case QEvent::FocusOut:
        if (movesWithinWindow(event))
            TextBox_LostFocus(watched);
        break;
    case QEvent::KeyPress:
        if (watched == ui->txtEmail || watched == ui->txtFriendEmail)
            return EmailBox_KeyPress(static_cast<QWidget *>(watched),
                                     static_cast<const QKeyEvent *>(event));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmNagScreen2::TextBox_GotFocus(QObject *box)
{
    if (trimBlanks(boxText(box)) == placeholderOf(box))
        setBoxText(box, QString());
}

void frmNagScreen2::TextBox_LostFocus(QObject *box)
{
    if (trimBlanks(boxText(box)).isEmpty())
        setBoxText(box, placeholderOf(box));
}

bool frmNagScreen2::EmailBox_KeyPress(QWidget *box, const QKeyEvent *event)
{
    if (event->text() != QLatin1String(" "))
        return false;
    refuse(tr("Email Address Cannot Contain Space"));
    box->setFocus();
    return true;
}

void frmNagScreen2::refuse(const QString &message)
{
    QMessageBox::critical(this, applicationTitle(), message, QMessageBox::Ok);
    activateAgain(this);
}

QString frmNagScreen2::boxText(const QObject *box) const
{
    if (box == ui->txtMessage) {
        // Line breaks of the message are carriage return and line feed, as typed.
        QString text = ui->txtMessage->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
        text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
        return text;
    }
    return qobject_cast<const QLineEdit *>(box)->text();
}

void frmNagScreen2::setBoxText(QObject *box, const QString &text)
{
    if (box == ui->txtMessage)
        ui->txtMessage->setPlainText(text);
    else
        qobject_cast<QLineEdit *>(box)->setText(text);
}

QString frmNagScreen2::placeholderOf(const QObject *box) const
{
    if (box == ui->txtName)
        return shownPlaceholder(namePlaceholder);
    if (box == ui->txtEmail)
        return shownPlaceholder(emailPlaceholder);
    if (box == ui->txtFriendName)
        return shownPlaceholder(friendNamePlaceholder);
    if (box == ui->txtFriendEmail)
        return shownPlaceholder(friendEmailPlaceholder);
    return shownPlaceholder(messagePlaceholder);
}

} // namespace tressora
