// The vocabulary of construction kinds: for each kind code its input and
// output slot classes, its display name and the menu commands that start it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

using TranslateFn = std::function<std::string(const std::string&)>;

struct KindCommand {
  std::string_view control;     // menu item object name
  std::string_view caption;     // Japanese caption
  int16_t inputLineKind = -1;   // line kind required of input line 1 (1 = segment)
  int16_t outputLineKind = -1;  // line kind given to output line 1 (-1 = default)
};

struct KindInfo {
  std::string_view code;
  std::vector<int16_t> inputs;   // slot classes in slot order
  std::vector<int16_t> outputs;  // slot classes of the created objects
  std::string_view displayName;  // Japanese; empty when the kind has none
  std::vector<KindCommand> commands;
  bool group = false;
};

const std::vector<KindInfo>& AllKinds();
// The catalogue entry of a kind code (blanks and case ignored), or null.
const KindInfo* FindKind(std::string_view kind);
// The display name passed through `translate` (when given); empty for a
// code without a name.
std::string KindDisplayName(std::string_view kind, const TranslateFn& translate = {});
bool IsGroupKind(std::string_view kind);
// Class of a kind's first output by its first letter ("CALC" a number), or
// -1 for a code that names none.
int KindOutputClass(std::string_view kind);
// Stored form of a kind code: trimmed, upper case, at most 5 characters.
std::string NormaliseKind(std::string_view kind);

}  // namespace sakuzu
