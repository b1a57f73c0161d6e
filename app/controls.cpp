#include "accessible/accessibility.h"
#include "dropdown.h"
#include "frmMain.h"
#include "inventory.h"
#include "keys/keys.h"
#include "pictures.h"
#include "reportbox.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

const QColor kWindowColour = QColor(Qt::white);
const QColor kPictureBoxColour = QColor(224, 224, 224);
const QColor kStoredButtonColour = QColor(0, 0, 192);
// White text on the chosen entry of a list stands out seven times from this blue.
const QColor kChosenColour = QColor(36, 90, 142);
// The style draws the edges of drop-down lists and option buttons a shade darker than
// their window colour, which from white would hardly show on the page.
const QColor kEdgeWindowColour = QColor(160, 166, 174);
// The face most controls use, set once on the window for all of them to inherit.
constexpr Face kWindowFace = Face::SansBold;

QFont fontFor(Face face)
{
    QFont font;
    // The design's "MS Sans Serif" and "Arial" are not free; the set-up installs this
    // metric-compatible face, and naming it directly spares a fallback search per font.
    font.setFamily(QStringLiteral("Liberation Sans"));
    font.setPixelSize(face == Face::Sans || face == Face::SansBold ? 11 : 13);
    font.setBold(face != Face::Sans);
    return font;
}

QStringList itemsOf(const ControlSpec& row)
{
    return frmMain::textOf(row.text).split(QLatin1Char('|'));
}

QRect pixelRect(TwipsRect twips)
{
    const PixelRect r = toPixels(twips);
    return {r.x, r.y, r.width, r.height};
}

void setColours(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void styleLabel(QLabel* label, const ControlSpec& row)
{
    label->setText(frmMain::textOf(row.text));
    switch (row.kind) {
    case Kind::Label:
        label->setAutoFillBackground(true);
        label->setAlignment((row.style & RightAligned ? Qt::AlignRight : Qt::AlignLeft)
                            | Qt::AlignTop);
        break;
    case Kind::ActionButton:
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignCenter);
        setColours(label, QPalette::Window, kStoredButtonColour);
        break;
    case Kind::MenuTab:
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignCenter);
        break;
    case Kind::Image:
        // A picture always fills its control, so nothing under it needs painting.
        label->setAttribute(Qt::WA_OpaquePaintEvent);
        break;
    default: // click areas: transparent, no caption
        break;
    }
}

// A label button draws its border in the window-text colour and its caption in its own
// colour role, so that the pressed look changes the caption and leaves the border as it was.
class LabelButton : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (frameShape() != QFrame::NoFrame) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
    }
};

} // namespace

