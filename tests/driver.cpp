#include "driver.h"

#include "inventory.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>
#include <meter.h>
#include <transaction_line.h>

using ledger::CategoryRecord;
using ledger::Money;

namespace {

// clang-format off
const QStringList kIcons = {"imgFood", "imgElectricity", "imgParking", "imgGas", "imgEntertainment", "imgSchool",
                            "imgRent", "imgTelephone", "imgClothing"};
const QStringList kKeys = {"Return", "Esc", "PgUp", "PgDown", "F10", "F1", "Left", "Right", "Up", "Down", "Tab",
                           "Shift+Tab", "Space", "Enter"};
// Texts typed into the inputs: first some that every check accepts, then hostile ones.
constexpr int kPlausible = 8;
const QStringList kTexts = {
    "0.1", "2.50", "12", "7.25", "-7.25", "41", "12/5/26", "Lunch", "", " ", "1e5", "1,000", "$5", "-0", "5.", ".5",
    "+3", "0.00005", "99999999999.9999", "100000000000", "-99999999999.9999", "0", "217.12", "0.0001", "-0.00015",
    " 5", "a, b", "1, $2, x, y", "$", "Cash", "Food", "日本語の説明", "Ωμέγα Привет عربى", "😀𝄞", "a\tb", "x\ny",
    "\x1b\b\r", "\x01\x7f\u200b\u202e", QString(300, u'9'), QString("1.").repeated(700), QString(", $").repeated(2000)};
// Inputs come six times as often as captions, pictures and the organiser's buttons, and
// buttons, tabs, lists and option buttons three times, so the walk gets deep into the pages.
const QMap<Kind, int> kWeights = {{Kind::TextBox, 6}, {Kind::ComboBox, 6}, {Kind::ChoiceList, 6},
    {Kind::ActionButton, 3}, {Kind::MenuTab, 3}, {Kind::ListBox, 3}, {Kind::OptionArray, 3}};
// The controls each page shows besides its picture; "" is the start-up About picture.
const std::map<QString, QStringList> kGroups = {
    {"", {"lblAboutOK"}}, {"about.jpg", {"lblAboutOK"}}, {"overview", {}}, {"FAQ1.jpg", {}}, {"FAQ2.jpg", {}},
    {"report1.jpg", QString("lblAvailable lblBudgeted txtDate txtAmount lblCategory txtDescription cboPayment "
                            "lblReportBack lblReportReset lblReportDone imgReport").split(' ')},
    {"report2.jpg", {"picReport", "optReport", "lblReportEdit", "lblReportDelete"}},
    {"edit.jpg", QString("lblEditNumber txtDate txtAmount txtDescription lblCategory cboPayment lblEditCancel "
                         "lblEditReset lblEditDone").split(' ')},
    {"Setup.jpg", QString("txtTotal cboInterval cboCateName cboCategory txtBudgetAmount txtAlertAmount lblBudget "
                          "lblSetupCancel lblSetupReset lblSetupEdit").split(' ')},
    {"Transfer.jpg", QString("txtTransAmount cboTransFrom cboTransTo lblTransCancel lblTransReset lblTransDone").split(' ')}};
// Where the keys go after each refusal, as written: to the input to mend.
const std::map<QString, QString> kRefusals = {{"Please enter an Amount.", "amount"},
    {"Please enter a number for amount.", "amount"}, {"You do not have enough money available to make this purchase.", "amount"},
    {"Overdraft after this modification!!", "amount"}, {"Overdraft of category", "amount"}, {"The amount is too large.", "amount"},
    {"Please choose the category FROM.", "cboTransFrom"}, {"Please choose the category TO.", "cboTransTo"},
    {"Please choose two different categories.", "cboTransTo"}, {"Please enter the description without a comma.", "txtDescription"},
    {"Please enter the date without a comma or a dollar sign.", "txtDate"}};
// clang-format on

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QString dollars(double value)
{
    return u'$' + qs(ledger::amountText(value));
}

QWidget* control(const frmMain& window, const QString& name)
{
    return window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

// One of the inventory's controls; another child, a focus frame say, is none.
bool isControl(const QWidget* child)
{
    return findControlSpec(child->objectName().section(u'(', 0, 0).toStdString());
}

// What a control shows: its text, its chosen entry, or the file of its picture.
QString shows(const QWidget* widget)
{
    const auto* list = qobject_cast<const QListWidget*>(widget);
    const char* text = qobject_cast<const QComboBox*>(widget) ? "currentText" : "text";
    const QString picture = widget->property("pictureFile").toString();
    return list ? (list->currentItem() ? list->currentItem()->text() : "")
                : (picture.isEmpty() ? widget->property(text).toString() : picture);
}

// WCAG's relative luminance, 0 to 1.
double luminance(QRgb c)
{
    const auto linear = [](int v) {
        return v <= 10 ? v / 3294.6 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double ratio(double one, double other)
{
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

// The mark around the control with the keys, in the window's pixels with the focus ring and
// without: out from the middle of each side, at least 2 pixels (at the window's scale) 3:1 or
// more from the same pixels unmarked, and the mark 3:1 against what lies beyond it.
// "" or where it falls short.
QString markFault(frmMain& window)
{
    QWidget *focus = window.focusWidget(), *ring = window.findChild<QWidget*>("focusRing");
    if (!focus || focus->parentWidget() != &window || qobject_cast<QListWidget*>(focus))
        return {};
    const QImage marked = window.grab().toImage();
    const bool drawn = ring->isVisible();
    ring->hide();
    const QImage plain = window.grab().toImage();
    ring->setVisible(drawn);
    const qreal d = marked.devicePixelRatio();
    const QRect r = inPixels(marked, focus->geometry());
    const QPoint c = r.center();
    QString fault;
    for (const auto& [from, out] : {std::pair {QPoint(c.x(), r.top() - 1), QPoint(0, -1)},
                                    {QPoint(c.x(), r.bottom() + 1), QPoint(0, 1)},
                                    {QPoint(r.left() - 1, c.y()), QPoint(-1, 0)},
                                    {QPoint(r.right() + 1, c.y()), QPoint(1, 0)}}) {
        QList<QRgb> mark;
        int strong = 0;
        double against = 0; // of the mark against what lies beyond it
        for (QPoint p = from; marked.rect().contains(p) && p != from + out * qRound(10 * d);
             p += out) {
            const QRgb ink = marked.pixel(p);
            if (ink == plain.pixel(p) && strong > 0) {
                for (const QRgb inner : std::as_const(mark))
                    against = std::max(against, contrast(inner, ink));
                break;
            }
            strong += contrast(ink, plain.pixel(p)) >= 3;
            if (ink != plain.pixel(p))
                mark << ink;
        }
        if (strong < qRound(2 * d) || against < 3)
            fault += QString::asprintf("%s %d px thick, %.1f:1 at (%d,%d); ",
                                       qPrintable(focus->objectName()), strong, against, from.x(),
                                       from.y());
    }
    return fault;
}

// The picture in imgFront, "" for the built-in About, "overview" when none covers the icons.
QString openPage(const frmMain& window)
{
    const QWidget* front = control(window, "imgFront");
    return front->isVisible() ? shows(front) : "overview";
}

// Purple with white text while held, drawn inside its black border if it has one;
// transparent with black text after.
QString look(QWidget* label)
{
    const QPalette colours = label->palette();
    const QColor text = colours.color(label->foregroundRole()), purple(110, 0, 170);
    if (label->autoFillBackground() && colours.color(QPalette::Window) == purple
        && text == QColor(Qt::white)) {
        const QImage face = label->grab().toImage();
        const bool border = static_cast<QFrame*>(label)->frameShape() == QFrame::NoFrame
            || QColor(face.pixel(0, face.height() / 2)) == Qt::black;
        return QColor(face.pixel(2, 2)) == purple && border ? "pressed" : "neither";
    }
    return !label->autoFillBackground() && text == QColor(Qt::black) ? "released" : "neither";
}

// What a screen reader is told.
QString accessible(QWidget* widget, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QStringLiteral("(not accessible)");
}

// All the money a category was given: what is available plus what its lines spent.
Money holding(const CategoryRecord& record)
{
    Money sum = Money::fromDouble(record.Available);
    for (int i = 0; i < ledger::lineCount(record); ++i)
        sum = sum + ledger::lineAmount(record.Lines[std::size_t(i)]).value_or(Money());
    return sum;
}

// What the bus offers on an interface: its actions; text, replace, insert and value with a
// text; delete, select, cursor and row with offsets "a b".
QStringList busWays(QAccessibleInterface* face)
{
    const bool typed = face->textInterface(), edited = typed && face->editableTextInterface();
    const QString ways = QStringLiteral("text") + (typed ? " select cursor" : "")
        + (edited ? " replace insert delete" : "") + (face->valueInterface() ? " value" : "")
        + (face->tableInterface() ? " row" : "");
    return (face->actionInterface() ? face->actionInterface()->actionNames() : QStringList())
        + ways.split(u' ');
}

} // namespace

QRect inPixels(const QImage& image, QRectF area)
{
    const qreal d = image.devicePixelRatio();
    return QRectF(area.topLeft() * d, area.size() * d).toRect();
}

double contrast(QRgb a, QRgb b)
{
    return ratio(luminance(a), luminance(b));
}

// The ink is taken among the pixels that stand out at least half as far (in ratio) as the
// farthest, at the tenth strongest of them in a hundred: a few stray pixels pass no faint
// text, and a thin text counts as only as dark as most of its strokes.
double contrast(const QImage& image, QRect area)
{
    std::vector<double> shades, ratios;
    std::map<int, std::vector<double>> bands; // shades in steps a person barely tells apart
    for (int i = 0; i < area.width() * area.height(); ++i) {
        const QPoint at = area.topLeft() + QPoint(i % area.width(), i / area.width());
        shades.push_back(luminance(image.pixelColor(at).rgb()));
        bands[int(std::sqrt(shades.back()) * 40)].push_back(shades.back());
    }
    auto common = std::max_element(bands.begin(), bands.end(), [](auto& a, auto& b) {
                      return a.second.size() < b.second.size();
                  })->second;
    std::nth_element(common.begin(), common.begin() + common.size() / 2, common.end());
    for (const double shade : shades)
        ratios.push_back(ratio(shade, common[common.size() / 2]));
    std::sort(ratios.begin(), ratios.end(), std::greater());
    const auto strong
        = std::upper_bound(ratios.begin(), ratios.end(), std::sqrt(ratios[0]), std::greater());
    return ratios[std::size_t(strong - ratios.begin()) / 10];
}

Driver::Driver()
{
    qApp->installEventFilter(this);
    Seams::setToday([this] { return today; });
    Seams::setMessageHandler([this](const Seams::Message& box) {
        static const QRegularExpression done(R"(^Transaction No\.(\d+) has been (\w+)\.$)");
        static const QRegularExpression asked(
            R"(^Do you want to delete transaction no\.(\d+) \?$)");
        const bool question = box.buttons == Seams::Buttons::YesNo;
        const QString title = box.title == "Ostrel" ? "" : box.title + ": ";
        boxes << title + box.prompt + (question ? " [Yes/No]" : "");
        if (const auto match = done.match(box.prompt); match.hasMatch())
            claims << match.captured(2) + u' ' + match.captured(1);
        if (const auto match = asked.match(box.prompt); match.hasMatch() && m_yes)
            claims << "deleted " + match.captured(1);
        if (box.prompt.startsWith("Transfer $"))
            claims << QStringLiteral("transfer");
        // The amount box a refusal names is the one on the screen.
        QString amount;
        for (const char* name : {"txtAmount", "txtTransAmount"})
            amount = control(*window, name)->isVisible() ? name : amount;
        // A modal box's own loop runs what a screen reader sends meanwhile.
        if (!m_underBox.isEmpty() && perform(std::exchange(m_underBox, {})))
            QCoreApplication::processEvents();
        QString held;
        for (QLabel* label : window->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            held += look(label) == "pressed" ? " under held " + label->objectName() : "";
        log << "box over " + openPage(*window) + held;
        const QString refused
            = box.prompt.section(u' ', 0, box.prompt.startsWith("Overdraft of") ? 2 : -1);
        m_keysDue = kRefusals.contains(refused) ? kRefusals.at(refused) : "";
        m_keysDue = m_keysDue == "amount" ? amount : m_keysDue;
        return !question ? Seams::Answer::Ok : m_yes ? Seams::Answer::Yes : Seams::Answer::No;
    });
}

Driver::~Driver()
{
    qApp->removeEventFilter(this);
    Seams::setMessageHandler({});
    Seams::setToday({});
}

void Driver::start()
{
    window = std::make_unique<frmMain>();
    window->show();
    window->activateWindow();
    // Focus moves unseen in a window not yet active: no control would hear of it.
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* timer = window->findChild<QTimer*>("tim1");
    startupMilliseconds = timer->remainingTime();
    timer->start(24 * 3600 * 1000);
    m_keysHeld.clear();
    m_mouseHeld = false;
}

bool Driver::eventFilter(QObject* watched, QEvent* event)
{
    auto* on = qobject_cast<QWidget*>(watched);
    if (!on || !window || on->window() != window.get() || on == window.get())
        return false;
    if (event->type() == QEvent::ToolTipChange && kIcons.contains(on->objectName()))
        log << on->objectName();
    const auto* focus
        = event->type() == QEvent::FocusIn ? static_cast<QFocusEvent*>(event) : nullptr;
    if (focus && focus->reason() != Qt::MouseFocusReason
        && focus->reason() != Qt::ActiveWindowFocusReason)
        m_landed << on;
    return false;
}

QString Driver::step(const QString& line, const std::function<void()>& call)
{
    const ledger::CategoryTable before = window->categories();
    const int selected = window->selectedLine();
    const QString page = openPage(*window);
    static const QRegularExpression parts(R"(^(yes )?(?:then ([^|]*) \| )?(.*)$)",
                                          QRegularExpression::DotMatchesEverythingOption);
    const auto match = parts.match(line);
    const QString s = match.captured(3);
    m_yes = match.hasCaptured(1);
    m_underBox = match.captured(2);
    claims.clear();
    m_keysDue.clear();
    m_markFault.clear();
    m_landed.clear();
    const bool reached = call ? (call(), true) : perform(s);
    if (!reached && strict)
        return "script: " + s + " is out of reach";
    // A click elsewhere closes any list a key opened; a screen reader may go on in it.
    while (QWidget* popup = s.startsWith("bus ") ? nullptr : QApplication::activePopupWidget())
        popup->close();
    QCoreApplication::processEvents();
    if (s == "click lblPowerButton")
        return window->isVisible() ? "screen: the power stays on" : "";
    const QString keys = window->focusWidget() ? window->focusWidget()->objectName() : "";
    if (!m_markFault.isEmpty())
        return "focus: " + m_markFault;
    if (!m_keysDue.isEmpty() && keys != m_keysDue)
        return "keys: on '" + keys + "' after a refusal that names " + m_keysDue;
    for (const QWidget* on : std::as_const(m_landed)) {
        if (on && window->isVisible() && !frmMain::reachable(on))
            return "keys: passed through " + on->objectName() + ", which is not on the screen";
    }
    return Checks::ledgerFault(window->categories())
        + Checks::moneyFault(before, window->categories(), window->currentCategory(), selected,
                             claims, page)
        + Checks::screenFault(*window, m_mouseHeld || !m_keysHeld.empty());
}

QString Driver::randomStep(std::mt19937& random)
{
    const auto below = [&](qsizetype n) {
        return qsizetype(random() % quint32(n));
    };
    // Anything the bus offers on any control but the power button, or on its children.
    const auto busStep = [&] {
        const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QWidget* w = nullptr;
        while (!w || !isControl(w) || w->objectName() == "lblPowerButton")
            w = children[below(children.size())];
        QList<std::pair<QAccessibleInterface*, QString>> faces
            = {{QAccessible::queryAccessibleInterface(w), "bus " + w->objectName()}};
        QStringList offers;
        for (qsizetype n = 0; n < faces.size(); ++n) {
            const auto [face, path] = faces[n];
            for (const QString& way : busWays(face))
                offers << path + u' ' + way;
            for (int i = 0; path.count(u'/') < 2 && i < face->childCount(); ++i)
                faces.append({face->child(i), path + u'/' + QString::number(i)});
        }
        const QString offer = offers[below(offers.size())], way = offer.section(u' ', 2);
        const QString& text = kTexts[below(2) ? below(kPlausible) : below(kTexts.size())];
        if (QStringList {"delete", "select", "cursor", "row"}.contains(way))
            return offer + QStringLiteral(" %1 %2").arg(below(9)).arg(below(9));
        return QStringList {"text", "replace", "insert", "value"}.contains(way)
            ? offer + " \"" + text + u'"'
            : offer;
    };
    // The screen reader acts now and then, and now and then under the step's first box.
    const QString ahead = (below(2) ? "yes " : "") + (below(4) ? "" : "then " + busStep() + " | ");
    if (below(8) == 0)
        return ahead + busStep();
    if (window->findChild<QTimer*>("tim1")->isActive() && below(16) == 0)
        return QStringLiteral("tick");
    static const QStringList keyed = {"key ", "key ", "key ", "key ", "hold ", "letgo "};
    if (below(8) == 0)
        return ahead + keyed[below(keyed.size())] + kKeys[below(kKeys.size())];
    if (below(4000) == 0 && reach(control(*window, "lblPowerButton")))
        return QStringLiteral("click lblPowerButton");
    // Three times in four a step among the inputs, buttons, tabs and lists; a text passes
    // every check half the time, so money moves often; nobody types a long text key by key.
    QStringList all, busy;
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = w->objectName();
        if (name == "lblPowerButton" || !isControl(w) || !reach(w))
            continue;
        // The strip opens the menu bar's tabs as a tab opens its list: weighed alike.
        const Kind kind = name == "imgAllCategory"
            ? Kind::MenuTab
            : controlSpec(name.section(u'(', 0, 0).toStdString()).kind;
        const QString& text = kTexts[below(2) ? below(kPlausible) : below(kTexts.size())];
        auto* list = qobject_cast<QListWidget*>(w);
        auto* combo = qobject_cast<QComboBox*>(w);
        QStringList steps;
        for (int row = 0; list && row < list->count(); ++row) {
            if (reach(list->viewport(), list->visualItemRect(list->item(row)).center()))
                steps << "pick " + name + u' ' + list->item(row)->text();
        }
        if (combo)
            steps << "choose " + name + u' ' + combo->itemText(int(below(combo->count())));
        if (qobject_cast<QLineEdit*>(w) || (combo && combo->isEditable()))
            steps << (text.size() > 40 || below(4) == 0 ? "paste " : "type ") + name + u' ' + text;
        else if (!list && !combo)
            steps << "click " + name;
        for (const QString& step : steps)
            (kWeights.contains(kind) ? busy : all)
                << QStringList(kWeights.value(kind, 1), ahead + step);
    }
    const QStringList pool = busy.isEmpty() || below(4) == 0 ? all + busy : busy;
    return pool[below(pool.size())];
}

QWidget* Driver::reach(QWidget* w, std::optional<QPoint> at, QPoint* local) const
{
    const QPoint point = w ? w->mapTo(window.get(), at.value_or(w->rect().center())) : QPoint();
    QWidget* hit = w && w->isVisible() ? window->childAt(point) : nullptr;
    if (!hit || (hit != w && !w->isAncestorOf(hit)))
        return nullptr;
    if (local)
        *local = hit->mapFrom(window.get(), point);
    return hit;
}

bool Driver::perform(const QString& step)
{
    const QString verb = step.section(u' ', 0, 0), target = step.section(u' ', 1, 1);
    const QString text = step.section(u' ', verb == "bus" ? 3 : 2);
    const bool quoted = text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"');
    const QString bare = quoted ? text.mid(1, text.size() - 2) : text;
    return verb == "bus" ? bus(target, step.section(u' ', 2, 2), bare) : apply(verb, target, bare);
}

// As a screen reader reaches a control: through its interfaces, whatever the screen shows.
bool Driver::bus(const QString& path, const QString& what, const QString& text)
{
    QWidget* w = control(*window, path.section(u'/', 0, 0));
    QAccessibleInterface* face = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    for (const QString& index : path.split(u'/').mid(1))
        face = face ? face->child(index.toInt()) : nullptr;
    if (!face || !busWays(face).contains(what))
        return false;
    QAccessibleTextInterface* typed = face->textInterface();
    QAccessibleEditableTextInterface* editable = face->editableTextInterface();
    const int a = text.section(u' ', 0, 0).toInt(), b = text.section(u' ', 1, 1).toInt();
    if (face->actionInterface() && face->actionInterface()->actionNames().contains(what))
        face->actionInterface()->doAction(what);
    else if (what == "text")
        face->setText(QAccessible::Value, text);
    else if (what == "replace")
        editable->replaceText(0, typed->characterCount(), text);
    else if (what == "insert")
        editable->insertText(typed->cursorPosition(), text);
    else if (what == "delete")
        editable->deleteText(a, b);
    else if (what == "select")
        typed->setSelection(0, a, b);
    else if (what == "cursor")
        typed->setCursorPosition(a);
    else if (what == "value")
        face->valueInterface()->setCurrentValue(text.toDouble());
    else
        face->tableInterface()->selectRow(a);
    return true;
}

bool Driver::apply(const QString& verb, const QString& target, const QString& text)
{
    auto* timer = window->findChild<QTimer*>("tim1");
    if (verb == "tick" && timer->isActive()) {
        timer->start(0);
        return QTest::qWaitFor([&] { return !timer->isActive(); }, 1000);
    }
    // Keys go to the control that has the focus, or to the window when none has.
    const auto key = [&](QTest::KeyAction action, int code, Qt::KeyboardModifiers with = {},
                         QString typed = {}) {
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::sendKeyEvent(action, focus, Qt::Key(code), typed, with);
    };
    if (verb == "key" || verb == "hold" || verb == "letgo") {
        const QKeyCombination pressed = QKeySequence(target.section(u'*', 0, 0))[0];
        // X sends Shift+Tab as Backtab.
        const int code = pressed == (Qt::SHIFT | Qt::Key_Tab) ? Qt::Key_Backtab : pressed.key();
        const int times = target.contains(u'*') ? target.section(u'*', 1).toInt() : 0;
        verb == "hold" ? (void)m_keysHeld.insert(code) : (void)m_keysHeld.erase(code);
        for (int i = 0; i < std::max(times, 1); ++i) {
            key(verb == "key"        ? QTest::Click
                    : verb == "hold" ? QTest::Press
                                     : QTest::Release,
                code, pressed.keyboardModifiers());
            if (times) {
                stops << window->focusWidget()->objectName();
                m_markFault += markFault(*window);
            }
        }
        return true;
    }
    QWidget* w = control(*window, target);
    auto* list = qobject_cast<QListWidget*>(w);
    auto* combo = qobject_cast<QComboBox*>(w);
    const auto items = list ? list->findItems(text, Qt::MatchExactly) : QList<QListWidgetItem*>();
    const auto button = text.startsWith("right") ? Qt::RightButton
        : text.startsWith("middle")              ? Qt::MiddleButton
                                                 : Qt::LeftButton;
    QPoint at;
    QWidget* hit = !list  ? reach(w, {}, &at)
        : items.isEmpty() ? nullptr
                          : reach(list->viewport(), list->visualItemRect(items[0]).center(), &at);
    if (verb == "release" && w) {
        m_mouseHeld = false;
        QTest::mouseRelease(w, button, {},
                            text.endsWith("off") ? QPoint(-20, -20) : w->rect().center());
        return true;
    }
    if (!hit || !QStringList({"click", "press", "pick", "choose", "type", "paste"}).contains(verb)
        || (verb == "choose" && (!combo || combo->findText(text) < 0)))
        return false;
    m_mouseHeld = verb == "press";
    if (verb == "choose") {
        combo->showPopup();
        const QModelIndex item = combo->view()->model()->index(combo->findText(text), 0);
        QWidget* entries = combo->view()->viewport();
        QTest::mouseClick(entries, Qt::LeftButton, {}, combo->view()->visualRect(item).center());
        return true;
    }
    QTest::mousePress(hit, button, {}, at);
    if (verb != "press")
        QTest::mouseRelease(hit, button, {}, at);
    if (verb != "type" && verb != "paste")
        return true;
    // Into the field, all selected and rubbed out, then typed or pasted: keys go where the
    // focus is, so a tab or a return moves on as it would for a user.
    key(QTest::Click, Qt::Key_A, Qt::ControlModifier);
    key(QTest::Click, Qt::Key_Backspace);
    QGuiApplication::clipboard()->setText(text);
    if (verb == "paste")
        key(QTest::Click, Qt::Key_V, Qt::ControlModifier);
    // The blank and the control characters a keyboard has keys for.
    // clang-format off
    static const std::map<char16_t, Qt::Key> keys = {{u' ', Qt::Key_Space}, {u'\t', Qt::Key_Tab},
        {u'\n', Qt::Key_Return}, {u'\r', Qt::Key_Return}, {u'\b', Qt::Key_Backspace}, {u'\x1b', Qt::Key_Escape}};
    // clang-format on
    for (qsizetype i = 0, length = 1; verb == "type" && i < text.size(); i += length) {
        length = text[i].isHighSurrogate() ? 2 : 1;
        const auto found = keys.find(text[i].unicode());
        key(QTest::Click, found == keys.end() ? Qt::Key_unknown : found->second, {},
            text.mid(i, length));
    }
    return true;
}

QString Checks::ledgerFault(const ledger::CategoryTable& table)
{
    for (std::size_t c = 0; c < table.size(); ++c) {
        const CategoryRecord& r = table[c];
        const int count = ledger::lineCount(r);
        bool sound
            = c < ledger::kCategoryCount || (r.Name.empty() && !r.Available && !r.Budget && !count);
        for (int i = 0; i < ledger::kLineSlots; ++i) {
            const std::string& line = r.Lines[std::size_t(i)];
            const auto fields = ledger::TransactionLine::split(line);
            const bool readable = fields && fields->text() == line && fields->category == r.Name
                && Money::fromText(fields->amount) && ledger::lineAmount(line);
            sound = sound && (i >= count || i == ledger::kMaxLines ? line.empty() : readable);
        }
        for (const double figure : {r.Available, r.Budget}) {
            const double kept = Money::fromDouble(figure).toDouble();
            sound = sound && kept == figure && std::fabs(figure) <= 99999999999.9999;
        }
        if (!sound)
            return QStringLiteral("ledger: %1 has a gap, a twelfth line, a line that does not "
                                  "read back or a figure off four places")
                .arg(c);
    }
    return {};
}

QString Checks::moneyFault(const ledger::CategoryTable& before, const ledger::CategoryTable& after,
                           int current, int selected, const QStringList& claims,
                           const QString& page)
{
    // clang-format off
    static const std::map<QString, QString> madeOn
        = {{"added", "report1.jpg"}, {"modified", "edit.jpg"}, {"deleted", "report2.jpg"}, {"transfer", "Transfer.jpg"}};
    // clang-format on
    const bool transfer = claims.contains("transfer");
    ledger::CategoryTable claimed = before;
    auto& lines = claimed[std::size_t(current)].Lines;
    for (const QString& claim : claims) {
        const QString kind = claim.section(u' ', 0, 0);
        const int slot = std::clamp(claim.section(u' ', 1).toInt() - 1, 0, ledger::kMaxLines);
        const int due
            = kind == "added" ? ledger::lineCount(claimed[std::size_t(current)]) : selected;
        const auto& source = kind == "deleted" ? lines : after[std::size_t(current)].Lines;
        const bool empty = source[std::size_t(slot)].empty();
        if (madeOn.at(kind) != page
            || (kind != "transfer" && (slot != due || slot == ledger::kMaxLines || empty)))
            return "money: " + claim + " on " + page + " where " + QString::number(due + 1)
                + " was due";
        if (kind == "added" || kind == "modified")
            lines[std::size_t(slot)] = source[std::size_t(slot)];
        if (kind == "deleted"
            && std::shift_left(lines.begin() + slot, lines.end(), 1) != lines.end())
            lines.back().clear();
    }
    // Money moves between categories only by a transfer, and never in sum.
    Money was, is;
    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const CategoryRecord &from = before[std::size_t(c)], &to = after[std::size_t(c)];
        const bool raised = transfer && to.Budget == to.Available && to.Available > from.Budget;
        was = was + holding(from);
        is = is + holding(to);
        if (claimed[std::size_t(c)].Lines != to.Lines || (!transfer && holding(from) != holding(to))
            || (to.Budget != from.Budget && !raised))
            return "money: " + qs(to.Name) + " changed its lines, money or budget as no box said";
    }
    return was == is ? ""
                     : "money: the categories hold " + qs(is.text()) + ", not " + qs(was.text());
}

QString Checks::screenFault(const frmMain& window, bool held)
{
    const auto at = [&](const QString& name) {
        return control(window, name);
    };
    const auto shown = [&](const QString& name) {
        return at(name)->isVisible();
    };
    const auto framed = [&](const QString& name) {
        return static_cast<QFrame*>(at(name))->frameShape() == QFrame::Box;
    };
    const QString page = openPage(window), where = page.isEmpty() ? "the start-up About" : page;
    if (!window.isVisible() || !kGroups.contains(page))
        return "screen: the window closed or shows " + where;
    int pressed = 0;
    QList<QWidget*> own;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName(), base = name.section(u'(', 0, 0);
        const bool visible = child->isVisible(), mine = kGroups.at(page).contains(base);
        const auto paged = [&](auto& group) {
            return group.second.contains(base);
        };
        if (!isControl(child))
            continue;
        if (visible != mine && std::ranges::any_of(kGroups, paged)
            && (visible || (base != "optReport" && base != "lblAboutOK")))
            return "screen: " + name + (visible ? " shows over " : " is missing from ") + where;
        // A drop-down list may be read by its entry, its field then in the description.
        if (visible && accessible(child).trimmed().isEmpty()
            && accessible(child, QAccessible::Description).isEmpty())
            return "screen: " + name + " has no name";
        if (qobject_cast<QLabel*>(child) && look(child) == "pressed" && ++pressed > int(held))
            return "screen: " + name + " still looks pressed";
        if (visible && mine && base != "lblAboutOK")
            own << child;
    }
    // A screen reader meets the page's controls, or the meters and their names, in one panel.
    for (qint16 i = 0; page == "overview" && i < ledger::kCategoryCount; ++i)
        own << window.meter(i) << at("lbl" + window.meter(i)->objectName().mid(3));
    QAccessibleInterface* panel = nullptr;
    for (QWidget* member : own) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(member);
        QAccessibleInterface* up = face->parent();
        if (up->role() != QAccessible::Grouping || up->indexOfChild(face) < 0
            || (panel && up != panel))
            return "screen: " + member->objectName() + " is missing from the panel of " + where;
        panel = up;
    }
    // Every meter, and the open page's figures, lines and number, as the ledger has them.
    const CategoryRecord& record = window.categories().at(std::size_t(window.currentCategory()));
    const QStringList rows = at("picReport")->property("rows").toStringList();
    QString want, have;
    const auto meter = [&](const CategoryRecord& r, const QString& image) {
        const QString figures = dollars(r.Available) + u'/' + dollars(r.Budget);
        want += qs(ledger::meterFile(ledger::meterLevel(r.Available, r.Budget))) + figures
            + qs(r.Name) + ", " + dollars(r.Available) + " available of " + dollars(r.Budget)
            + "\n";
        have += shows(at(image)) + at(image)->toolTip() + accessible(at(image)) + "\n";
    };
    for (int c = 0; c < ledger::kCategoryCount; ++c)
        meter(window.categories()[std::size_t(c)], kIcons[c]);
    if (page == "report1.jpg") {
        meter(record, "imgReport");
        want += dollars(record.Available) + u'/' + dollars(record.Budget) + qs(record.Name);
        have += shows(at("lblAvailable")) + u'/' + shows(at("lblBudgeted"))
            + shows(at("lblCategory"));
    }
    for (int i = 0; page == "report2.jpg" && i <= ledger::kMaxLines; ++i) {
        const bool last = i == ledger::kMaxLines, stored = i < ledger::lineCount(record);
        const QString line = "+" + qs(record.Lines[std::size_t(i)]) + "\n";
        want += last ? QString::number(ledger::lineCount(record)) : stored ? line : "\n";
        have += last                                        ? QString::number(rows.size())
            : shown(QStringLiteral("optReport(%1)").arg(i)) ? "+" + rows.value(i) + "\n"
                                                            : "\n";
    }
    if (page == "edit.jpg")
        want += QString::number(window.selectedLine() + 1), have += shows(at("lblEditNumber"));
    if (want != have)
        return "screen: shows\n" + have + "where the ledger says\n" + want;
    // The page picture where it belongs, drawn for the screen's density.
    const bool about = page.isEmpty() || page == "about.jpg";
    const QRect front(51, about ? 56 : 78, 245, about ? 245 : 223);
    if (page != "overview" && at("imgFront")->geometry() != front)
        return "screen: imgFront is out of place for " + where;
    for (const QLabel* picture : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QPixmap pixels = picture->pixmap();
        if (picture->isVisible() && !pixels.isNull()
            && pixels.devicePixelRatio()
                != std::clamp(std::round(window.devicePixelRatio()), 1.0, 3.0))
            return "screen: " + picture->objectName() + " is drawn for another density";
    }
    // Ending the start-up About screen brings the Help tab back even under an open menu
    // bar, where the Setup tab covers it: accepted as written.
    const QString strip = shows(at("imgAllCategory"));
    const bool helpCovered
        = !shown("lblHelp") || window.childAt(at("lblHelp")->geometry().center()) != at("lblHelp");
    if (shown("lblCategories")
            ? strip != "TopMenu.jpg" || !shown("lblReports") || !shown("lblSetup") || !helpCovered
                || shown("lstHelp") || framed("lblReports") != shown("lstReports")
                || framed("lblSetup") != shown("lstSetup")
                || (shown("lstReports") && shown("lstSetup"))
            : (strip != "Title.jpg" && !strip.isEmpty()) || shown("lblReports") || shown("lblSetup")
                || shown("lstReports") || shown("lstSetup") || shown("lblHelp") == about
                || (shown("lblHelp") ? framed("lblHelp") != shown("lstHelp") : shown("lstHelp")))
        return "screen: the top strip is broken";
    // Done stores the inputs' mirrors, so they must follow every paste, key and choice.
    const auto text = [&](const QString& name) {
        return at(name)
            ->property(qobject_cast<QComboBox*>(at(name)) ? "currentText" : "text")
            .toString();
    };
    if (window.dateText() != text("txtDate") || window.amountText() != text("txtAmount")
        || window.descriptionText() != text("txtDescription")
        || window.paymentText() != text("cboPayment"))
        return "screen: an input mirror lags behind its input";
    const auto* chosen = qobject_cast<QAbstractButton*>(
        at(QStringLiteral("optReport(%1)").arg(window.selectedLine())));
    if (page == "report2.jpg" && chosen && chosen->isVisible() && !chosen->isChecked())
        return "screen: the line chosen is not the line Edit and Delete act on";
    return {};
}

void Script::SetUp()
{
    strict = true;
    start();
}

void Script::run(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        const auto number = &row - rows.begin() + 1;
        m_rowStart = window->categories();
        log = boxes = stops = {};
        for (const QString& line : row.steps.split("; ", Qt::SkipEmptyParts)) {
            if (const QString fault = step(line); !fault.isEmpty())
                return ADD_FAILURE()
                    << "row " << number << ", " << qPrintable(line) << ": " << qPrintable(fault);
        }
        const bool boxed = row.expect.contains(QRegularExpression("(^|; )box="));
        for (const QString& want :
             ((boxed ? "" : "box=; ") + row.expect).split("; ", Qt::SkipEmptyParts)) {
            const QString what = want.section(u'=', 0, 0);
            EXPECT_EQ((what + u'=' + observe(what)).toStdString(), want.toStdString())
                << "row " << number << ": " << qPrintable(row.steps);
        }
    }
}

