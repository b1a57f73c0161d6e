#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>

#include <array>

class frmMain;
class QAccessibleInterface;
class QWidget;

// What a screen reader meets in the window: every control named and described by the
// window's design and by what it shows, the pictures' texts readable, pages and choices
// announced, and every action taking the pen's own path, refused where a pen could not
// act. It reaches the window only through its public face.
class Accessibility : public QObject
{
    Q_OBJECT

public:
    // Before any control is made: Qt asks for a control's interface as it names it.
    static void install();
    explicit Accessibility(frmMain* window);
    ~Accessibility() override;

    // The panel of a screen's controls, by its group; after the panels, the announcer.
    static constexpr int kPanels = 5;
    QAccessibleInterface* panel(int group) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QAccessibleInterface* interfaceFor(const QString& className, QObject* object);
    void nameInputs();
    void nameRows();
    void describeChoice();
    void announce(const QString& message);
    void screenChanging();
    void screenChanged();
    void keysArrived(QWidget* now);
    void returnEnded();

    frmMain* m_window;
    mutable std::array<QAccessible::Id, kPanels + 1> m_own {};
    QString m_screen;
    // The screen when a message box took the keys, until they are back and it is told.
    QString m_screenAway;
    bool m_returning = false; // the handler that asked is still running
    QPointer<QWidget> m_focusBefore;
    bool m_screenChanging = false;
};
