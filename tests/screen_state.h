#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>

// Readable failure messages for names and pictures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

// What the pages and the top strip put on the screen, for the tests of the
// shell: the overview's own controls are always there and are left out.
namespace ScreenState {

// The skin, the strip picture, the icons with their captions and the click areas.
inline constexpr const char* kAlwaysThere
    = "imgOstrel imgAllCategory imgFood imgElectricity imgParking imgGas "
      "imgEntertainment imgSchool imgRent imgTelephone imgClothing lblFood "
      "lblElectricity lblParking lblGas lblEntertainment lblSchool lblRent "
      "lblTelephone lblClothing lblArrowUp lblArrowDown lblNotes lblTasks lblContacts "
      "lblCalendar lblScrollDown lblScrollUp lblFind lblCalculator lblMenuButton "
      "lblApplications lblPowerButton";

inline bool alwaysThere(const QString& name)
{
    static const QStringList names = QString::fromLatin1(kAlwaysThere).split(QLatin1Char(' '));
    return names.contains(name);
}

inline QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end());
    return names;
}

inline QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result << QString::fromLatin1(name);
    return sorted(result);
}

// The visible controls besides the overview, sorted by name.
inline QStringList onScreen(const QWidget& window)
{
    QStringList visible;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !alwaysThere(child->objectName()))
            visible << child->objectName();
    }
    return sorted(visible);
}

// Everything a user could see change: which controls show, where the page
// picture lies and what it shows, every caption, text, border and fill.
inline std::string snapshot(const QWidget& window)
{
    QStringList lines;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QString line = child->objectName()
            + (child->isVisible() ? QStringLiteral(" shown ") : QStringLiteral(" hidden "));
        if (const auto* label = qobject_cast<const QLabel*>(child)) {
            line += label->text() + QLatin1Char('|') + label->property("pictureFile").toString()
                + QStringLiteral("|%1,%2|frame %3|fill %4|%5")
                      .arg(label->x())
                      .arg(label->y())
                      .arg(label->frameShape())
                      .arg(label->autoFillBackground())
                      .arg(label->palette().color(QPalette::WindowText).name());
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(child)) {
            line += edit->text();
        } else if (const auto* combo = qobject_cast<const QComboBox*>(child)) {
            line += combo->currentText();
        } else if (const auto* list = qobject_cast<const QListWidget*>(child)) {
            line += QString::number(list->currentRow());
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace ScreenState
