#include "seams.h"

#include <QAbstractButton>
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
    // The style draws a button's edge a shade darker than its window colour, which on the
    // box's own would hardly show.
    for (QAbstractButton* button : box.buttons()) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Window).darker(150));
        button->setPalette(palette);
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
