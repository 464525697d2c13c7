// The figure data report: a plain-text listing of the construction steps
// and of every field of every object, for teachers checking a figure.
#pragma once

#include <string>
#include <string_view>

#include "model/figure.h"
#include "model/kinds.h"

namespace sakuzu {

// Caption of the window that shows the report (before translation).
constexpr std::string_view kFigureDataReportCaption = "作図手続きと幾何的対象のデータ";

std::string FigureDataReportCaption(const TranslateFn& translate = {});

// The whole report as one text with CR LF line ends. Every Japanese label
// passes through `translate` when one is given.
std::string FigureDataReport(const Figure& fig, const TranslateFn& translate = {});

}  // namespace sakuzu
