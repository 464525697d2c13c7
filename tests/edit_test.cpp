#include "interact/edit.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "interaction_fixture.h"

namespace sakuzu {
namespace {

using testing::Bench;

const std::vector<int16_t> kStandardOnly{kModeStandard};

// Answers the attribute dialogs from a script: a change to the form, or a
// cancel (nothing).
class ScriptedAttributes : public AttributeDialogs {
 public:
  std::optional<AttributeForm> EditAttributes(const AttributeForm& form) override {
    shown.push_back(form);
    if (!change) return std::nullopt;
    AttributeForm edited = form;
    change(edited);
    return edited;
  }
  std::optional<int> ChooseBindKind(int) override { return bindKind; }

  std::function<void(AttributeForm&)> change;
  std::optional<int> bindKind;
  std::vector<AttributeForm> shown;
};

struct EditBench : Bench {
  EditBench() {
    ws.attributes = &attributes;
    PlacePoints({{0, 0}, {4, 0}, {0, 3}});
    RunKindCommand(ws, "mnlL2P");  // the line AB
    Key(kKeyEnter), Key(kKeyEnter);
    RunKindCommand(ws, "mnuMdis2P");  // the distance AB
    Key(kKeyEnter), Key(kKeyEnter);
  }
  ScriptedAttributes attributes;
};

// Every edit command, finished or cancelled, leaves the modes as it found
// them; a new name renames what is measured on the object.
TEST(Edit, AttributesAndBalancedModes) {
  EditBench b;
  b.attributes.change = [](AttributeForm& f) { f.name = "Q", f.color = 1; };
  EditObjectCommand(b.ws, kPointClass);
  b.Key(kKeyDown), b.Key(kKeyEnter);  // B
  EXPECT_EQ(b.Modes(), kStandardOnly);
  EXPECT_EQ(b.fig.Points[2].name, "Q");
  EXPECT_EQ(b.fig.Points[2].color, 1);
  EXPECT_EQ(b.fig.Numbers[1].name, "AQ");
  EXPECT_EQ(b.fig.Lines[1].name, "AQ");

  b.attributes.change = nullptr;  // cancelled: nothing changes
  EditObjectCommand(b.ws, kLineClass);
  b.Key(kKeyEnter);
  EXPECT_EQ(b.attributes.shown.back().ref, (ObjectRef{kLineClass, 1}));
  EditObjectCommand(b.ws, kCircleClass);  // no circle: nothing happens
  EditObjectCommand(b.ws, kPointClass);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  b.attributes.change = [](AttributeForm& f) { f.visible = false; };
  b.numbers.answers = {int16_t{1}};
  EditNumberCommand(b.ws);
  EXPECT_EQ(b.numbers.requests.back().mode, kModeEditSelect);
  EXPECT_EQ(b.fig.Numbers[1].display, 7);
  b.ws.pick.popupObject = ObjectRef{kPointClass, 1};
  PopupEditCommand(b.ws);
  EXPECT_EQ(b.Modes(), kStandardOnly);
  // A name that would change meaning in the figure file is not stored.
  b.attributes.change = [](AttributeForm& f) { f.name = "P_1"; };
  PopupEditCommand(b.ws);
  EXPECT_EQ(b.fig.Points[1].name, "A");
}

// Binding: not to the point itself nor to what is built on it; Esc while
// choosing the host stores nothing; then the point is placed on its host.
TEST(Edit, BindingAndSetFree) {
  EditBench b;
  b.attributes.bindKind = kLineClass;
  b.ws.pick.popupObject = ObjectRef{kPointClass, 1};  // A: the line AB is built on it
  PopupBindingCommand(b.ws);
  ASSERT_EQ(b.shell.messages.size(), 1u);
  EXPECT_EQ(b.shell.messages[0], std::string(kNoHostMessage));
  EXPECT_EQ(b.fig.Points[1].bindKind, 0);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  EditBindingCommand(b.ws);  // C onto AB
  b.Key(kKeyDown), b.Key(kKeyDown), b.Key(kKeyEnter);
  EXPECT_EQ(b.Modes(),
            (std::vector<int16_t>{kModeStandard, kModeBindHostSelect, kModeBindHostSelect}));
  b.Key(kKeyEscape);  // no host: nothing stored
  EXPECT_EQ(b.fig.Points[3].bindKind, 0);
  EXPECT_EQ(b.Modes(), kStandardOnly);
  EditBindingCommand(b.ws);
  b.Key(kKeyDown), b.Key(kKeyDown), b.Key(kKeyEnter);
  b.Key(kKeyEnter);  // the line
  EXPECT_EQ(b.fig.Points[3].bindKind, kLineClass);
  EXPECT_EQ(b.fig.Points[3].bindIndex, 1);
  EXPECT_EQ(b.Modes(), (std::vector<int16_t>{kModeStandard, kModePlacePoint}));
  b.Click(1, 2);  // set on the line at the foot of the click
  EXPECT_NEAR(b.fig.Points[3].x, 1, 1e-9);
  EXPECT_NEAR(b.fig.Points[3].y, 0, 1e-9);
  b.Key(kKeyEnter);
  EXPECT_EQ(b.Modes(), kStandardOnly);

  b.ws.pick.popupObject = ObjectRef{kPointClass, 3};
  PopupSetFreeCommand(b.ws);
  EXPECT_EQ(b.fig.Points[3].bindKind, 0);
  EXPECT_EQ(b.fig.Points[3].bindIndex, 0);
}

// Scribble: strokes while the button is held, on the overlay only; Esc
// ends it and the redraw clears them.
TEST(Edit, Scribble) {
  EditBench b;
  int16_t steps = b.fig.StepCount;
  ScribbleCommand(b.ws);
  EXPECT_EQ(ModeName(b.modes, b.shell), "落書き");
  EXPECT_EQ(b.shell.beeps, 0);
  b.Move(1, 1);  // the button is up: nothing
  EXPECT_TRUE(b.r.overlay.empty());
  b.Click(0, 0);
  b.Move(1, 1, true);
  b.Move(2, 1, true);
  MouseUp(b.d, b.Mouse(2, 1));
  b.Move(3, 3);
  EXPECT_EQ(b.r.overlay.size(), 3u);  // a dot and two strokes
  EXPECT_EQ(b.canvas.Shown(Layer::kOverlay).size(), 3u);
  b.Click(0, 0, MouseButton::kRight);  // Esc
  EXPECT_EQ(b.Modes(), kStandardOnly);
  EXPECT_TRUE(b.r.overlay.empty());
  EXPECT_EQ(b.fig.StepCount, steps);
  // The command again while scribbling (its menu stays open) goes on
  // scribbling: one Esc still ends it.
  ScribbleCommand(b.ws);
  ScribbleCommand(b.ws);
  b.Key(kKeyEscape);
  EXPECT_EQ(b.Modes(), kStandardOnly);
}

}  // namespace
}  // namespace sakuzu
