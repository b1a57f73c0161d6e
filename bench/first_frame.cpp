// Starts, shows one window and ends as soon as its first frame has been painted. Built twice: once
// with the organiser window, once with a bare window of as many plain labels, so the two start-up
// costs can be compared side by side.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdlib>

#ifndef BARE_WINDOW
#include "frmMain.h"
#endif

namespace {

class FirstFrame : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Once the frame is out, end at once: tearing down is not start-up.
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef BARE_WINDOW
    QWidget window;
    window.setFixedSize(335, 512);
    for (int i = 0; i < 78; ++i) {
        auto* label = new QLabel(QStringLiteral("Label %1").arg(i), &window);
        label->setGeometry((i % 6) * 55, (i / 6) * 39, 54, 38);
    }
#else
    frmMain window;
#endif
    // Any widget's paint: a window covered by opaque pictures gets none of its own.
    FirstFrame probe;
    app.installEventFilter(&probe);
    window.show();
    return app.exec();
}
