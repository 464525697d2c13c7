// The attribute dialogs driven as a user drives them: controls found by
// their names, keys and clicks, and the forms the edit commands get back.
#include "app/attribute_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app_test_support.h"
#include "japanese_text.h"
#include "lang/translate.h"

using namespace sakuzu;
using namespace sakuzu::test;

namespace {

AttributeForm Form(int cls, bool free, int kind = 0) {
  AttributeForm form;
  form.ref = {static_cast<int16_t>(cls), 1};
  form.name = "A", form.valueText = "4", form.kind = kind;
  form.dragChoiceEnabled = free, form.dependent = !free;
  return form;
}

}  // namespace

class AttributeDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void ShapesByKeys() {
    QWidget window;
    WindowAttributeDialogs dialogs(&window, QFont(), {});
    WhenModal([](QDialog* d) {
      QVERIFY(d->objectName() == "PtAttribute" && d->windowTitle() == "点の属性の設定" &&
              d->isModal());
      auto* name = Find<QLineEdit>(d, "TextName");
      QCOMPARE(d->focusWidget(), name);
      auto* clr = Find<QComboBox>(d, "ComboClr");
      QVERIFY(clr->currentText() == "黒" && clr->itemText(3) == "黄");
      QCOMPARE(Find<QComboBox>(d, "ComboKind")->currentText(), QString("○"));
      auto* drag = Find<QComboBox>(d, "ComboIndependent");
      QVERIFY(drag->isEnabled() && drag->currentText() == "可能");
      for (QLabel* label : d->findChildren<QLabel*>()) {
        if (label->buddy() == drag) QCOMPARE(label->text(), QString("変形時の選択"));
      }
      QTest::keyClicks(name, "P1"), QTest::keyClick(clr, Qt::Key_Home);  // P1 replaces the name
      QCOMPARE(clr->currentText(), QString("書かない"));
      QTest::keyClick(drag, Qt::Key_Down), QTest::keyClick(drag, Qt::Key_Return);  // Enter is OK
    });
    std::optional<AttributeForm> answer = dialogs.EditAttributes(Form(kPointClass, true, 2));
    QVERIFY(answer && answer->name == "P1" && answer->color == 0 && answer->dragChoice == 1);

    // A constructed point's list is closed; Esc answers nothing.
    WhenModal([](QDialog* d) {
      QVERIFY(!Find<QComboBox>(d, "ComboIndependent")->isEnabled());
      QTest::keyClick(Find<QLineEdit>(d, "TextName"), Qt::Key_Escape);
    });
    QCOMPARE(dialogs.EditAttributes(Form(kPointClass, false)), std::nullopt);

    // A line in English: every text translated; Enter in the name box is OK.
    WindowAttributeDialogs english(&window, QFont(), EnglishFor);
    WhenModal([](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Line attributes"));
      auto* part = Find<QComboBox>(d, "ComboKind");
      QCOMPARE(Find<QComboBox>(d, "ComboClr")->itemText(3), QString("Dotted (thick -> yellow)"));
      QStringList texts;
      for (QLabel* label : d->findChildren<QLabel*>()) texts << label->text();
      for (QPushButton* button : d->findChildren<QPushButton*>()) texts << button->text();
      for (QComboBox* list : d->findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
      }
      QVERIFY2(!test::HasJapanese(texts.join('|').toStdString()), qPrintable(texts.join('|')));
      QTest::keyClick(part, Qt::Key_Up),
          QTest::keyClick(Find<QLineEdit>(d, "TextName"), Qt::Key_Enter);
    });
    answer = english.EditAttributes(Form(kLineClass, true, 7));
    QVERIFY(answer && answer->kind == 6);
  }

  void NumberRefusalKeepsTheDialogOpen() {
    NumAttribute d(nullptr, Form(kNumberClass, true), {});
    QStringList messages;
    d.showMessage = [&](const QString& text) { messages << text; };
    d.show();
    QCOMPARE(Find<QLabel>(&d, "TextAttr")->text(), QString("独立変数"));
    auto* shown = Find<QRadioButton>(&d, "OptionVisible");
    QVERIFY(!shown->isEnabled() && Find<QRadioButton>(&d, "OptionNotVisible")->isChecked());
    auto* name = Find<QLineEdit>(&d, "TextName");
    auto* value = Find<QLineEdit>(&d, "TextVal");
    value->selectAll(), QTest::keyClicks(value, "2,5");
    QTest::mouseClick(Find<QPushButton>(&d, "CommandOK"), Qt::LeftButton);
    QCOMPARE(messages, QStringList("値には数を一つ入力してください(例: 2.5)。"));
    QVERIFY(d.isVisible() && d.Form().valueText == "4");  // nothing taken yet
    value->selectAll(), QTest::keyClicks(value, "2.5");
    name->end(false), QTest::keyClicks(name, "_1");
    QTest::keyClick(value, Qt::Key_Return);
    QVERIFY(messages.size() == 2 && d.isVisible());
    QCOMPARE(d.focusWidget(), name);  // back at the fault, selected
    QTest::keyClicks(name, "r"), QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(d.result() == QDialog::Accepted && d.Form().valueText == "2.5" && d.Form().name == "r");

    // A computed number: only its visibility.
    NumAttribute dep(nullptr, Form(kNumberClass, false), {});
    dep.show();
    QCOMPARE(Find<QLabel>(&dep, "TextAttr")->text(), QString("従属変数"));
    QVERIFY(!Find<QLineEdit>(&dep, "TextName")->isEnabled() &&
            !Find<QLineEdit>(&dep, "TextVal")->isEnabled());
    QTest::mouseClick(Find<QRadioButton>(&dep, "OptionNotVisible"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&dep, "CommandOK"), Qt::LeftButton);
    QVERIFY(dep.result() == QDialog::Accepted && !dep.Form().visible);
  }

  void BindKindByKeys() {
    WindowAttributeDialogs dialogs(nullptr, QFont(), {});
    WhenModal([](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("種類の選択"));
      auto* list = Find<QListWidget>(d, "ListKind");
      QCOMPARE(list->currentItem()->text(), QString("直線上に取る"));
      QTest::keyClick(list, Qt::Key_Down), QTest::keyClick(list, Qt::Key_Return);
    });
    QCOMPARE(dialogs.ChooseBindKind(2), std::optional<int>(3));
    WhenModal([](QDialog* d) {
      QCOMPARE(Find<QListWidget>(d, "ListKind")->currentRow(), 0);
      QTest::keyClick(Find<QListWidget>(d, "ListKind"), Qt::Key_Escape);
    });
    QCOMPARE(dialogs.ChooseBindKind(9), std::nullopt);
  }
};

QTEST_MAIN(AttributeDialogsTest)
#include "attribute_dialogs_test.moc"
