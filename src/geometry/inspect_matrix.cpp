#include "geometry/inspect_matrix.h"

#include "text/number_text.h"

namespace sakuzu {

std::string InspectMatrixText(const Matrix& m, std::string_view title) {
  std::string text(20, '-');
  text += "\r\n";
  text += title;
  text += "\r\n";
  for (int i = 1; i <= m.Rows(); ++i) {
    for (int j = 1; j <= m.Cols(); ++j) {
      text += FormatNumber(m(i, j));
      text += " , ";
    }
    text += "\r\n";
  }
  return text;
}

void InspectMatrix(const Matrix& m, std::string_view title, Shell& shell) {
  shell.WriteText(InspectMatrixText(m, title));
}

}  // namespace sakuzu
