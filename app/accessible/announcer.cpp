#include "accessibility.h"
#include "accessible_p.h"
#include "announcer_p.h"
#include "frmMain.h"

#include <QApplication>
#include <QLabel>
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
    // What shows, hides or changes its picture or figures as the screen changes.
    for (qint16 category = 0; category < ledger::kCategoryCount; ++category)
        window->meter(category)->installEventFilter(this);
    for (const char* marker : {"imgReport", "imgFront", "lblEditNumber", "lblReportEdit"})
        window->findChild<QWidget*>(QLatin1String(marker))->installEventFilter(this);
    connect(window, &frmMain::messageBoxOpening, this, [this] { m_phase = Phase::Away; });
    connect(window, &frmMain::messageBoxAnswered, this, [this] {
        if (m_phase != Phase::Away || m_window->messageBoxOpen())
            return;
        m_phase = Phase::Returning;
        QMetaObject::invokeMethod(this, &Announcer::returned, Qt::QueuedConnection);
    });
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_phase == Phase::Away && keysBack()) {
            m_phase = Phase::Steady;
            tell(true);
        }
    });
    m_told = screenName(window);
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

bool Announcer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::DynamicPropertyChange)
        return false;
    // Before the keys land on it, for a screen reader listening: a new page of text is a new
    // object to it.
    if (QAccessible::isActive() && watched->objectName() == QLatin1String("imgFront")
        && m_window->showsText())
        renewPageText(static_cast<QLabel*>(watched));
    if (m_phase == Phase::Steady) {
        m_phase = Phase::Looking;
        m_keysBefore = m_window->focusWidget();
        QMetaObject::invokeMethod(this, &Announcer::looked, Qt::QueuedConnection);
    }
    return false;
}

void Announcer::looked()
{
    if (m_phase != Phase::Looking)
        return;
    m_phase = Phase::Steady;
    tell(m_window->focusWidget() != m_keysBefore);
}

void Announcer::returned()
{
    if (m_phase != Phase::Returning)
        return;
    m_phase = keysBack() ? Phase::Steady : Phase::Away;
    if (m_phase == Phase::Steady)
        tell(true);
}

bool Announcer::keysBack() const
{
    const QWidget* focus = QApplication::focusWidget();
    return !m_window->messageBoxOpen() && m_window->isActiveWindow() && focus
        && focus->window() == m_window;
}

// The keys arriving in a screen's panel name it, as do those arriving on a page of text, which
// is new to a screen reader with each page; keys coming back from a message box arrive
// wherever they land. Anywhere else, or where the keys stay, the window says the new screen
// itself, a page of text with its first line.
void Announcer::tell(bool keysMoved)
{
    const QString screen = screenName(m_window);
    if (screen == m_told)
        return;
    m_told = screen;
    accessibilityOf(m_window)->panelsRenamed();
    QWidget* focus = frmMain::controlOf(m_window->focusWidget());
    if (focus && focus->objectName() == QLatin1String("imgFront") && m_window->showsText()) {
        // Qt tells the keys' arrival; where they stayed, they arrive on the new page now.
        if (!keysMoved) {
            QAccessibleEvent arrived(focus, QAccessible::Focus);
            QAccessible::updateAccessibility(&arrived);
        }
        return;
    }
    if (keysMoved && focus && groupOf(focus) != Group::None)
        return;
    announce(QStringList {screen, pageText(m_window).section(QLatin1Char('\n'), 0, 0)}
                 .filter(QRegularExpression(QStringLiteral(".")))
                 .join(QStringLiteral(". ")));
}

} // namespace accessible
