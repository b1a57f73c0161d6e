#pragma once

#include <QAccessible>
#include <QObject>

#include <array>

class frmMain;
class QAccessibleInterface;

namespace accessible {
enum class Group;
class Announcer;
} // namespace accessible

// What a screen reader meets in the window: every control named and described by the
// window's design and by what it shows, the pictures' texts readable, pages and choices
// announced, and every action taking the pen's own path, refused where a pen could not
// act. It reaches the window only through its public face; its parts live in
// app/accessible/.
class Accessibility : public QObject
{
    Q_OBJECT

public:
    // Before any control is made: Qt asks for a control's interface as it names it.
    static void install();
    explicit Accessibility(frmMain* window);
    ~Accessibility() override;

    // The panel of a screen's controls, made when a screen reader first asks.
    QAccessibleInterface* panel(accessible::Group group) const;
    // The window's notice of what the keys' arrival does not say.
    QAccessibleInterface* notice() const;
    // The panels made so far are told their names may have changed.
    void panelsRenamed() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameInputs();
    void nameRows();
    void describeChoice();

    frmMain* m_window;
    mutable std::array<QAccessible::Id, 5> m_panels {};
    accessible::Announcer* m_announcer;
};
