#include "frmMain.h"
#include "inventory.h"
#include "reportbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <transaction_line.h>

namespace {

using ledger::Money;

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

// Only for texts already read as amounts, which always convert.
Money moneyOf(const QString& numericText)
{
    return Money::fromText(numericText.toStdString()).value_or(Money());
}

bool isStored(const std::array<std::string, ledger::kLineSlots>& lines, qint16 line)
{
    return line >= 0 && line < ledger::kMaxLines && !lines[std::size_t(line)].empty();
}

// The fields of a line that reads back whole, amount included; nothing otherwise.
std::optional<ledger::TransactionLine> editableFields(const std::string& line)
{
    auto fields = ledger::TransactionLine::split(line);
    if (!fields || !Money::fromText(fields->amount))
        return std::nullopt;
    return fields;
}

} // namespace

// The mirrors follow every change of the inputs, typed or set by the program.
void frmMain::txtDate_Change()
{
    DateText = txtDate->text();
}

void frmMain::txtAmount_Change()
{
    AmountText = txtAmount->text();
}

void frmMain::txtDescription_Change()
{
    DescriptionText = txtDescription->text();
}

void frmMain::cboPayment_Change()
{
    PaymentText = cboPayment->currentText();
}

void frmMain::cboPayment_Click()
{
    PaymentText = cboPayment->currentText();
}

void frmMain::optReport_Click(qint16 Index)
{
    SelectedLine = Index;
}

void frmMain::lblReportDone_Click()
{
    auto& record = Categories.at(std::size_t(CurrentCategory));
    std::size_t slot = 0;
    while (!record.Lines[slot].empty() && slot <= 10)
        ++slot;
    if (slot == ledger::kMaxLines) {
        MsgBox(QStringLiteral("Sorry, we can only keep 11 transcations for now."),
               Seams::Buttons::Ok, QStringLiteral("Fail to add more than 11 items."));
    } else if (ValidateAmount() && !RefuseUnreadableTexts()) {
        record.Lines[slot]
            = ledger::TransactionLine {DateText.toStdString(), AmountText.toStdString(),
                                       DescriptionText.toStdString(), record.Name,
                                       PaymentText.toStdString()}
                  .text();
        MsgBox(QStringLiteral("Transaction No.%1 has been added.").arg(slot + 1),
               Seams::Buttons::Ok, QStringLiteral("Confirmation"));
        ApplyPurchase(CurrentCategory);
    }
    ResetTransactionInputs();
}

void frmMain::lblReportReset_Click()
{
    ResetTransactionInputs();
}

void frmMain::ResetTransactionInputs()
{
    txtDate->setText(TodayText());
    txtAmount->setText(QString());
    txtDescription->setText(QString());
    cboPayment->setEditText(QString());
}

bool frmMain::ValidateAmount()
{
    const std::optional<Money> amount = ReadAmount(txtAmount);
    if (!amount)
        return false;
    if (!IsAmountAvailable(txtAmount->text())) {
        RefuseAmount(
            QStringLiteral("You do not have enough money available to make this purchase."),
            txtAmount);
        return false;
    }
    // Only a negative amount can push Available past the top of the ledger's range.
    const Money available
        = Money::fromDouble(Categories.at(std::size_t(CurrentCategory)).Available);
    if (!(available - *amount).inRange()) {
        RefuseAmount(QStringLiteral("The amount is too large."), txtAmount);
        return false;
    }
    return true;
}

bool frmMain::IsAmountAvailable(const QString& amount)
{
    const Money available
        = Money::fromDouble(Categories.at(std::size_t(CurrentCategory)).Available);
    return available - moneyOf(amount) >= Money();
}

// The checks every amount input shares: present, numeric, then within the ledger's range.
std::optional<ledger::Money> frmMain::ReadAmount(QLineEdit* box)
{
    const QString text = box->text();
    if (text.isEmpty()) {
        RefuseAmount(QStringLiteral("Please enter an Amount."), box);
        return std::nullopt;
    }
    if (!ledger::isNumeric(text.toStdString())) {
        RefuseAmount(QStringLiteral("Please enter a number for amount."), box);
        return std::nullopt;
    }
    const std::optional<Money> amount = Money::fromText(text.toStdString());
    if (!amount)
        RefuseAmount(QStringLiteral("The amount is too large."), box);
    return amount;
}

