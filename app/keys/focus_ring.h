#pragma once

#include <QWidget>

// The mark around the control that has the keys, field, drop-down list, option button, page
// text or label button: labels draw no focus of their own, and a field's tint or Qt's outline
// is too faint to find. Three pixels of dark blue between white: the blue shows on the white
// screen, the outer white on the dark bar and the glass, the inner on a field's dark edge.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* window);

    // Around the control, just outside it, so it hides none of its own caption or figure.
    void follow(const QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_inner = 1;
};
