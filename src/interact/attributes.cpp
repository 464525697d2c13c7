#include "interact/attributes.h"

#include <type_traits>

#include "numbers/number_choice.h"
#include "text/number_text.h"

namespace sakuzu {
namespace {

constexpr int kColorCount = 8;        // "書かない" to "黒"
constexpr int kPointMarkCount = 6;    // "・" to "Δ"
constexpr int kLinePartCount = 8;     // "直線" to "半直線←"
constexpr int16_t kNotDraggable = 1;  // "不可能"

bool InList(int position, int count) { return position >= 0 && position < count; }

// A list position outside its list (a colour read from a file that the
// list does not offer, left alone by the user) keeps the stored value.
void StorePosition(int16_t& field, int position, int count) {
  if (InList(position, count)) field = static_cast<int16_t>(position);
}

// Slots past the class's count hold no object of the figure.
bool IsFigureObject(const Figure& fig, ObjectRef ref) {
  return ref.index >= 1 && ref.index <= ClassCount(fig, ref.ObjectClassCode());
}

// A dependent number's name belongs to its step (automatic names, the
// expression's display text); only its visibility is the user's.
bool IsDependentNumber(const NumberRecord& n) { return n.independent != kTrue; }

}  // namespace

const AttributeChoices& AttributeChoiceLists() {
  static const AttributeChoices choices = {
      {"書かない", "赤", "緑", "黄", "青", "紫", "水色", "黒"},
      // A thin line in colour 3 is drawn dotted, a thick one yellow.
      {"書かない", "赤", "緑", "点線(太線→黄)", "青", "紫", "水色", "黒"},
      {"・", "×", "○", "□", "■", "Δ"},
      {"直線", "線分", "半直線", "半直線(逆)", "線分←", "線分→", "線分←→", "半直線←"},
      {"可能", "不可能"},
      {"フリーにする", "他の点と一致させる", "直線上に取る", "円上に取る"}};
  return choices;
}

AttributeForm FillAttributeForm(const Figure& fig, ObjectRef ref) {
  AttributeForm form;
  form.ref = ref;
  if (!IsFigureObject(fig, ref)) return form;
  VisitObject(fig, ref, [&form](const auto& record) { form.name = record.name; });
  VisitObject(fig, ref,
              Overloaded{[&](const NumberRecord& n) {
                           form.valueText = FormatNumber(n.value);
                           form.dependent = IsDependentNumber(n);
                           // A free number's visibility is not offered; its
                           // options show "非表示" chosen, as they always have.
                           form.visible = form.dependent && n.display == 0;
                         },
                         [&](const auto& shape) {
                           form.color = shape.color;
                           form.locusColor = shape.locusColor;
                           using Record = std::decay_t<decltype(shape)>;
                           if constexpr (std::is_same_v<Record, PointRecord>) {
                             form.kind = InList(shape.style, kPointMarkCount) ? shape.style : -1;
                             // A constructed point cannot be dragged: its
                             // disabled list says so.
                             form.dragChoiceEnabled = shape.independent != kFalse;
                             form.dragChoice = shape.independent == kTrue ? 0 : 1;
                           } else if constexpr (std::is_same_v<Record, LineRecord>) {
                             form.kind = shape.lineKind;
                           }
                         }});
  return form;
}

std::optional<std::string> CheckAttributeForm(
    const AttributeForm& form, const std::function<std::string(const std::string&)>& translate) {
  auto t = [&](const char* text) { return translate ? translate(text) : std::string(text); };
  const bool numberClass = form.ref.ObjectClassCode() == kNumberClass;
  if (numberClass && form.dependent) return std::nullopt;  // only the visibility is stored
  // The figure file ends a number's name at "_" (which marks it hidden) and
  // at "@" (which starts its expression). A point, line or circle name
  // passes into the automatic names of the numbers measured on it, so the
  // same holds for every class.
  if (form.name.find_first_of("_@") != std::string::npos) {
    return t("名前に「_」と「@」は使えません。");
  }
  if (numberClass && !ReadTypedNumber(form.valueText)) {
    return t("値には数を一つ入力してください(例: 2.5)。");
  }
  return std::nullopt;
}

void ApplyAttributeForm(Figure& fig, const AttributeForm& form) {
  const ObjectRef ref = form.ref;
  if (!IsFigureObject(fig, ref) || CheckAttributeForm(form, {})) return;
  if (ref.ObjectClassCode() == kNumberClass) {
    NumberRecord& n = fig.Numbers[ref.index];
    if (IsDependentNumber(n)) {
      n.display = form.visible ? 0 : 7;
      return;
    }
    // A form that calls a free number dependent was never checked.
    std::optional<double> value = ReadTypedNumber(form.valueText);
    if (!value) return;
    n.value = *value;
    SetObjectName(fig, ref, form.name);
    return;
  }
  SetObjectName(fig, ref, form.name);
  VisitObject(fig, ref,
              Overloaded{[](NumberRecord&) {},
                         [&](auto& shape) {
                           StorePosition(shape.color, form.color, kColorCount);
                           StorePosition(shape.locusColor, form.locusColor, kColorCount);
                           using Record = std::decay_t<decltype(shape)>;
                           if constexpr (std::is_same_v<Record, PointRecord>) {
                             StorePosition(shape.style, form.kind, kPointMarkCount);
                             // Whatever a dialog answers, a constructed point
                             // stays constructed: dragging it would tear it
                             // from the step that computes it.
                             if (form.dragChoiceEnabled && shape.independent != kFalse) {
                               shape.independent = form.dragChoice == 0 ? kTrue : kNotDraggable;
                             }
                           } else if constexpr (std::is_same_v<Record, LineRecord>) {
                             StorePosition(shape.lineKind, form.kind, kLinePartCount);
                           }
                         }});
}

}  // namespace sakuzu
