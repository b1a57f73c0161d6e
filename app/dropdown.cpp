#include "dropdown.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace {

class AfterFirstPaint : public QObject
{
public:
    explicit AfterFirstPaint(QWidget* first)
        : QObject(first)
    {
        for (auto* box : first->window()->findChildren<QComboBox*>()) {
            if (auto* dropDown = dynamic_cast<EditableDropDown*>(box))
                m_pending.emplace_back(dropDown);
        }
        first->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the frame being painted goes out first.
            QTimer::singleShot(0, this, &AfterFirstPaint::makeNext);
        }
        return false;
    }

private:
    // One list at a time, so that a click in between waits for one list at most.
    void makeNext()
    {
        if (m_pending.empty())
            return;
        if (m_pending.back())
            m_pending.back()->makeEditable();
        m_pending.pop_back();
        QTimer::singleShot(0, this, &AfterFirstPaint::makeNext);
    }

    std::vector<QPointer<EditableDropDown>> m_pending;
};

} // namespace

void EditableDropDown::setVisible(bool visible)
{
    if (visible)
        makeEditable();
    QComboBox::setVisible(visible);
}

void EditableDropDown::makeEditable()
{
    if (isEditable())
        return;
    setEditable(true);
    // The window filters the events of all its widgets for its keys; these parts too.
    for (QWidget* part : findChildren<QWidget*>())
        part->installEventFilter(window());
}

void EditableDropDown::makeEditableAfterPaint(QWidget* first)
{
    new AfterFirstPaint(first);
}
