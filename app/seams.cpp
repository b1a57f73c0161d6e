#include "seams.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QShortcutEvent>

namespace Seams {

namespace {
MessageHandler& messageHandler()
{
    static MessageHandler handler;
    return handler;
}

std::function<QDate()>& todaySource()
{
    static std::function<QDate()> source;
    return source;
}

// A box answers a key as the key comes up, as it answers Space and the pen: Return, Enter,
// Escape, a button's letter alone or with Alt. Answered on the way down, it closes before a
// screen reader has heard the key come up, and a reader that then takes the key for the
// window's return misses that return: what the keys land on is named without its screen.
// A key that went down before the box opened answers nothing.
class AnswerOnRelease : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_replaying)
            return false;
        switch (event->type()) {
        case QEvent::Shortcut: {
            const QKeySequence keys = static_cast<QShortcutEvent*>(event)->key();
            m_button = qobject_cast<QAbstractButton*>(watched);
            if (!m_button || keys.isEmpty())
                return false;
            m_down = {keys[0].key(), {}, {}};
            return true;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool answers = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
                || key->key() == Qt::Key_Escape
                || (key->text().size() == 1 && key->text().front().isLetter());
            if (!answers
                || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
                return false;
            if (!key->isAutoRepeat()) {
                m_button = nullptr;
                m_down = {key->key(), key->modifiers(), key->text()};
            }
            return true;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat() || !m_down.key || key->key() != m_down.key)
                return false;
            const Down down = std::exchange(m_down, {});
            m_replaying = true;
            if (m_button) {
                m_button->click();
            } else {
                // Where the keys are now: the key answers there, as had it gone down there.
                QKeyEvent press(QEvent::KeyPress, down.key, down.modifiers, down.text);
                QCoreApplication::sendEvent(watched, &press);
            }
            m_replaying = false;
            return true;
        }
        default:
            return false;
        }
    }

private:
    struct Down
    {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    Down m_down; // the key that answers as it comes up
    QPointer<QAbstractButton> m_button; // the one its shortcut named
    bool m_replaying = false;
};
} // namespace

void setMessageHandler(MessageHandler handler)
{
    messageHandler() = std::move(handler);
}

Answer showMessage(QWidget* parent, const Message& message)
{
    if (messageHandler())
        return messageHandler()(message);

    const auto buttons = message.buttons == Buttons::YesNo
        ? QMessageBox::Yes | QMessageBox::No
        : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, message.title, message.prompt, buttons, parent);
    auto* answerOnRelease = new AnswerOnRelease(&box);
    box.installEventFilter(answerOnRelease);
    // The style draws a button's edge a shade darker than its window colour, which on the
    // box's own would hardly show.
    for (QAbstractButton* button : box.buttons()) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Window).darker(150));
        button->setPalette(palette);
        button->installEventFilter(answerOnRelease);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Closing a Yes/No box by its frame counts as No, never as Yes.
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

void setToday(std::function<QDate()> today)
{
    todaySource() = std::move(today);
}

QDate today()
{
    return todaySource() ? todaySource()() : QDate::currentDate();
}

} // namespace Seams