void frmMain::RefuseAmount(const QString& prompt, QLineEdit* box)
{
    MsgBox(prompt);
    box->setFocus();
}

// A line is read back by its commas and its first "$", so a date or description
// that would shift them is refused before anything is stored.
bool frmMain::RefuseUnreadableTexts()
{
    if (!ledger::isStorableDate(DateText.toStdString())) {
        MsgBox(QStringLiteral("Please enter the date without a comma or a dollar sign."));
        txtDate->setFocus();
        return true;
    }
    if (!ledger::isStorableDescription(DescriptionText.toStdString())) {
        MsgBox(QStringLiteral("Please enter the description without a comma."));
        txtDescription->setFocus();
        return true;
    }
    return false;
}

void frmMain::ApplyPurchase(qint16& index)
{
    const auto& record = Categories.at(std::size_t(index));
    StoreAvailable(index, Money::fromDouble(record.Available) - moneyOf(txtAmount->text()));
    RefreshStatus(index);
}

// The status page's controls follow even while another page is on the screen,
// so they are right when it opens again.
void frmMain::RefreshStatus(qint16 index)
{
    const auto& record = Categories.at(std::size_t(index));
    lblAvailable->setText(QStringLiteral("$") + qText(ledger::amountText(record.Available)));
    SetPicture(imgReport, MeterPicture(index));
    imgReport->setToolTip(MeterToolTip(index));
    RefreshCategoryIcon(index);
}

// Through the decimal text, so the double is always the one nearest a
// four-place amount and no rounding error builds up.
void frmMain::StoreAvailable(qint16 index, ledger::Money value)
{
    Categories.at(std::size_t(index)).Available = value.toDouble();
}

void frmMain::ShowRecentPage(qint16& index)
{
    ClearStrayControls();
    const auto& lines = Categories.at(std::size_t(index)).Lines;
    ShowScreen(Screen::Recent);
    picReport->setVisible(true);
    picReport->clear();
    for (qint16 i = 0; i < ledger::kMaxLines; ++i) {
        const bool stored = isStored(lines, i);
        if (stored)
            picReport->print(qText(lines[std::size_t(i)]));
        optReport[std::size_t(i)]->setVisible(stored);
    }
    ShowReleased({lblReportEdit, lblReportDelete});
}

void frmMain::lblReportEdit_Click()
{
    auto& lines = Categories.at(std::size_t(CurrentCategory)).Lines;
    // SelectedLine outlives the list it was picked from, so it may name an empty slot.
    if (lines[0].empty() || !isStored(lines, SelectedLine)) {
        MsgBox(QStringLiteral("Sorry, there is no item to edit."), Seams::Buttons::Ok,
               QStringLiteral("No item to edit!"));
        return;
    }
    if (!ShowEditPage(lines, SelectedLine)) {
        MsgBox(QStringLiteral("Sorry, this transaction cannot be edited."), Seams::Buttons::Ok,
               QStringLiteral("No item to edit!"));
        return;
    }
    optReport[std::size_t(SelectedLine)]->setChecked(true);
}

// False, with nothing changed, for a line that does not read back into its fields.
bool frmMain::ShowEditPage(std::array<std::string, ledger::kLineSlots>& lines, qint16& line)
{
    const auto fields = editableFields(lines[std::size_t(line)]);
    if (!fields)
        return false;
    ClearStrayControls();
    HideRecentPage();
    ShowScreen(Screen::Edit);
    lblEditNumber->setVisible(true);
    lblEditNumber->setText(QString::number(line + 1));
    // Filled before shown, as on the status page.
    txtDate->setText(qText(fields->date));
    txtDate->setVisible(true);
    txtAmount->setText(qText(fields->amount));
    txtAmount->setVisible(true);
    PriorAmountText = qText(moneyOf(qText(fields->amount)).text());
    txtDescription->setText(qText(fields->description));
    txtDescription->setVisible(true);
    lblCategory->setVisible(true);
    lblCategory->setText(qText(fields->category));
    cboPayment->setEditText(qText(fields->payment));
    cboPayment->setVisible(true);
    ShowReleased({lblEditCancel, lblEditReset, lblEditDone});
    return true;
}