void frmMain::BuildControls()
{
    Accessibility::install();
    setFixedSize(QSize(toPixels(kWindowTwips.width), toPixels(kWindowTwips.height)));
    setColours(this, QPalette::Window, kWindowColour);
    // For the lists here and for the drop-down lists' own windows, which take the
    // application's colours.
    QPalette chosen = QApplication::palette();
    chosen.setColor(QPalette::Highlight, kChosenColour);
    QApplication::setPalette(chosen);
    setFont(fontFor(kWindowFace));
    // A text box lays out its text in the application's font before it takes the window's;
    // while the controls are made the two are one, so that no face is loaded that the first
    // screen does not show.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(font());
    std::vector<QWidget*> pointing;

    auto place = [&](QWidget* widget, const ControlSpec& row, QString name, TwipsRect twips) {
        widget->setObjectName(name);
        widget->setGeometry(pixelRect(twips));
        // Most controls share the window's font; setting it on each costs a font lookup.
        if (row.face != Face::None && row.face != kWindowFace)
            widget->setFont(fontFor(row.face));
        if (row.style & HandPointer)
            pointing.push_back(widget);
        if (row.style & WhiteBase)
            setColours(widget, QPalette::Base, Qt::white);
        if (!row.toolTip.empty())
            widget->setToolTip(textOf(row.toolTip));
        widget->setVisible(row.shownAtStart);
        for (int screen = 0; screen < kScreenCount; ++screen) {
            if (row.screens.contains(Screen(screen)) && !row.screens.isEvery())
                m_pageControls[std::size_t(screen)].push_back(widget);
        }
    };

    // The table runs front to back; build back to front so later widgets stack on top.
    const auto specs = inventory();
    for (auto it = specs.rbegin(); it != specs.rend(); ++it) {
        const ControlSpec& row = *it;
        const QString name = textOf(row.name);
        std::visit(
            [&](auto slot) {
                using Slot = decltype(slot);
                if constexpr (std::is_same_v<Slot, QLabel * Controls::*>) {
                    QLabel* label = row.kind == Kind::Image ? new PictureLabel(this)
                        : row.kind == Kind::ActionButton || row.kind == Kind::MenuTab
                        ? new LabelButton(this)
                        : new QLabel(this);
                    // Named first: a caption set makes Qt look up what screen readers call it.
                    label->setObjectName(name);
                    styleLabel(label, row);
                    place(label, row, name, row.twips);
                    this->*slot = label;
                } else if constexpr (std::is_same_v<Slot, QLineEdit * Controls::*>) {
                    auto* box = new QLineEdit(this);
                    box->setFrame(false);
                    box->setTextMargins(1, 0, 1, 0);
                    place(box, row, name, row.twips);
                    this->*slot = box;
                } else if constexpr (std::is_same_v<Slot, QComboBox * Controls::*>) {
                    auto* combo = row.kind == Kind::ComboBox ? new EditableDropDown(this)
                                                             : new QComboBox(this);
                    combo->setInsertPolicy(QComboBox::NoInsert);
                    combo->addItems(itemsOf(row));
                    combo->setCurrentIndex(-1);
                    setColours(combo, QPalette::Window, kEdgeWindowColour);
                    place(combo, row, name, row.twips);
                    this->*slot = combo;
                } else if constexpr (std::is_same_v<Slot, QListWidget * Controls::*>) {
                    auto* list = new QListWidget(this);
                    list->addItems(itemsOf(row));
                    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                    place(list, row, name, row.twips);
                    this->*slot = list;
                } else if constexpr (std::is_same_v<
                                         Slot,
                                         std::array<QRadioButton*, kOptionButtons> Controls::*>) {
                    for (int i = 0; i < kOptionButtons; ++i) {
                        auto* option = new QRadioButton(this);
                        option->setAutoFillBackground(true);
                        option->setBackgroundRole(QPalette::Base);
                        setColours(option, QPalette::Window, kEdgeWindowColour);
                        place(option, row, name + QStringLiteral("(%1)").arg(i), optionTwips(i));
                        (this->*slot)[std::size_t(i)] = option;
                    }
                    (this->*slot)[0]->setChecked(true);
                } else if constexpr (std::is_same_v<Slot, ReportBox * Controls::*>) {
                    auto* box = new ReportBox(this);
                    setColours(box, QPalette::Window, kPictureBoxColour);
                    box->setRowPitch(qreal(kOptionTops[1] - kOptionTops[0]) / kTwipsPerPixel);
                    place(box, row, name, row.twips);
                    this->*slot = box;
                } else if constexpr (std::is_same_v<Slot, QTimer * Controls::*>) {
                    auto* timer = new QTimer(this);
                    timer->setObjectName(name);
                    timer->setSingleShot(true);
                    timer->setInterval(5000);
                    this->*slot = timer;
                }
            },
            row.slot);
    }

    // Pictures built into the window; every other picture is a file loaded at run time.
    const auto setBuiltIn = [this](QLabel* image, const QString& picture) {
        const QPixmap pixmap = Pictures::builtIn(picture, devicePixelRatio());
        image->setPixmap(pixmap);
        image->resize(pixmap.deviceIndependentSize().toSize());
        image->setProperty("pictureFile", QString());
    };
    setBuiltIn(imgOstrel, QStringLiteral("skin.jpg"));
    setBuiltIn(imgFront, QStringLiteral("about.jpg"));
    static_cast<PictureLabel*>(imgFront)->keepPlace();
    setBuiltIn(imgAllCategory, QStringLiteral("title.jpg"));
    setBuiltIn(imgReport, QStringLiteral("meter.jpg"));
    for (qint16 i = 0; i < ledger::kCategoryCount; ++i)
        setBuiltIn(CategoryIcon(i), QStringLiteral("meter.jpg"));

    // X11 takes a cursor's hot spot in the picture's own pixels, so the twice-size hand
    // is used there alone, where its hot spot is known to land on the finger.
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPixmap handPicture
        = Pictures::builtIn(QStringLiteral("hand.png"), x11 ? devicePixelRatio() : 1);
    const int hot = qRound(handPicture.devicePixelRatio());
    const QCursor hand(handPicture, 12 * hot, 1 * hot);
    for (QWidget* widget : pointing)
        widget->setCursor(hand);
    QGuiApplication::setFont(applicationFont);
}

