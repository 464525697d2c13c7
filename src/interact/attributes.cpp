#include "interact/attributes.h"

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
  const int cls = ref.ObjectClassCode();
  if (cls < kNumberClass || cls > kCircleClass) return false;
  return ref.index >= 1 && ref.index <= fig.ObjectCounts[cls] &&
         ref.index <= ObjectUpperBound(fig, cls);
}

// A dependent number's name belongs to its step (automatic names, the
// expression's display text); only its visibility is the user's.
bool IsDependentNumber(const NumberRecord& n) { return n.independent != kTrue; }

}  // namespace

AttributeForm FillAttributeForm(const Figure& fig, ObjectRef ref) {
  AttributeForm form;
  form.ref = ref;
  if (!IsFigureObject(fig, ref)) return form;
  const int16_t i = ref.index;
  switch (ref.ObjectClassCode()) {
    case kNumberClass: {
      const NumberRecord& n = fig.Numbers[i];
      form.name = n.name;
      form.valueText = FormatNumber(n.value);
      form.dependent = IsDependentNumber(n);
      // A free number's visibility is not offered; its options show
      // "非表示" chosen, as they always have.
      form.visible = form.dependent && n.display == 0;
      break;
    }
    case kPointClass: {
      const PointRecord& p = fig.Points[i];
      form.name = p.name;
      form.color = p.color;
      form.locusColor = p.locusColor;
      form.kind = InList(p.style, kPointMarkCount) ? p.style : -1;
      // A constructed point cannot be dragged: its disabled list says so.
      form.dragChoiceEnabled = p.independent != kFalse;
      form.dragChoice = p.independent == kTrue ? 0 : 1;
      break;
    }
    case kLineClass: {
      const LineRecord& l = fig.Lines[i];
      form.name = l.name;
      form.color = l.color;
      form.locusColor = l.locusColor;
      form.kind = l.lineKind;
      break;
    }
    case kCircleClass: {
      const CircleRecord& c = fig.Circles[i];
      form.name = c.name;
      form.color = c.color;
      form.locusColor = c.locusColor;
      break;
    }
    default:
      break;
  }
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
  const int16_t i = ref.index;
  switch (ref.ObjectClassCode()) {
    case kNumberClass: {
      NumberRecord& n = fig.Numbers[i];
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
    case kPointClass: {
      PointRecord& p = fig.Points[i];
      SetObjectName(fig, ref, form.name);
      StorePosition(p.color, form.color, kColorCount);
      StorePosition(p.locusColor, form.locusColor, kColorCount);
      StorePosition(p.style, form.kind, kPointMarkCount);
      // Whatever a dialog answers, a constructed point stays constructed:
      // dragging it would tear it from the step that computes it.
      if (form.dragChoiceEnabled && p.independent != kFalse) {
        p.independent = form.dragChoice == 0 ? kTrue : kNotDraggable;
      }
      return;
    }
    case kLineClass: {
      LineRecord& l = fig.Lines[i];
      SetObjectName(fig, ref, form.name);
      StorePosition(l.color, form.color, kColorCount);
      StorePosition(l.locusColor, form.locusColor, kColorCount);
      StorePosition(l.lineKind, form.kind, kLinePartCount);
      return;
    }
    case kCircleClass: {
      CircleRecord& c = fig.Circles[i];
      SetObjectName(fig, ref, form.name);
      StorePosition(c.color, form.color, kColorCount);
      StorePosition(c.locusColor, form.locusColor, kColorCount);
      return;
    }
    default:
      return;
  }
}

}  // namespace sakuzu