void frmMain::lblEditDone_Click()
{
    const std::optional<Money> amount = ReadAmount(txtAmount);
    if (!amount)
        return;
    auto& record = Categories.at(std::size_t(CurrentCategory));
    const Money result = Money::fromDouble(record.Available) - (*amount - moneyOf(PriorAmountText));
    if (result < Money()) {
        MsgBox(QStringLiteral("Overdraft after this modification!!"), Seams::Buttons::Ok,
               QStringLiteral("Overdraft warning!!"));
        txtAmount->setFocus();
        return;
    }
    if (!result.inRange()) {
        RefuseAmount(QStringLiteral("The amount is too large."), txtAmount);
        return;
    }
    if (RefuseUnreadableTexts())
        return;

    StoreAvailable(CurrentCategory, result);
    RefreshStatus(CurrentCategory);
    // The stored category is always the record's own name, whatever the label shows.
    record.Lines[std::size_t(SelectedLine)]
        = ledger::TransactionLine {DateText.toStdString(), AmountText.toStdString(),
                                   DescriptionText.toStdString(), record.Name,
                                   PaymentText.toStdString()}
              .text();
    MsgBox(QStringLiteral("Transaction No.%1 has been modified.").arg(SelectedLine + 1),
           Seams::Buttons::Ok, QStringLiteral("Confirmation"));
    HideEditPage();
    ShowRecentPage(CurrentCategory);
}

void frmMain::lblEditCancel_Click()
{
    HideEditPage();
    ShowRecentPage(CurrentCategory);
}

void frmMain::lblEditReset_Click()
{
    ResetTransactionInputs();
}

void frmMain::lblReportDelete_Click()
{
    DeleteTransaction(SelectedLine, Categories.at(std::size_t(CurrentCategory)).Lines);
    ShowRecentPage(CurrentCategory);
}

void frmMain::DeleteTransaction(qint16& line, std::array<std::string, ledger::kLineSlots>& lines)
{
    if (lines[0].empty()) {
        MsgBox(QStringLiteral("There is no item to delete!"), Seams::Buttons::Ok,
               QStringLiteral("No item to delete!!"));
        return;
    }
    if (!isStored(lines, line)) {
        MsgBox(QStringLiteral("Sorry, there is no item to delete."), Seams::Buttons::Ok,
               QStringLiteral("No item to delete!"));
        return;
    }
    const std::optional<Money> amount = LineAmount(lines[std::size_t(line)]);
    if (!amount) {
        MsgBox(QStringLiteral("Sorry, this transaction cannot be deleted."), Seams::Buttons::Ok,
               QStringLiteral("No item to delete!"));
        return;
    }
    const Money result
        = Money::fromDouble(Categories.at(std::size_t(CurrentCategory)).Available) + *amount;
    if (!result.inRange()) {
        MsgBox(QStringLiteral("The amount is too large."));
        return;
    }
    const auto answer
        = MsgBox(QStringLiteral("Do you want to delete transaction no.%1 ?").arg(line + 1),
                 Seams::Buttons::YesNo, QStringLiteral("Delete item confirmation."));
    if (answer != Seams::Answer::Yes)
        return;

    StoreAvailable(CurrentCategory, result);
    RefreshStatus(CurrentCategory);
    // Slot 11 is always empty, so the last line moved up leaves slot 10 free.
    std::size_t i = std::size_t(line);
    for (; i < 10 && !lines[i + 1].empty(); ++i)
        lines[i] = lines[i + 1];
    lines[i].clear();
}

std::optional<ledger::Money> frmMain::LineAmount(const std::string& line) const
{
    return ledger::lineAmount(line);
}