// Every click the window answers, by control.
std::span<const std::pair<std::string_view, frmMain::Handler>> frmMain::Clicks()
{
    static constexpr std::pair<std::string_view, Handler> kClicks[] = {
        {"imgAllCategory", &frmMain::imgAllCategory_Click},
        {"lblMenuButton", &frmMain::lblMenuButton_Click},
        {"imgFood", &frmMain::imgFood_Click},
        {"imgElectricity", &frmMain::imgElectricity_Click},
        {"imgParking", &frmMain::imgParking_Click},
        {"imgGas", &frmMain::imgGas_Click},
        {"imgEntertainment", &frmMain::imgEntertainment_Click},
        {"imgSchool", &frmMain::imgSchool_Click},
        {"imgRent", &frmMain::imgRent_Click},
        {"imgTelephone", &frmMain::imgTelephone_Click},
        {"imgClothing", &frmMain::imgClothing_Click},
        {"lblCategories", &frmMain::lblCategories_Click},
        {"lblReports", &frmMain::lblReports_Click},
        {"lblSetup", &frmMain::lblSetup_Click},
        {"lblHelp", &frmMain::lblHelp_Click},
        {"lblReportBack", &frmMain::lblReportBack_Click},
        {"lblReportReset", &frmMain::lblReportReset_Click},
        {"lblReportDone", &frmMain::lblReportDone_Click},
        {"lblReportEdit", &frmMain::lblReportEdit_Click},
        {"lblReportDelete", &frmMain::lblReportDelete_Click},
        {"lblEditCancel", &frmMain::lblEditCancel_Click},
        {"lblEditReset", &frmMain::lblEditReset_Click},
        {"lblEditDone", &frmMain::lblEditDone_Click},
        {"lblSetupCancel", &frmMain::lblSetupCancel_Click},
        {"lblSetupReset", &frmMain::lblSetupReset_Click},
        {"lblSetupEdit", &frmMain::lblSetupEdit_Click},
        {"lblTransCancel", &frmMain::lblTransCancel_Click},
        {"lblTransReset", &frmMain::lblTransReset_Click},
        {"lblTransDone", &frmMain::lblTransDone_Click},
        {"lblAboutOK", &frmMain::lblAboutOK_Click},
        {"lblArrowUp", &frmMain::lblArrowUp_Click},
        {"lblArrowDown", &frmMain::lblArrowDown_Click},
        {"lblCalendar", &frmMain::lblCalendar_Click},
        {"lblContacts", &frmMain::lblContacts_Click},
        {"lblTasks", &frmMain::lblTasks_Click},
        {"lblNotes", &frmMain::lblNotes_Click},
        {"lblCalculator", &frmMain::lblCalculator_Click},
        {"lblFind", &frmMain::lblFind_Click},
        {"lblScrollUp", &frmMain::lblScrollUp_Click},
        {"lblScrollDown", &frmMain::lblScrollDown_Click},
        {"lblPowerButton", &frmMain::lblPowerButton_Click},
    };
    return kClicks;
}