QString Script::observe(const QString& what) const
{
    const QString kind = what.section(u' ', 0, 0), name = what.section(u' ', 1);
    const auto at = [&](const QString& control) {
        return ::control(*window, control);
    };
    const auto texts = [&](const QString& controls) {
        QStringList all;
        for (const QString& control : controls.split(u' '))
            all << shows(at(control));
        return all.join(u'|');
    };
    const auto tinted = [&] {
        QStringList names;
        for (const QLineEdit* field : window->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            if (field->isVisible() && field->palette().color(QPalette::Base) != Qt::white)
                names << field->objectName();
        return names.join(u' ');
    };
    // The shown tabs, "_" after the one with the keys, then the open list and its row.
    const auto strip = [&] {
        QString shown;
        for (const QString tab : {"lblCategories", "lblReports", "lblSetup", "lblHelp"})
            if (at(tab)->isVisible())
                shown += tab.mid(3) + (at(tab)->font().underline() ? "_ " : " ");
        for (const QString name : {"lstReports", "lstSetup", "lstHelp"})
            if (const auto* list = qobject_cast<QListWidget*>(at(name)); list->isVisible())
                shown += name + " row " + QString::number(list->currentRow());
        return shown.trimmed();
    };
    // The control the focus ring surrounds: inside it, a few pixels from each of its edges.
    const auto ring = [&] {
        const QWidget* drawn = window->findChild<QWidget*>("focusRing");
        for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect edge = drawn->geometry(), inner = w->geometry();
            if (drawn->isVisible() && isControl(w) && w->isVisible() && edge.contains(inner)
                && inner.adjusted(-7, -7, 7, 7).contains(edge))
                return w->objectName();
        }
        return QString();
    };
    QStringList money;
    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const CategoryRecord &was = m_rowStart[std::size_t(c)],
                             &is = window->categories()[std::size_t(c)];
        if (was.Available != is.Available || was.Budget != is.Budget)
            money << qs(is.Name + ' ' + ledger::amountText(is.Available) + '/'
                        + ledger::amountText(is.Budget));
    }
    // clang-format off
    const std::map<QString, std::function<QString()>> observations = {
        {"box", [&] { return boxes.join(" / "); }},
        {"log", [&] { return log.join(", "); }},
        {"stops", [&] { return stops.join(u' '); }},
        {"tinted", [&] { return tinted(); }},
        {"strip", [&] { return strip(); }},
        {"page", [&] { return openPage(*window); }},
        {"ring", ring},
        {"focus", [&] { return window->focusWidget() ? window->focusWidget()->objectName() : ""; }},
        {"window", [&] { return !window->isVisible() ? "closed" : QStringLiteral("%1 %2x%3")
                          .arg(window->windowTitle()).arg(window->width()).arg(window->height()); }},
        {"timer", [&] { return window->findChild<QTimer*>("tim1")->isActive() ? "on" : "off"; }},
        {"row", [&] { return at("picReport")->property("rows").toStringList().value(name.toInt() - 1); }},
        {"money", [&] { return money.join(u' '); }},
        {"look", [&] { return look(at(name)); }},
        {"shown", [&] { return at(name)->isVisible() ? "yes" : "no"; }},
        {"name", [&] { return accessible(at(name)); }},
        {"description", [&] { return accessible(at(name), QAccessible::Description); }},
        {"texts", [&] { return texts(name); }},
        {"status", [&] { return texts("lblCategory lblAvailable lblBudgeted imgReport txtDate txtAmount txtDescription cboPayment"); }},
        {"edit", [&] { return texts("lblEditNumber lblCategory txtDate txtAmount txtDescription cboPayment"); }},
        {"transfer", [&] { return texts("txtTransAmount cboTransFrom cboTransTo"); }},
        {"setup", [&] { return texts("txtTotal cboInterval cboCateName txtBudgetAmount txtAlertAmount cboCategory lblBudget"); }}};
    // clang-format on
    if (!observations.contains(kind)
        || (!name.isEmpty() && kind != "row" && kind != "texts" && !at(name)))
        return ADD_FAILURE() << "nothing to observe as " << qPrintable(what), "";
    return observations.at(kind)();
}

#ifndef BRIVANT_OWN_MAIN
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
#endif
