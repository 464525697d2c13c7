#include "interact/attributes.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/translate.h"

namespace sakuzu {
namespace {

constexpr ObjectRef kFreePoint{kPointClass, 1}, kBuiltPoint{kPointClass, 2};
constexpr ObjectRef kLine{kLineClass, 1}, kCircle{kCircleClass, 1};
constexpr ObjectRef kMeasured{kNumberClass, 1}, kFreeNumber{kNumberClass, 2};

// Point 1 free, point 2 constructed, a line, a circle, number 1 measured
// ("AB" = 2.5, hidden) and number 2 free ("k" = 4).
Figure Objects() {
  Figure fig;
  for (int cls : {kPointClass, kPointClass, kLineClass, kCircleClass, kNumberClass, kNumberClass})
    AddObject(fig, cls);
  fig.Points[1].independent = kTrue, fig.Points[1].style = 2, fig.Points[1].exists = kTrue;
  fig.Numbers[1] = {2.5, kTrue, "AB", kFalse, "", 7};
  fig.Numbers[2] = {4, kTrue, "k", kTrue, "", 0};
  return fig;
}

TEST(Attributes, PointsKeepTheirPlaceAndConstructedOnesStay) {
  Figure fig = Objects();
  AttributeForm form = FillAttributeForm(fig, kFreePoint);
  EXPECT_TRUE(form.kind == 2 && form.dragChoiceEnabled && form.dragChoice == 0);
  // "書かない" hides the point; it stays in the figure.
  form.color = 0, form.locusColor = 3, form.kind = 5, form.dragChoice = 1;
  ApplyAttributeForm(fig, form);
  const PointRecord& p = fig.Points[1];
  EXPECT_TRUE(p.color == 0 && p.locusColor == 3 && p.style == 5 && p.independent == 1);
  EXPECT_TRUE(p.exists == kTrue && fig.ObjectCounts[kPointClass] == 2);
  // "不可能" shows at 1, "可能" stores -1; a mark outside 0 to 5 has no
  // position, and only a position overwrites it.
  fig.Points[1].style = 20;
  form = FillAttributeForm(fig, kFreePoint);
  EXPECT_TRUE(form.dragChoiceEnabled && form.dragChoice == 1 && form.kind == -1);
  form.dragChoice = 0, ApplyAttributeForm(fig, form);
  EXPECT_TRUE(p.independent == kTrue && p.style == 20);
  form.kind = 0, ApplyAttributeForm(fig, form);
  EXPECT_EQ(p.style, 0);

  // A constructed point's list is disabled, and even a dialog that enables
  // it cannot free the point from its step.
  form = FillAttributeForm(fig, kBuiltPoint);
  EXPECT_FALSE(form.dragChoiceEnabled);
  form.dragChoice = 0, ApplyAttributeForm(fig, form);
  form.dragChoiceEnabled = true, ApplyAttributeForm(fig, form);
  EXPECT_EQ(fig.Points[2].independent, kFalse);
}

TEST(Attributes, NamesTrimmedAndCutByCharacters) {
  Figure fig = Objects();
  for (ObjectRef ref : {kFreePoint, kLine, kCircle}) {
    AttributeForm form = FillAttributeForm(fig, ref);
    form.name = "  あいうえおかきくけこさし ", form.kind = 7;
    ApplyAttributeForm(fig, form);
    EXPECT_EQ(ObjectName(fig, ref), "あいうえおかきくけこ") << ref.cls;
  }
  EXPECT_EQ(fig.Lines[1].lineKind, 7);
  AttributeForm form = FillAttributeForm(fig, kFreeNumber);
  form.name = " " + std::string(45, 'x'), ApplyAttributeForm(fig, form);
  EXPECT_EQ(fig.Numbers[2].name, std::string(40, 'x'));
}

TEST(Attributes, NumbersDependentShowOnlyVisibilityFreeNameAndValue) {
  Figure fig = Objects();
  AttributeForm form = FillAttributeForm(fig, kMeasured);
  EXPECT_TRUE(form.dependent && !form.visible && form.valueText == "2.5");
  form.visible = true, form.name = "x_@", form.valueText = "?";  // not stored, not checked
  EXPECT_EQ(CheckAttributeForm(form, EnglishFor), std::nullopt);
  ApplyAttributeForm(fig, form);
  EXPECT_EQ(fig.Numbers[1], (NumberRecord{2.5, kTrue, "AB", kFalse, "", 0}));

  form = FillAttributeForm(fig, kFreeNumber);
  EXPECT_TRUE(!form.dependent && !form.visible && form.valueText == "4");
  form.name = " r ", form.valueText = "－１．２５";  // typed with the Japanese input method
  EXPECT_EQ(CheckAttributeForm(form, EnglishFor), std::nullopt);
  ApplyAttributeForm(fig, form);
  EXPECT_EQ(fig.Numbers[2], (NumberRecord{-1.25, kTrue, "r", kTrue, "", 0}));
}

TEST(Attributes, RefusalsStoreNothing) {
  Figure fig = Objects();
  const Figure before = fig;
  for (ObjectRef ref : {kFreePoint, kLine, kCircle, kFreeNumber}) {
    for (const char* name : {"A_1", "@B"}) {
      AttributeForm form = FillAttributeForm(fig, ref);
      form.name = name, form.color = 1;
      EXPECT_EQ(CheckAttributeForm(form, EnglishFor), "A name cannot contain \"_\" or \"@\".");
      ApplyAttributeForm(fig, form);  // unchecked, still refused
    }
  }
  // Read the same on every desktop: a decimal comma, a tail, nothing or an
  // overflow is not one finite number.
  for (const char* value : {"2,5", "12abc", "1 2", "", "1e999", "nan"}) {
    AttributeForm form = FillAttributeForm(fig, kFreeNumber);
    form.valueText = value, form.name = "v";
    EXPECT_EQ(CheckAttributeForm(form, {}), "値には数を一つ入力してください(例: 2.5)。") << value;
    ApplyAttributeForm(fig, form);
  }
  // An index past the class's objects gives an empty form and stores nothing.
  AttributeForm stray = FillAttributeForm(fig, {kPointClass, 9});
  EXPECT_EQ(stray.name, "");
  ApplyAttributeForm(fig, stray);
  EXPECT_TRUE(fig.Points == before.Points && fig.Lines == before.Lines &&
              fig.Circles == before.Circles && fig.Numbers == before.Numbers);
}

}  // namespace
}  // namespace sakuzu
