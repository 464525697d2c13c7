#include "interact/relation_words.h"

#include <cmath>
#include <utility>
#include <vector>

#include "text/number_text.h"

namespace sakuzu {
namespace {

// The four ways a relation is said: it always holds, it holds (now, or in
// a fixed figure), it does not hold, it does not always hold.
struct Phrases {
  std::string_view always, holds, fails, notAlways;
};

constexpr Phrases kCollinear = {
    "{0}, {1}, {2} は常に一直線上にあります", "{0}, {1}, {2} は一直線上にあります",
    "{0}, {1}, {2} は一直線上にありません", "{0}, {1}, {2} は常に一直線上にあるとは限りません"};
constexpr Phrases kConcyclic = {"{0}, {1}, {2}, {3} は常に同一円周上にあります",
                                "{0}, {1}, {2}, {3} は同一円周上にあります",
                                "{0}, {1}, {2}, {3} は同一円周上にありません",
                                "{0}, {1}, {2}, {3} は常に同一円周上にあるとは限りません"};
constexpr Phrases kOn = {"{0} は常に {1} 上にあります", "{0} は {1} 上にあります",
                         "{0} は {1} 上にありません", "{0} は常に {1} 上にあるとは限りません"};
constexpr Phrases kParallel = {"{0} と {1} は常に平行です", "{0} ∥ {1} です",
                               "{0} と {1} は平行ではありません",
                               "{0} と {1} は常に平行とは限りません"};
constexpr Phrases kPerpendicular = {"{0} と {1} は常に垂直です", "{0} ⊥ {1} です",
                                    "{0} と {1} は垂直ではありません",
                                    "{0} と {1} は常に垂直とは限りません"};
constexpr Phrases kTangent = {"{0} と {1} は常に接しています", "{0} と {1} は接しています",
                              "{0} と {1} は接していません",
                              "{0} と {1} は常に接するとは限りません"};
constexpr Phrases kEqual = {"常に {0} = {1} です", "{0} = {1} です", "{0} ≠ {1} です",
                            "常に {0} = {1} とは限りません"};

// Frames around a phrase ({0}) with the counts.
constexpr std::string_view kNowButNotAlways = "今は {0}が、常にではありません";
constexpr std::string_view kAlwaysCounts = "{0}（{tried} 通り中 {existing} 通り、乱数の種 {seed}）";
constexpr std::string_view kAlwaysCountsDegenerate =
    "{0}（{tried} 通り中 {existing} 通り、うち {inconclusive} 通りは退化に近く数えず、乱数の種 "
    "{seed}）";
constexpr std::string_view kNotAlwaysCounts =
    "{0}（{tried} 通り中 {existing} 通りで存在、うち {failing} 通りで不成立、乱数の種 {seed}）";
constexpr std::string_view kNeverExistsOne =
    "{0} はどの位置でも存在しないので、調べられません（{tried} 通り、乱数の種 {seed}）";
constexpr std::string_view kNeverExistsSeveral =
    "{0} はいずれもどの位置でも存在しないので、調べられません（{tried} 通り、乱数の種 {seed}）";
constexpr std::string_view kNeverTogether =
    "選んだ対象が同時に存在する位置がないので、調べられません（{tried} 通り、乱数の種 {seed}）";
constexpr std::string_view kAllDegenerate =
    "{existing} 通りのどの位置でも退化に近く、判定できません（{tried} 通り中、乱数の種 {seed}）";
constexpr std::string_view kFixedFigure = "動かせる点や数がない図形です：{0}";
constexpr std::string_view kMissingOne = "{0} は存在しません";
constexpr std::string_view kMissingSeveral = "{0} はいずれも存在しません";
constexpr std::string_view kDegenerateNow = "図形が退化に近く、判定できません";
constexpr std::string_view kNotARelation = "選んだ対象ではこの関係を調べられません";
constexpr std::string_view kCounterexample = "反例：{0}";

constexpr std::string_view kPointLabel = "点{0}";
constexpr std::string_view kLineLabel = "直線{0}";
constexpr std::string_view kCircleLabel = "円{0}";
constexpr std::string_view kNumberLabel = "数{0}";

using Fillings = std::vector<std::pair<std::string_view, std::string>>;

std::string T(const TranslateFn& translate, std::string_view text) {
  return translate ? translate(std::string(text)) : std::string(text);
}

// Replaces each "{key}" of the translated text in one pass, so that a name
// holding braces is never filled in again.
std::string Fill(const TranslateFn& translate, std::string_view text, const Fillings& fillings) {
  const std::string pattern = T(translate, text);
  std::string out;
  size_t i = 0;
  while (i < pattern.size()) {
    bool filled = false;
    if (pattern[i] == '{') {
      for (const auto& [key, value] : fillings) {
        if (pattern.compare(i, key.size(), key) != 0) continue;
        out += value;
        i += key.size();
        filled = true;
        break;
      }
    }
    if (!filled) out += pattern[i++];
  }
  return out;
}

const Phrases& PhrasesOf(RelationKind kind) {
  switch (kind) {
    case RelationKind::kOnLine:
    case RelationKind::kOnCircle:
      return kOn;
    case RelationKind::kCollinear:
      return kCollinear;
    case RelationKind::kConcyclic:
      return kConcyclic;
    case RelationKind::kParallel:
      return kParallel;
    case RelationKind::kPerpendicular:
      return kPerpendicular;
    case RelationKind::kLineTangent:
    case RelationKind::kCirclesTangent:
      return kTangent;
    default:
      return kEqual;
  }
}

bool OnlyDigits(const std::string& name) {
  for (char c : name) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The texts that fill "{0}" to "{3}" of a relation's phrases: the objects'
// labels, or the two sides of an equality ("AB", "∠ABC").
std::vector<std::string> Parts(const Figure& fig, const Relation& r, const TranslateFn& t) {
  std::vector<std::string> labels;
  for (ObjectRef ref : r.objects) labels.push_back(ObjectLabel(fig, ref, t));
  if (r.kind == RelationKind::kEqualDistances && labels.size() == 4) {
    return {labels[0] + labels[1], labels[2] + labels[3]};
  }
  if (r.kind == RelationKind::kEqualAngles && labels.size() == 6) {
    return {"∠" + labels[0] + labels[1] + labels[2], "∠" + labels[3] + labels[4] + labels[5]};
  }
  return labels;
}

std::string Phrase(const Figure& fig, const Relation& r, std::string_view phrase,
                   const TranslateFn& t) {
  static constexpr std::string_view kKeys[] = {"{0}", "{1}", "{2}", "{3}"};
  const std::vector<std::string> parts = Parts(fig, r, t);
  Fillings fillings;
  for (size_t i = 0; i < parts.size() && i < std::size(kKeys); ++i) {
    fillings.emplace_back(kKeys[i], parts[i]);
  }
  return Fill(t, phrase, fillings);
}

std::string Joined(const Figure& fig, const std::vector<ObjectRef>& refs, const TranslateFn& t) {
  std::string out;
  for (ObjectRef ref : refs) out += (out.empty() ? "" : ", ") + ObjectLabel(fig, ref, t);
  return out;
}

Fillings Counts(const RelationAnswer& a, std::string phrase) {
  return {{"{0}", std::move(phrase)},
          {"{tried}", GroupedCount(a.tried)},
          {"{existing}", GroupedCount(a.existing)},
          {"{inconclusive}", GroupedCount(a.inconclusive)},
          {"{failing}", GroupedCount(a.failing)},
          {"{seed}", std::to_string(a.seed)}};
}

// The figure does not move: what it shows, said as a fact.
std::string FixedText(const Figure& fig, const RelationAnswer& a, const TranslateFn& t) {
  const Phrases& p = PhrasesOf(a.relation.kind);
  std::string fact;
  switch (a.outcome) {
    case CheckOutcome::kFixedHolds:
      fact = Phrase(fig, a.relation, p.holds, t);
      break;
    case CheckOutcome::kFixedFails:
      fact = Phrase(fig, a.relation, p.fails, t);
      break;
    case CheckOutcome::kAllDegenerate:
      fact = T(t, kDegenerateNow);
      break;
    default:
      fact = Fill(t, a.neverExisting.size() > 1 ? kMissingSeveral : kMissingOne,
                  {{"{0}", Joined(fig, a.neverExisting, t)}});
      break;
  }
  return Fill(t, kFixedFigure, {{"{0}", fact}});
}

std::string NotAlwaysText(const Figure& fig, const RelationAnswer& a, const TranslateFn& t) {
  const Phrases& p = PhrasesOf(a.relation.kind);
  std::string phrase;
  if (a.now == NowState::kHolds) {
    phrase = Fill(t, kNowButNotAlways, {{"{0}", Phrase(fig, a.relation, p.holds, t)}});
  } else if (a.now == NowState::kFails) {
    phrase = Phrase(fig, a.relation, p.fails, t);
  } else {
    phrase = Phrase(fig, a.relation, p.notAlways, t);
  }
  return Fill(t, kNotAlwaysCounts, Counts(a, std::move(phrase)));
}

// A place as the answer shows it: four decimals are finer than a pixel at
// any zoom a lesson uses.
std::string Place(double v) { return FormatNumber(std::round(v * 1e4) / 1e4); }

}  // namespace

std::string GroupedCount(long long n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

std::string ObjectLabel(const Figure& fig, ObjectRef ref, const TranslateFn& translate) {
  const std::string name = ObjectName(fig, ref);
  if (!name.empty() && !OnlyDigits(name)) return name;
  const std::string number = name.empty() ? std::to_string(ref.index) : name;
  switch (ref.ObjectClassCode()) {
    case kPointClass:
      return Fill(translate, kPointLabel, {{"{0}", number}});
    case kLineClass:
      return Fill(translate, kLineLabel, {{"{0}", number}});
    case kCircleClass:
      return Fill(translate, kCircleLabel, {{"{0}", number}});
    default:
      return Fill(translate, kNumberLabel, {{"{0}", number}});
  }
}

std::string RelationAnswerText(const Figure& fig, const RelationAnswer& a,
                               const TranslateFn& translate) {
  const TranslateFn& t = translate;
  switch (a.outcome) {
    case CheckOutcome::kAlways: {
      std::string phrase = Phrase(fig, a.relation, PhrasesOf(a.relation.kind).always, t);
      return Fill(t, a.inconclusive > 0 ? kAlwaysCountsDegenerate : kAlwaysCounts,
                  Counts(a, std::move(phrase)));
    }
    case CheckOutcome::kNotAlways:
      return NotAlwaysText(fig, a, t);
    case CheckOutcome::kFixedHolds:
    case CheckOutcome::kFixedFails:
      return FixedText(fig, a, t);
    case CheckOutcome::kNeverExists:
      if (a.tried == 0) return FixedText(fig, a, t);
      if (a.neverExisting.empty()) return Fill(t, kNeverTogether, Counts(a, {}));
      return Fill(t, a.neverExisting.size() > 1 ? kNeverExistsSeveral : kNeverExistsOne,
                  Counts(a, Joined(fig, a.neverExisting, t)));
    case CheckOutcome::kAllDegenerate:
      if (a.tried == 0) return FixedText(fig, a, t);
      return Fill(t, kAllDegenerate, Counts(a, {}));
    case CheckOutcome::kNotWellFormed:
      return T(t, kNotARelation);
  }
  return {};
}

std::string CounterexampleText(const Figure& fig, const RelationAnswer& a,
                               const TranslateFn& translate) {
  if (a.counterexample.empty()) return {};
  std::string places;
  for (const FreeValue& v : a.counterexample) {
    places += places.empty() ? "" : ", ";
    places += ObjectLabel(fig, v.object, translate) + " = ";
    if (v.object.cls == kNumberClass) {
      places += Place(v.x);
    } else {
      places += "(" + Place(v.x) + ", " + Place(v.y) + ")";
    }
  }
  return Fill(translate, kCounterexample, {{"{0}", places}});
}

}  // namespace sakuzu
