#pragma once

#include <QWidget>

// The mark around the label button that has the keys: labels draw no focus of their own.
// Blue inside a white edge, so that it shows on the white screen and the dark skin alike.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* window);

    // Around the control, just outside it, so it hides none of its caption or figure.
    void follow(const QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;
};
