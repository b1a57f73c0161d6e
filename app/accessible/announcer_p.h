#pragma once

#include "frmMain.h"

#include <QAccessible>
#include <QObject>
#include <QPointer>

namespace accessible {

// The window's notice, read as a notification: what it says of itself.
class NoticeAccessible : public QAccessibleInterface
{
public:
    explicit NoticeAccessible(frmMain* window);

    void say(const QString& message) { m_message = message; }

    bool isValid() const override { return m_window; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override { return {}; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<frmMain> m_window;
    QString m_message;
};

// What the window says of itself, beside what the keys' arrival says: a new screen and a new
// choice in a list, as a notice.
class Announcer : public QObject
{
public:
    Announcer(frmMain* window, QObject* owner);
    ~Announcer() override;

    // Made when a screen reader first asks, so that starting costs nothing.
    QAccessibleInterface* notice() const;
    void announce(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void screenChanging();
    void screenChanged();
    void keysArrived(QWidget* now);
    void returnEnded();

    frmMain* m_window;
    mutable QAccessible::Id m_notice = 0;
    QString m_screen;
    // The screen when a message box took the keys, until they are back and it is told.
    QString m_screenAway;
    bool m_returning = false; // the handler that asked is still running
    QPointer<QWidget> m_focusBefore;
    bool m_screenChanging = false;
};

} // namespace accessible
