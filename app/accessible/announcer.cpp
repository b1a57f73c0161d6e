#include "accessibility.h"
#include "accessible_p.h"
#include "announcer_p.h"
#include "frmMain.h"

#include <QApplication>
#include <QRegularExpression>

namespace accessible {

NoticeAccessible::NoticeAccessible(frmMain* window)
    : m_window(window)
{ }

QWindow* NoticeAccessible::window() const
{
    return m_window->windowHandle();
}

QAccessibleInterface* NoticeAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_window);
}

QString NoticeAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name ? m_message : QString();
}

Announcer::Announcer(frmMain* window, QObject* owner)
    : QObject(owner)
    , m_window(window)
{
    for (const char* marker :
         {"imgFood", "imgElectricity", "imgParking", "imgGas", "imgEntertainment", "imgSchool",
          "imgRent", "imgTelephone", "imgClothing", "imgReport", "imgFront", "lblEditNumber",
          "lblReportEdit"})
        window->findChild<QWidget*>(QLatin1String(marker))->installEventFilter(this);
    connect(window, &frmMain::messageBoxOpening, this, [this] {
        if (m_screenAway.isEmpty())
            m_screenAway = screenName(m_window);
    });
    connect(window, &frmMain::messageBoxAnswered, this, [this] {
        if (!m_window->messageBoxOpen() && !std::exchange(m_returning, true))
            QMetaObject::invokeMethod(this, &Announcer::returnEnded, Qt::QueuedConnection);
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { keysArrived(now); });
    m_screen = screenName(window);
}

Announcer::~Announcer()
{
    if (m_notice)
        QAccessible::deleteAccessibleInterface(m_notice);
}

QAccessibleInterface* Announcer::notice() const
{
    if (!m_notice)
        m_notice = QAccessible::registerAccessibleInterface(new NoticeAccessible(m_window));
    return QAccessible::accessibleInterface(m_notice);
}

void Announcer::announce(const QString& message)
{
    if (!QAccessible::isActive())
        return;
    auto* face = static_cast<NoticeAccessible*>(notice());
    face->say(message);
    QAccessibleEvent shown(face, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

bool Announcer::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::DynamicPropertyChange:
        screenChanging();
        break;
    default:
        break;
    }
    return false;
}

// Looked at once the handler that changes the screen has ended and placed the keys.
void Announcer::screenChanging()
{
    if (std::exchange(m_screenChanging, true))
        return;
    m_focusBefore = m_window->focusWidget();
    QMetaObject::invokeMethod(this, &Announcer::screenChanged, Qt::QueuedConnection);
}

// The keys entering a screen's panel name it; where they stay, or rest with the window,
// the window says the new screen itself.
void Announcer::screenChanged()
{
    m_screenChanging = false;
    const QString screen = screenName(m_window);
    if (screen == m_screen)
        return;
    m_screen = screen;
    accessibilityOf(m_window)->panelsRenamed();
    // A page of text is told with its first lines, as the keys on it would read them. Told
    // also where the keys land on the page text: a reader that skipped their visit elsewhere
    // (a menu, under load) finds them on the same text object and says nothing.
    QWidget* focus = m_window->focusWidget();
    const bool onText = m_window->showsText() && focus
        && focus == m_window->findChild<QWidget*>(QStringLiteral("imgFront"));
    if (!focus || focus == m_window || focus == m_focusBefore || onText)
        announce(QStringList {screen, pageText(m_window).section(QLatin1Char('\n'), 0, 0)}
                     .filter(QRegularExpression(QStringLiteral(".")))
                     .join(QStringLiteral(". ")));
}

// A screen changed by a box's answer is told as the keys come back, before the control they
// land on: a reader takes the window's return and the keys' arrival in either order, and
// after it may name no panel. The window may come back before or after the answer's handler
// has changed the screen.
void Announcer::keysArrived(QWidget* now)
{
    if (m_screenAway.isEmpty() || m_window->messageBoxOpen() || !now || now->window() != m_window
        || !m_window->isActiveWindow())
        return;
    const QString screen = screenName(m_window);
    if (screen != m_screenAway) {
        m_screenAway.clear();
        announce(screen);
    } else if (!m_returning) {
        m_screenAway.clear();
    }
}

// The handler that asked has ended; where the window already has the keys back and they
// stayed where they were, the screen is told now.
void Announcer::returnEnded()
{
    m_returning = false;
    if (m_window->messageBoxOpen() || !m_window->isActiveWindow() || m_screenAway.isEmpty())
        return;
    if (const QString screen = screenName(m_window); std::exchange(m_screenAway, {}) != screen)
        announce(screen);
}

} // namespace accessible
