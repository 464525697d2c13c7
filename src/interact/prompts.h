// What the status bar asks for while a command waits for the user: the
// object a construction needs next and which of how many ("円を選んでく
// ださい (2/3)"), the point to move, the object to edit; and what the
// number a construction asks for is for ("回転の角度(度)").
#pragma once

#include <string>
#include <string_view>

#include "interact/workspace.h"

namespace sakuzu {

// The prompt for the interaction's state, translated; empty when nothing
// is being asked.
std::string PromptFor(const Workspace& ws);

// What the n-th number input (from 1) of a kind stands for, or, with
// n = 0, the count a group asks for; Japanese, empty when the kind says
// nothing more than "a number".
std::string_view NumberPurpose(std::string_view kind, int n);

}  // namespace sakuzu
