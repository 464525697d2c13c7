// The number dialogs driven as a user drives them: controls found by their
// names, clicks and keys, and the answers the commands get.
#include "app/number_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app_test_support.h"
#include "lang/translate.h"
#include "test_figure.h"

using namespace sakuzu;
using namespace sakuzu::test;

namespace {

void Click(QWidget* dialog, const char* name) {
  QTest::mouseClick(Find<QPushButton>(dialog, name), Qt::LeftButton);
}

void ClickLine(QWidget* dialog, int line) {
  auto* list = Find<QListWidget>(dialog, "NumList");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(line)).center());
}

}  // namespace

class NumberDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void ChoiceAnswersTypedChosenOrNothing() {
    Figure fig = ThreeNumbers();
    QWidget window;
    WindowNumberDialogs dialogs(&window, QFont(), {});

    // Equal division opens on a new number 2; Up makes 3, Enter adds it.
    WhenModal([](QDialog* d) {
      QVERIFY(d->objectName() == "ZKSelNum" && d->isModal());
      // The dialog says what its number is for.
      QCOMPARE(d->windowTitle(), QString("数値の選択: 等分する数"));
      QCOMPARE(Find<QLabel>(d, "LabelPurpose")->text(), QString("等分する数"));
      auto* text1 = Find<QLineEdit>(d, "Text1");
      QCOMPARE(text1->text(), QString("2"));
      QTest::keyClick(text1, Qt::Key_Up);
      QCOMPARE(text1->text(), QString("3"));
      QTest::keyClick(text1, Qt::Key_Return);
    });
    QCOMPARE(dialogs.ChooseNumber(fig, {17, "PNEQ", 2, "等分する数"}), std::optional<int16_t>(4));
    QVERIFY(fig.Numbers[4].value == 3.0 && fig.Numbers[4].independent == kTrue);

    // OK waits for a line; Enter in the list answers the chosen one.
    WhenModal([](QDialog* d) {
      auto* ok = Find<QPushButton>(d, "Cmd_OK");
      QVERIFY(!ok->isEnabled() && Find<QLineEdit>(d, "Text1")->isHidden());
      ClickLine(d, 2);
      QVERIFY(ok->isEnabled());
      QTest::keyClick(Find<QListWidget>(d, "NumList"), Qt::Key_Return);
    });
    QCOMPARE(dialogs.ChooseNumber(fig, {17, "PM", 2, {}}), std::optional<int16_t>(3));

