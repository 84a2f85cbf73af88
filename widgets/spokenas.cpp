#include "widgets/spokenas.h"

#include "widgets/readonlytext.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeySequence>
#include <QLabel>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace tressora {
namespace {

constexpr const char *spokenAsProperty = "tressoraSpokenAs";

// The text of a button without its access-key marks: "E&xit" is read "Exit".
QString withoutAccessKeys(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain;
}

class SpokenPushButton : public QAccessibleWidget {
public:
    explicit SpokenPushButton(QAbstractButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = button()->accessibleName();
            return name.isEmpty() ? withoutAccessKeys(button()->text()) : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            button()->click();
    }

    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        const QKeySequence key = QKeySequence::mnemonic(button()->text());
        if (actionName != pressAction() || key.isEmpty())
            return {};
        return {key.toString(QKeySequence::NativeText)};
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
};

class SpokenText : public QAccessibleWidget {
public:
    explicit SpokenText(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        related.removeIf([this](const auto &relation) {
            return (relation.second & QAccessible::Label) &&
                   relation.first->object() == widget()->parentWidget();
        });
        return related;
    }
};

bool isSpokenAs(const QObject *object, SpokenAs kind)
{
    const QVariant made = object->property(spokenAsProperty);
    return made.isValid() && made.toInt() == static_cast<int>(kind);
}

// The texts of its own under the window (the labels spoken as Text), in reading order: the
// order readers walk the window's accessible tree in.
void collectOwnTexts(const QAccessibleInterface *node, QStringList &texts)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        const QObject *object = child->object();
        if (object != nullptr && isSpokenAs(object, SpokenAs::Text)) {
            if (const QString text = child->text(QAccessible::Name).trimmed(); !text.isEmpty())
                texts << text;
            continue;
        }
        collectOwnTexts(child, texts);
    }
}

// A window read out whole as it opens: readers that read a message's unlabelled texts find them
// as its children; readers that read a message's description instead, and skip short texts such
// as "50" among its children, find every one of them there, in reading order. The same words are
// the message's own text, which Orca 48 reads where it leaves the description out: when the
// window opens just as the one before it has gone, Orca 48 presents it as if the reader had been
// on it already, and it does not repeat a description there.
class SpokenMessage : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit SpokenMessage(QWidget *window)
        : QAccessibleWidget(window, QAccessible::AlertMessage)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return shownText();
        return QAccessibleWidget::text(t);
    }
    using ReadOnlyText::text;

    QString shownText() const override
    {
        QStringList texts;
        collectOwnTexts(this, texts);
        return texts.join(QLatin1String(", "));
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
};

QAccessibleInterface *spokenAsFactory(const QString &, QObject *object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    const QVariant kind = object->property(spokenAsProperty);
    if (!kind.isValid())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    switch (static_cast<SpokenAs>(kind.toInt())) {
    case SpokenAs::Dialog:
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    case SpokenAs::Message:
        return new SpokenMessage(widget);
    case SpokenAs::Text:
        if (auto *label = qobject_cast<QLabel *>(widget))
            return new SpokenText(label);
        return nullptr;
    case SpokenAs::PushButton:
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            return new SpokenPushButton(button);
        return nullptr;
    }
    return nullptr;
}

// Holds back the box's own handling of the focus until readers have been told of it: Qt tells
// them once the box has handled its FocusIn, so whatever the box reports while handling it
// (a caret, a selection, a cleared text) would reach them first. The held FocusIn is delivered
// in the next turn of the event loop, and at the latest before the box's next input or focus
// event, so no key typed at once reaches a box that has not yet taken the focus.
class FocusAnnouncer : public QObject {
public:
    explicit FocusAnnouncer(QWidget *box)
        : QObject(box)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (delivering_)
            return false;
        if (event == posted_) { // the held FocusIn, unless delivered already
            posted_ = nullptr;
            const bool delivered = !held_;
            held_ = false;
            return delivered;
        }
        switch (event->type()) {
        case QEvent::FocusIn:
            if (!QAccessible::isActive() || held_)
                return false;
            held_ = true;
            reason_ = static_cast<QFocusEvent *>(event)->reason();
            posted_ = new QFocusEvent(QEvent::FocusIn, reason_);
            QCoreApplication::postEvent(watched, posted_);
            return true;
        case QEvent::FocusOut:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Hide:
            deliverHeld(watched);
            return false;
        default:
            return false;
        }
    }

private:
    void deliverHeld(QObject *box)
    {
        if (!held_)
            return;
        held_ = false;
        delivering_ = true;
        QFocusEvent focusIn(QEvent::FocusIn, reason_);
        QCoreApplication::sendEvent(box, &focusIn);
        delivering_ = false;
    }

    bool held_ = false;
    bool delivering_ = false;
    Qt::FocusReason reason_ = Qt::OtherFocusReason;
    QEvent *posted_ = nullptr;
};

} // namespace

void speakAs(QWidget *widget, SpokenAs kind)
{
    static const bool installed = [] {
        QAccessible::installFactory(spokenAsFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(spokenAsProperty, static_cast<int>(kind));
    // Setting up the form may have made the interface Qt picks for the widget; dropped, the next
    // request makes this one.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceFocusFirst(QWidget *box)
{
    new FocusAnnouncer(box);
}

} // namespace tressora
