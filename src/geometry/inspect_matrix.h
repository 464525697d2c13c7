// The text block that shows a matrix in the text output window.
#pragma once

#include <string>
#include <string_view>

#include "geometry/transforms.h"
#include "platform/shell.h"

namespace sakuzu {

// A line of 20 "-", a line with the title, then one line per row holding
// each entry in the general number form followed by " , "; lines end with
// CR LF.
std::string InspectMatrixText(const Matrix& m, std::string_view title);

// Writes that block to the text output window.
void InspectMatrix(const Matrix& m, std::string_view title, Shell& shell);

}  // namespace sakuzu
