#include "accessible/accessibility.h"
#include "dropdown.h"
#include "frmMain.h"
#include "keys/keys.h"
#include "pictures.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <meter.h>

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brivant"));
    QIcon icon(Pictures::builtIn(QStringLiteral("icon.png")));
    icon.addPixmap(Pictures::builtIn(QStringLiteral("icon@2x.png")));
    setWindowIcon(icon);
    BuildControls();
    EditableDropDown::makeEditableAfterPaint(imgOstrel);
    WireEvents();
    new Accessibility(this);
    Form_Load();
    tim1->start();
    m_keys->settleFocus(nullptr);
}

frmMain::~frmMain()
{
    // What screen readers meet and the keys go first: they read the window, and the window's
    // last events come after its own parts are gone.
    delete findChild<Accessibility*>(QString(), Qt::FindDirectChildrenOnly);
    delete std::exchange(m_keys, nullptr);
}

void frmMain::Form_Load()
{
    cboTransFrom->setCurrentIndex(0);
    cboTransTo->setCurrentIndex(1);
    SeedCategories();
}

void frmMain::SeedCategories()
{
    Categories = ledger::seedCategories();
    for (qint16 i = 0; i < ledger::kCategoryCount; ++i)
        RefreshCategoryIcon(i);
}

QString frmMain::MeterPicture(qint16 index) const
{
    const ledger::CategoryRecord& record = Categories.at(std::size_t(index));
    return QString::fromStdString(
        ledger::meterFile(ledger::meterLevel(record.Available, record.Budget)));
}

void frmMain::RefreshCategoryIcon(qint16 index)
{
    QLabel* icon = CategoryIcon(index);
    if (!icon)
        return;
    SetPicture(icon, MeterPicture(index));
    icon->setToolTip(MeterToolTip(index));
}

QString frmMain::MeterToolTip(qint16 index) const
{
    const ledger::CategoryRecord& record = Categories.at(std::size_t(index));
    return QStringLiteral("$%1/$%2").arg(
        QString::fromStdString(ledger::amountText(record.Available)),
        QString::fromStdString(ledger::amountText(record.Budget)));
}

// The timer never interrupts another handler: due while one waits for the answer to its
// message box, its steps run once that handler has ended (RunHandler).
void frmMain::tim1_Timer()
{
    if (m_handlerDepth > 0)
        m_timerWaiting = true;
    else
        RunHandler(&frmMain::EndAboutScreen, focusWidget());
}

// Shared by the start-up timer and OK, and it ends the About screen only: a page the user
// opened over it stays, with what was typed and where the keys are.
void frmMain::EndAboutScreen()
{
    if (m_screen == Screen::StartAbout || m_screen == Screen::About)
        ShowScreen(Screen::Overview);
    lblAboutOK->setVisible(false);
    tim1->stop();
    lblHelp->setVisible(true);
}

void frmMain::lblPowerButton_Click()
{
    close();
}
