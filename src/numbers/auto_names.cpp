#include "numbers/auto_names.h"

#include <array>
#include <string_view>

#include "numbers/expression.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

// Names of a step's input objects, slot 1 to 5 (empty for an empty or
// invalid slot).
using InputNames = std::array<std::string, kSlotCount + 1>;

bool IsValidRef(const Figure& fig, ObjectRef ref) {
  int cls = ref.ObjectClassCode();
  if (cls < kNumberClass || cls > kCircleClass) return false;
  return ref.index >= 1 && ref.index <= fig.ObjectCounts[static_cast<size_t>(cls)] &&
         ref.index <= ObjectUpperBound(fig, cls);
}

InputNames NamesOfInputs(const Figure& fig, int step) {
  InputNames names;
  for (int j = 1; j <= kSlotCount; ++j) {
    ObjectRef ref = fig.StepInputs[step][static_cast<size_t>(j)];
    if (IsValidRef(fig, ref)) names[static_cast<size_t>(j)] = TrimRight(ObjectName(fig, ref));
  }
  return names;
}

std::string Translated(const TranslateFn& translate, const char* text) {
  return translate ? translate(text) : std::string(text);
}

// A word that ends in a Latin letter takes a blank before the name that
// follows it ("Circle c"); a Japanese word runs on ("円c").
std::string WordBeforeName(const TranslateFn& translate, const char* text) {
  std::string word = Translated(translate, text);
  char last = word.empty() ? ' ' : word.back();
  if ((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z')) word += ' ';
  return word;
}

// The name of a measurement kind from the names of its inputs a, b, c, d.
std::optional<std::string> MeasureName(std::string_view kind, const InputNames& n,
                                       const TranslateFn& translate) {
  const std::string& a = n[1];
  const std::string& b = n[2];
  const std::string& c = n[3];
  const std::string& d = n[4];
  auto circle = [&] { return WordBeforeName(translate, "円"); };
  if (kind == "L1" || kind == "ND2P") return a + b;
  if (kind == "NDPL" || kind == "NPL2" || kind == "ND2L") return "d(" + a + ", " + b + ")";
  if (kind == "NDPC" || kind == "NDLC") return "d(" + a + ", " + circle() + b + ")";
  if (kind == "ND2C") return "d(" + circle() + a + ", " + circle() + b + ")";
  if (kind == "NA3P" || kind == "NA3+" || kind == "NA3M" || kind == "NA3*") {
    return "∠" + a + b + c;
  }
  if (kind == "NA2L") return "∠(" + a + ", " + b + ")";
  // The area signs are symbols, not words: every language keeps them.
  if (kind == "NAR3" || kind == "NAR+") return "Δ" + a + b + c;
  if (kind == "NAR4") return "□" + a + b + c + d;
  if (kind == "NPX") return a + "(x)";
  if (kind == "NPX2") return a;
  if (kind == "NPY") return a + "(y)";
  if (kind == "NRC") return circle() + a + Translated(translate, "の半径");
  if (kind == "NLC") return circle() + a + Translated(translate, "の円周");
  if (kind == "NSIN") return "SIN(" + a + ")";
  if (kind == "NCOS") return "COS(" + a + ")";
  if (kind == "NTAN") return "TAN(" + a + ")";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> AutoName(const Figure& fig, int step, const TranslateFn& translate) {
  if (step < 1 || step > fig.StepCount) return std::nullopt;
  std::string kind = TrimRight(fig.StepKind[step]);
  if (kind == "CALC") {
    ObjectRef out = fig.StepOutputs[step][1];
    if (out.ObjectClassCode() != kNumberClass || !IsValidRef(fig, out)) return std::nullopt;
    return ExpressionDisplayText(fig, fig.Numbers[out.index].expression);
  }
  return MeasureName(kind, NamesOfInputs(fig, step), translate);
}

void UpdateAutoNames(Figure& fig, const TranslateFn& translate) {
  for (int step = 1; step <= fig.StepCount; ++step) {
    std::optional<std::string> name = AutoName(fig, step, translate);
    if (!name) continue;
    ObjectRef out = fig.StepOutputs[step][1];
    if (IsValidRef(fig, out)) SetObjectName(fig, out, *name);
  }
}

}  // namespace sakuzu