bool frmMain::isPressable(std::string_view name)
{
    const ControlSpec* row = findControlSpec(name);
    return row
        && (row->style & PressLook
            || std::ranges::find(Clicks(), name, &std::pair<std::string_view, Handler>::first)
                != Clicks().end());
}

void frmMain::WireEvents()
{
    for (const auto& [name, handler] : Clicks()) {
        auto* label = findChild<QLabel*>(textOf(name), Qt::FindDirectChildrenOnly);
        Q_ASSERT(label);
        m_clickHandlers.insert(label, handler);
        label->installEventFilter(this);
    }
    for (const ControlSpec& row : inventory()) {
        if (row.style & PressLook) {
            auto* label = findChild<QLabel*>(textOf(row.name), Qt::FindDirectChildrenOnly);
            m_pressLook.insert(label);
            label->installEventFilter(this);
        }
    }

    connect(txtDate, &QLineEdit::textChanged, this, &frmMain::txtDate_Change);
    connect(txtAmount, &QLineEdit::textChanged, this, &frmMain::txtAmount_Change);
    connect(txtDescription, &QLineEdit::textChanged, this, &frmMain::txtDescription_Change);
    connect(cboPayment, &QComboBox::editTextChanged, this, &frmMain::cboPayment_Change);
    connect(cboPayment, &QComboBox::activated, this, &frmMain::cboPayment_Click);
    for (QListWidget* list : {lstHelp, lstSetup, lstReports})
        connect(list, &QListWidget::itemClicked, this,
                [this, list] { RunHandler(ChoiceHandler(list), list); });
    // Chosen by the pen, the arrow keys or a screen reader's toggle alike. A click on the
    // button already chosen changes nothing: it names the selected line already.
    for (qint16 i = 0; i < kOptionButtons; ++i)
        connect(optReport[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool chosen) {
            if (chosen)
                optReport_Click(i);
        });
    connect(tim1, &QTimer::timeout, this, &frmMain::tim1_Timer);
    m_keys = new Keys(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Paints, moves and the like pass by without a look-up.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label || !(m_clickHandlers.contains(label) || m_pressLook.contains(label)))
        return QWidget::eventFilter(watched, event);

    if (type != QEvent::MouseButtonRelease) {
        m_pressedLabel = label;
        PressLabel(label);
        return true;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool click = m_pressedLabel == label && mouse->button() == Qt::LeftButton
        && label->rect().contains(mouse->position().toPoint());
    m_pressedLabel = nullptr;
    ReleaseLabel(label, click);
    return true;
}

// A label button pressed and let go, by the mouse or a key: the pressed look while
// held; on release the released look, then the click.
void frmMain::PressLabel(QLabel* label)
{
    if (m_pressLook.contains(label))
        ShowPressed(label);
}

void frmMain::ReleaseLabel(QLabel* label, bool click)
{
    QWidget* before = focusWidget();
    if (m_pressLook.contains(label))
        ShowReleased(label);
    if (label == lblAboutOK)
        lblAboutOK_MouseUp();
    const Handler handler = click ? m_clickHandlers.value(label) : nullptr;
    RunHandler(handler, before);
}

void frmMain::hold(QLabel* label)
{
    if (isPressable(label))
        PressLabel(label);
}

void frmMain::letGo(QLabel* label, bool click)
{
    if (isPressable(label))
        ReleaseLabel(label, click && canAct(label));
}

frmMain::Handler frmMain::ChoiceHandler(const QListWidget* list) const
{
    if (list == lstSetup)
        return &frmMain::lstSetup_Click;
    if (list == lstReports)
        return &frmMain::lstReports_Click;
    return list == lstHelp ? &frmMain::lstHelp_Click : nullptr;
}

bool frmMain::isPressable(const QObject* object) const
{
    return m_clickHandlers.contains(object) || m_pressLook.contains(object);
}

// Where a click could land on it: shown and not under another control. Ending the
// About screen over the menu bar leaves the Help tab shown under the Setup tab.
bool frmMain::reachable(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (control->isHidden() || !parent)
        return !control->isHidden();
    const QWidget* hit = parent->childAt(control->geometry().center());
    return hit && (hit == control || control->isAncestorOf(hit));
}

bool frmMain::canAct(const QWidget* control) const
{
    return m_boxesOpen == 0 && control && control->parentWidget() == this && reachable(control);
}

void frmMain::press(QLabel* label)
{
    if (!canAct(label) || !isPressable(label))
        return;
    PressLabel(label);
    ReleaseLabel(label, true);
}

void frmMain::choose(QListWidget* list, int row)
{
    if (!canAct(list) || !ChoiceHandler(list))
        return;
    list->setCurrentRow(row);
    RunHandler(ChoiceHandler(list), list);
}

// Handlers run one after another, the start-up timer's waiting for the one running. Before
// is where the keys were when the user acted.
void frmMain::RunHandler(Handler handler, const QWidget* before)
{
    ++m_handlerDepth;
    if (handler)
        (this->*handler)();
    if (--m_handlerDepth > 0)
        return;
    bool changed = handler != nullptr;
    if (std::exchange(m_timerWaiting, false)) {
        EndAboutScreen();
        changed = true;
    }
    if (m_keys)
        m_keys->settleFocus(before, changed);
}

bool frmMain::focusNextPrevChild(bool next)
{
    return m_keys && m_keys->moveFocus(next);
}

// A picture out of sight is decoded when it is first painted: at start the icons lie
// under the About picture, and nothing the first screen shows comes from a file.
void frmMain::SetPicture(QLabel* image, const QString& fileName)
{
    auto* picture = static_cast<PictureLabel*>(image);
    image->setProperty("pictureFile", fileName);
    if (!reachable(image)) {
        picture->showLater(fileName, devicePixelRatio());
        return;
    }
    picture->showLater({}, 1);
    picture->showNow(fileName, Pictures::load(fileName, devicePixelRatio()));
}

void frmMain::ShowReleased(std::initializer_list<QLabel*> buttons)
{
    for (QLabel* button : buttons) {
        button->setVisible(true);
        ShowReleased(button);
    }
}

Seams::Answer frmMain::MsgBox(const QString& prompt, Seams::Buttons buttons, const QString& title)
{
    // Counted, as a screen reader's call may arrive while the box waits for its answer.
    ++m_boxesOpen;
    emit messageBoxOpening();
    const Seams::Answer answer = Seams::showMessage(
        this, {prompt, title.isEmpty() ? QStringLiteral("Ostrel") : title, buttons});
    --m_boxesOpen;
    emit messageBoxAnswered();
    return answer;
}

QString frmMain::TodayText() const
{
    const QDate today = Seams::today();
    return QStringLiteral("%1/%2/%3")
        .arg(today.month())
        .arg(today.day())
        .arg(today.year() % 100, 2, 10, QLatin1Char('0'));
}

QWidget* frmMain::controlOf(QWidget* widget)
{
    while (widget && !qobject_cast<frmMain*>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

QString frmMain::textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QLabel* frmMain::CategoryIcon(qint16 index) const
{
    const std::array<QLabel*, ledger::kCategoryCount> icons {
        imgFood,   imgElectricity, imgParking,   imgGas,     imgEntertainment,
        imgSchool, imgRent,        imgTelephone, imgClothing};
    return index >= 0 && index < ledger::kCategoryCount ? icons[std::size_t(index)] : nullptr;
}
