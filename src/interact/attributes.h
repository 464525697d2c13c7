// Object attributes: name, colour, locus colour, a point's mark and
// whether it may be dragged, a line's drawn part, a number's value and
// visibility. The edit commands fill a form from the object, a dialog
// (the window's, or a test's) edits it, and the form is stored back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

struct AttributeForm {
  ObjectRef ref;  // the object edited; its class picks the dialog
  std::string name;
  int color = 7;       // list position = colour index 0 to 7
  int locusColor = 0;  // the same list
  // Points: the mark 0 to 5 ("・", "×", "○", "□", "■", "Δ"); lines: the
  // part 0 to 7. A point whose style lies outside 0 to 5 has no position:
  // kind is -1, the list keeps its place, and OK stores the list's position.
  int kind = 0;
  // Points: "可能" (0, stored -1) or "不可能" (1, stored 1); disabled for a
  // constructed point, whose `independent` stays 0.
  int dragChoice = 0;
  bool dragChoiceEnabled = false;
  // Numbers.
  std::string valueText;   // the value in the default number-to-text form
  bool dependent = false;  // a computed number: only its visibility can change
  bool visible = true;     // `display` 0
};

// The entries of the dialogs' lists, in Japanese; a list position is the
// stored value.
struct AttributeChoices {
  std::vector<std::string> pointColors;  // "書かない" to "黒"
  std::vector<std::string> lineColors;   // lines and circles: colour 3 is dotted when thin
  std::vector<std::string> pointMarks;   // "・" to "Δ"
  std::vector<std::string> lineParts;    // "直線" to "半直線←"
  std::vector<std::string> dragChoices;  // "可能" (-1), "不可能" (1)
  std::vector<std::string> bindKinds;    // "フリーにする" to "円上に取る"
};
const AttributeChoices& AttributeChoiceLists();

// The form of an object as it stands.
AttributeForm FillAttributeForm(const Figure& fig, ObjectRef ref);
// Why the form cannot be stored (a message through `translate`), or
// nothing when it can: a name holding "_" or "@" would change its
// meaning in the figure file; an independent number's value must be a
// finite number.
std::optional<std::string> CheckAttributeForm(
    const AttributeForm& form, const std::function<std::string(const std::string&)>& translate);
// Stores a checked form into the object.
void ApplyAttributeForm(Figure& fig, const AttributeForm& form);

class AttributeDialogs {
 public:
  virtual ~AttributeDialogs() = default;
  // The dialog of the form's class ("点の属性の設定", "直線の属性の設定",
  // "円の属性の設定", "変数の属性の設定"); the edited form after OK (already
  // checked), nothing after Cancel.
  virtual std::optional<AttributeForm> EditAttributes(const AttributeForm& form) = 0;
  // "種類の選択": the binding kind 0 to 3 chosen, nothing after Cancel.
  virtual std::optional<int> ChooseBindKind(int current) = 0;
};

}  // namespace sakuzu
