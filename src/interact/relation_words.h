// The answer of a relation check in words: Japanese as written here, any
// other language through the translate callback (the built-in English
// table has every text). Each text is translated whole, with "{0}",
// "{tried}" and the like filled in afterwards, so that a dictionary can
// put the pieces in its own order.
#pragma once

#include <string>
#include <string_view>

#include "interact/relation_check.h"
#include "model/kinds.h"

namespace sakuzu {

// Captions for the window's answer box.
constexpr std::string_view kShowCounterexampleCaption = "反例を表示";
constexpr std::string_view kBackToFigureCaption = "元の図に戻す";
constexpr std::string_view kNoRelationNowMessage =
    "選んだ対象の間に、今成り立っている関係はありません";

// One line, for example 「O, G, H は常に一直線上にあります（10,000 通り中 10,000
// 通り、乱数の種 1）」 or "AB ⊥ AC now, but not always (fails in 9,990 of
// 10,000 positions; 10,000 tried; seed 1)".
std::string RelationAnswerText(const Figure& fig, const RelationAnswer& answer,
                               const TranslateFn& translate = {});

// 「反例：A = (1.25, -3.5), r = 4.2」 (places to four decimals), or empty
// when the answer has no counterexample.
std::string CounterexampleText(const Figure& fig, const RelationAnswer& answer,
                               const TranslateFn& translate = {});

// How an object is called in the answers: its name, or its class and
// number when the name is empty or only digits (「円1」, "circle 1").
std::string ObjectLabel(const Figure& fig, ObjectRef ref, const TranslateFn& translate = {});

// 10000 as "10,000".
std::string GroupedCount(long long n);

}  // namespace sakuzu
