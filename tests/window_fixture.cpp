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
