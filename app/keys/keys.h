#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <string_view>
#include <vector>

class FocusRing;
class frmMain;
class QKeyEvent;
class QLabel;
class QListWidget;
class QWidget;

// The keys: each reaches what the pen reaches, through the window's public face (canAct,
// hold and let go, choose). Here are the key table, the reading order Tab follows, the
// meters' grid, the menu bar and its lists, and the ring that shows where the keys are.
class Keys : public QObject
{
public:
    explicit Keys(frmMain* window);

    // Tab and Backtab: the next control of use on this screen, in reading order.
    bool moveFocus(bool next);
    // As a handler ends; before is where the keys were when the user acted.
    void settleFocus(const QWidget* before, bool screenChanged = true);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class AfterKey { Nothing, WorkStrip, OpenList };
    struct HeldKey
    {
        int key = 0;
        QLabel* label = nullptr;
        QListWidget* list = nullptr;
        AfterKey after = AfterKey::Nothing;
    };
    struct Binding
    {
        int key;
        std::vector<QLabel*> labels;
        AfterKey after;
    };

    QLabel* label(std::string_view name) const;
    void buildReadingOrder();
    bool keyPressed(QObject* receiver, const QKeyEvent& key);
    void keyReleased();
    bool stripKey(QLabel* tab, const QKeyEvent& key);
    bool meterKey(const QLabel* meter, const QKeyEvent& key);
    bool menuListKey(QListWidget* list, const QKeyEvent& key);
    void holdKey(const HeldKey& held);
    void workStrip(QLabel* tab);
    void moveStripFocus(const QLabel* tab, int step);
    void rememberPageFocus();
    void leaveStrip();
    void openMenuList(QLabel* tab);
    void closeMenuList(QListWidget* list);
    QListWidget* menuListOf(const QLabel* tab) const;
    QLabel* tabOf(const QObject* object) const;
    std::vector<QWidget*> screenStops() const;
    bool isStop(const QWidget* control) const;
    void setKeyboardMode(bool keyboard);
    void updateFocusRing();

    frmMain* m_window;
    // The tabs of the top strip from left to right, and the lists they open.
    std::array<QLabel*, 4> m_tabs {};
    std::array<QListWidget*, 4> m_menuLists {};
    std::vector<Binding> m_bindings;
    QLabel* m_arrowUp = nullptr;
    QLabel* m_arrowDown = nullptr;
    QLabel* m_front = nullptr;
    HeldKey m_heldKey;
    // Every control the keyboard stops at, in reading order; Tab skips those off the screen.
    std::vector<QWidget*> m_tabChain;
    // Where Escape on the menu bar gives the keys back to.
    QPointer<QWidget> m_focusBeforeStrip;
    FocusRing* m_focusRing = nullptr;
    // The last input was a key, so the focus ring shows; a pen press hides it.
    bool m_keyboardMode = false;
};
