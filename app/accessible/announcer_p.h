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

// What the window says of itself where the keys' arrival does not say it: a new screen, and
// a new choice in a list, as a notice.
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
    // Where the announcer stands. The events it takes, in the order they come:
    // 1. A handler changes what the screen shows (a marker shows, hides or changes):
    //    Steady -> Looking, the keys' place kept and a look queued for when the handler has
    //    ended and placed the keys.
    // 2. The look: Looking -> Steady, the new screen told (tell) unless the keys told it.
    // 3. A message box opens: any -> Away. What the screen does meanwhile waits for the return.
    // 4. The last open box is answered: Away -> Returning, a look queued for when the handler
    //    that asked has ended.
    // 5. That handler has ended: Returning -> Steady with the screen told if the window has the
    //    keys back, or Away until they come.
    // 6. The keys come back to the window: Away -> Steady, the screen told.
    enum class Phase { Steady, Looking, Away, Returning };

    void looked();
    void returned();
    bool keysBack() const;
    void tell(bool keysMoved);

    frmMain* m_window;
    mutable QAccessible::Id m_notice = 0;
    Phase m_phase = Phase::Steady;
    QString m_told; // the screen as last told
    QPointer<QWidget> m_keysBefore; // while Looking
};

} // namespace accessible
