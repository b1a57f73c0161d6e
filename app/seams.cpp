#include "seams.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>

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

// A box answers Return, Enter and Escape as the key comes up, as it answers Space and the
// pen. Answered on the way down, it closes before a screen reader has heard the key come up,
// and a reader that then takes the key for the window's return misses that return and what
// the keys land on is named without its screen. A key that went down before the box opened
// answers nothing.
class AnswerOnRelease : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (m_replaying || (type != QEvent::KeyPress && type != QEvent::KeyRelease))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter
            && key->key() != Qt::Key_Escape)
            return false;
        if (type == QEvent::KeyPress) {
            if (!key->isAutoRepeat())
                m_down = key->key();
            return true;
        }
        if (key->isAutoRepeat() || key->key() != m_down)
            return true;
        m_down = 0;
        QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        m_replaying = true;
        QCoreApplication::sendEvent(watched, &press);
        m_replaying = false;
        return true;
    }

private:
    int m_down = 0;
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
