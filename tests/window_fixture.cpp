#include "window_fixture.h"

#include <QAbstractItemView>
#include <QTest>

const QStringList WindowTest::kIcons {
    QStringLiteral("imgFood"), QStringLiteral("imgElectricity"),   QStringLiteral("imgParking"),
    QStringLiteral("imgGas"),  QStringLiteral("imgEntertainment"), QStringLiteral("imgSchool"),
    QStringLiteral("imgRent"), QStringLiteral("imgTelephone"),     QStringLiteral("imgClothing")};

void WindowTest::SetUp()
{
    Seams::setToday([] { return QDate(2026, 12, 5); });
    Seams::setMessageHandler([this](const Seams::Message& message) {
        messages.push_back(message);
        if (answers.empty()) {
            if (message.buttons == Seams::Buttons::YesNo)
                ADD_FAILURE() << "unscripted question: " << message.prompt.toStdString();
            return message.buttons == Seams::Buttons::YesNo ? Answer::No : Answer::Ok;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    });
    window = std::make_unique<frmMain>();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::TearDown()
{
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers were not used";
    window.reset();
    Seams::setMessageHandler({});
    Seams::setToday({});
}

void WindowTest::click(const QString& name, Qt::MouseButton button)
{
    QWidget* widget = find(name);
    ASSERT_TRUE(widget);
    ASSERT_TRUE(widget->isVisible()) << name.toStdString() << " is not on the screen";
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

void WindowTest::type(const QString& name, const QString& text)
{
    QWidget* widget = find(name);
    ASSERT_TRUE(widget);
    ASSERT_TRUE(widget->isVisible()) << name.toStdString() << " is not on the screen";
    QLineEdit* line = qobject_cast<QLineEdit*>(widget);
    if (!line)
        line = qobject_cast<QComboBox*>(widget)->lineEdit();
    ASSERT_TRUE(line);
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, text);
}

void WindowTest::choose(const QString& name, const QString& item)
{
    QComboBox* box = combo(name);
    ASSERT_TRUE(box && box->isVisible());
    const int index = box->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    box->showPopup();
    QAbstractItemView* view = box->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QRect rect = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    for (int waited = 0; view->isVisible() && waited < 2000; waited += 10)
        QTest::qWait(10);
    ASSERT_FALSE(view->isVisible()) << "the list did not close on the click";
}

void WindowTest::pick(const QString& list, const QString& item)
{
    auto* box = find<QListWidget>(list);
    ASSERT_TRUE(box && box->isVisible());
    const auto items = box->findItems(item, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << item.toStdString();
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualItemRect(items.front()).center());
}

void WindowTest::openStatus(int category)
{
    click(kIcons.at(category));
}

void WindowTest::addHere(const QString& amount, const QString& description, const QString& payment)
{
    type(QStringLiteral("txtAmount"), amount);
    type(QStringLiteral("txtDescription"), description);
    type(QStringLiteral("cboPayment"), payment);
    click(QStringLiteral("lblReportDone"));
}

QString WindowTest::text(const QString& name) const
{
    if (auto* box = qobject_cast<QLineEdit*>(find(name)))
        return box->text();
    if (auto* box = qobject_cast<QComboBox*>(find(name)))
        return box->currentText();
    return label(name)->text();
}

QList<int> WindowTest::shownOptions() const
{
    QList<int> visible;
    for (int i = 0; i <= 10; ++i) {
        if (option(i)->isVisible())
            visible << i;
    }
    return visible;
}

QStringList WindowTest::storedLines(int category) const
{
    QStringList lines;
    for (const std::string& line : record(category).Lines) {
        if (!line.empty())
            lines << QString::fromStdString(line);
    }
    return lines;
}

QStringList WindowTest::ledgerState() const
{
    QStringList state;
    for (int i = 0; i < ledger::kCategoryCount; ++i)
        state << amounts(i) + " " + iconLook(i) + ": " + storedLines(i).join("; ");
    return state;
}

QString WindowTest::amounts(int category) const
{
    const auto show = [](double value) {
        const bool exact = ledger::Money::fromDouble(value).toDouble() == value;
        return QString::fromStdString(ledger::amountText(value)) + (exact ? "" : "~");
    };
    return show(record(category).Available) + "/" + show(record(category).Budget);
}

QString WindowTest::iconLook(int category) const
{
    return pictureOf(kIcons.at(category)) + " " + label(kIcons.at(category))->toolTip();
}

QString WindowTest::inputs() const
{
    const QString shownTexts = text("txtDate") + "|" + text("txtAmount") + "|"
        + text("txtDescription") + "|" + text("cboPayment");
    const QString mirrors = window->dateText() + "|" + window->amountText() + "|"
        + window->descriptionText() + "|" + window->paymentText();
    return mirrors == shownTexts ? shownTexts : shownTexts + " mirrors " + mirrors;
}

QString WindowTest::statusPage() const
{
    return text("lblCategory") + " " + text("lblAvailable") + "/" + text("lblBudgeted") + " "
        + pictureOf("imgReport") + " " + label("imgReport")->toolTip() + " " + inputs();
}

QString WindowTest::onScreen() const
{
    // The skin, the strip, the icons with their captions and the click areas.
    static const QStringList overview
        = QString(
              "imgOstrel imgAllCategory imgFood imgElectricity imgParking imgGas imgEntertainment "
              "imgSchool imgRent imgTelephone imgClothing lblFood lblElectricity lblParking lblGas "
              "lblEntertainment lblSchool lblRent lblTelephone lblClothing lblArrowUp lblArrowDown "
              "lblNotes lblTasks lblContacts lblCalendar lblScrollDown lblScrollUp lblFind "
              "lblCalculator lblMenuButton lblApplications lblPowerButton")
              .split(' ');
    QStringList visible;
    for (const QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !overview.contains(child->objectName()))
            visible << child->objectName();
    }
    visible.sort();
    return visible.join(' ');
}

std::string WindowTest::snapshot() const
{
    QStringList lines;
    for (const QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QString line = child->objectName() + (child->isVisible() ? " shown " : " hidden ");
        if (const auto* image = qobject_cast<const QLabel*>(child)) {
            line += QStringList({image->text(), image->property("pictureFile").toString(),
                                 QString::number(image->x()), QString::number(image->y()),
                                 QString::number(image->frameShape()),
                                 QString::number(image->autoFillBackground()),
                                 image->palette().color(QPalette::WindowText).name()})
                        .join('|');
        } else if (const auto* box = qobject_cast<const QLineEdit*>(child)) {
            line += box->text();
        } else if (const auto* list = qobject_cast<const QComboBox*>(child)) {
            line += list->currentText();
        } else if (const auto* list = qobject_cast<const QListWidget*>(child)) {
            line += QString::number(list->currentRow());
        }
        lines << line;
    }
    return lines.join('\n').toStdString();
}

QString WindowTest::look(const QString& name) const
{
    QLabel* button = label(name);
    const QPalette colours = button->palette();
    const QColor text = colours.color(button->foregroundRole());
    // Drawn, a held button keeps its black border around the purple.
    const QImage face = button->grab().toImage();
    const bool border = button->frameShape() == QFrame::NoFrame
        || QColor(face.pixel(0, face.height() / 2)) == Qt::black;
    if (button->autoFillBackground() && colours.color(QPalette::Window) == kPressedColour
        && text == Qt::white && QColor(face.pixel(2, 2)) == kPressedColour && border)
        return QStringLiteral("pressed");
    if (!button->autoFillBackground() && text == Qt::black)
        return QStringLiteral("released");
    return QStringLiteral("neither");
}

void WindowTest::expectMessage(const QString& prompt, const QString& title, Seams::Buttons buttons)
{
    ASSERT_FALSE(messages.empty()) << "no message box; expected " << prompt.toStdString();
    EXPECT_EQ(messages.back().prompt, prompt);
    EXPECT_EQ(messages.back().title, title);
    EXPECT_EQ(messages.back().buttons, buttons);
}

void WindowTest::fromMenuBar(const QString& tab, const QString& list, const QString& entry)
{
    openMenuBar();
    click(tab);
    if (!list.isEmpty())
        pick(list, entry);
}