    // A decimal comma is refused; Esc leaves the entry, Esc again cancels.
    WhenModal([](QDialog* d) {
      Click(d, "NewNum");
      auto* text1 = Find<QLineEdit>(d, "Text1");
      QCOMPARE(text1->text(), QString("3"));  // kept from the last opening
      QTest::keyClicks(text1, "2,5");
      QVERIFY(!Find<QPushButton>(d, "NewNumOK")->isEnabled());
      QTest::keyClick(text1, Qt::Key_Return);
      QVERIFY(d->isVisible());
      QTest::keyClick(text1, Qt::Key_Escape);
      QVERIFY(text1->isHidden());
      QTest::keyClick(Find<QListWidget>(d, "NumList"), Qt::Key_Escape);
      QVERIFY(!d->isVisible());
    });
    QCOMPARE(dialogs.ChooseNumber(fig, {17, "PM", 2, {}}), std::nullopt);
    QCOMPARE(int(fig.ObjectCounts[kNumberClass]), 4);
  }

  void ValueChangeWhileVaryingInEnglish() {
    Figure fig = ThreeNumbers();
    ZKSelNum d(nullptr, fig, {63, "", 2, {}}, EnglishFor);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Choose number"));
    QCOMPARE(Find<QPushButton>(&d, "Cmd_OK")->text(), QString("Vary"));
    QVERIFY(Find<QPushButton>(&d, "NewNum")->isHidden());
    ClickLine(&d, 1);
    QCOMPARE(Find<QPushButton>(&d, "Reset")->text(), QString("Change value"));
    Click(&d, "Reset");
    auto* resetText = Find<QLineEdit>(&d, "ResetText");
    QTest::keyClicks(resetText, "4.25");  // replaces the offered 4
    QTest::keyClick(resetText, Qt::Key_Return);
    QCOMPARE(fig.Numbers[2].value, 4.25);
    QCOMPARE(Find<QListWidget>(&d, "NumList")->item(1)->text(), QString(" 2:k =    4.25"));
    Click(&d, "Cmd_OK");
    QVERIFY(d.result() == QDialog::Accepted && d.Answer() == 2);
  }

  void ExpressionByListKeysAndATypedNumber() {
    Figure fig = ThreeNumbers();
    WindowNumberDialogs dialogs(nullptr, QFont(), {});
    WhenModal([](QDialog* d) {
      QCOMPARE(d->objectName(), QString("ZKExpress"));
      auto* list = Find<QListWidget>(d, "NumList");
      auto* end = Find<QPushButton>(d, "cmdInputEnd");
      QCOMPARE(list->currentRow(), 0);
      QVERIFY(!end->isEnabled());
      QTest::keyClick(list, Qt::Key_Return);
      QCOMPARE(d->focusWidget(), end);
      QTest::keyClick(end, '+');
      QVERIFY(!end->isEnabled());
      ClickLine(d, 2), Click(d, "NumSelectOK");
      QTest::keyClick(end, '*');
      Click(d, "cmdAddNum");
      auto* text1 = Find<QLineEdit>(d, "Text1");
      QVERIFY(!Find<QPushButton>(d, "cmdReInput")->isEnabled());
      QTest::keyClicks(text1, "1.5"), QTest::keyClick(text1, Qt::Key_Up);
      QTest::keyClick(text1, Qt::Key_Return);
      QCOMPARE(Find<QLabel>(d, "LabelExpress")->text(), QString("AB+ 2* 2.5"));
      QTest::keyClick(end, '=');
    });
    QCOMPARE(dialogs.EnterExpression(fig, 2), std::optional<std::string>("N1+N3*N4"));
    QCOMPARE(fig.Numbers[4].value, 2.5);

    // Esc cancels; the number typed meanwhile stays for the command to remove.
    WhenModal([](QDialog* d) {
      Click(d, "cmdAddNum");
      auto* text1 = Find<QLineEdit>(d, "Text1");
      QTest::keyClicks(text1, "7"), QTest::keyClick(text1, Qt::Key_Return);
      QTest::keyClick(Find<QPushButton>(d, "cmdInputEnd"), Qt::Key_Escape);
    });
    QCOMPARE(dialogs.EnterExpression(fig, 2), std::nullopt);
    QCOMPARE(int(fig.ObjectCounts[kNumberClass]), 5);
  }

  void ExpressionRefusesToPassSeventyCharacters() {
    Figure fig = ThreeNumbers(12);
    ZKExpress d(nullptr, fig, 2, EnglishFor);
    QStringList messages;
    d.showMessage = [&](const QString& text) { messages << text; };
    d.show();
    QCOMPARE(Find<QPushButton>(&d, "cmdInputEnd")->text(), QString("End input"));
    for (int i = 0; i < 17; ++i) ClickLine(&d, 11), Click(&d, "NumSelectOK"), Click(&d, "cmdOpAdd");
    const QString shown = Find<QLabel>(&d, "LabelExpress")->text();
    QVERIFY(messages.isEmpty());
    ClickLine(&d, 11), Click(&d, "NumSelectOK");
    QCOMPARE(messages,
             QStringList("The expression would pass 70 characters, so nothing more can be added."));
    QCOMPARE(Find<QLabel>(&d, "LabelExpress")->text(), shown);
    Click(&d, "cmdCancel");
    QVERIFY(d.result() == QDialog::Rejected && !d.Answer());
  }
};

QTEST_MAIN(NumberDialogsTest)
#include "number_dialogs_test.moc"
