#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QWidget;

// The two things tests replace: the answer to a modal message box, and today's date.
namespace Seams {

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct Message
{
    QString prompt;
    QString title;
    Buttons buttons = Buttons::Ok;
};

using MessageHandler = std::function<Answer(const Message&)>;

// Replaces the real modal boxes; an empty handler brings them back.
void setMessageHandler(MessageHandler handler);
// A real modal QMessageBox (no icon) unless a handler is set.
Answer showMessage(QWidget* parent, const Message& message);

// Replaces the system clock's date; an empty function brings it back.
void setToday(std::function<QDate()> today);
QDate today();

} // namespace Seams
