#include "model/report.h"

#include <algorithm>

#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

constexpr std::string_view kNewLine = "\r\n";
const std::string kRule30(30, '-');
const std::string kRule10(10, '-');

class ReportWriter {
 public:
  ReportWriter(const Figure& fig, const TranslateFn& translate)
      : fig_(fig), translate_(translate) {}

  std::string Build() {
    WriteHeader();
    WriteShortSteps();
    Line(kRule30);
    WriteDetailedSteps();
    WriteCounts();
    WriteObjects();
    Line(T("以上"));
    return std::move(out_);
  }

 private:
  std::string T(std::string_view text) const {
    std::string s(text);
    return translate_ ? translate_(s) : s;
  }

  void Line(std::string_view text) {
    out_ += text;
    out_ += kNewLine;
  }

  // Steps listed: a figure whose tables are shorter than its count shows
  // only the steps that exist.
  int ListedSteps() const {
    int n = std::min<int>(fig_.StepCount, fig_.StepKind.UpperBound());
    n = std::min(n, fig_.StepInputs.UpperBound());
    return std::max(0, std::min(n, fig_.StepOutputs.UpperBound()));
  }

  void WriteHeader() {
    Line("FileName : " + fig_.FigureFileName);
    Line(T("作図手続き数") + " : " + std::to_string(fig_.StepCount));
    Line(kRule30);
  }

  // One counter runs through every group step of the listing: odd steps
  // open a group, even steps close it.
  std::string StepLine(int i) {
    const std::string& kind = fig_.StepKind[i];
    std::string shown;
    if (IsGroupKind(kind)) {
      groupCounter_ = (groupCounter_ + 1) % 2;
      shown = T("■") + KindDisplayName(kind, translate_) + " " +
              (groupCounter_ == 1 ? T("開始") : T("終了"));
    } else {
      shown = KindDisplayName(kind, translate_);
    }
    return std::to_string(i) + ":" + PadToChars(kind, kKindLength) + "(" + shown + ")";
  }

  void WriteShortSteps() {
    Line(T("■作図手続き(概略)■"));
    for (int i = 1; i <= ListedSteps(); ++i) Line(StepLine(i));
  }

  std::string ClassLabel(int cls) const {
    switch (cls % 100) {
      case kNumberClass:
        return T("変数");
      case kPointClass:
        return T("点");
      case kLineClass:
        return T("線");
      case kCircleClass:
        return T("円");
      default:
        return {};
    }
  }

  std::string SlotList(const StepSlots& slots, bool outputs) const {
    std::string text;
    for (int j = 1; j <= kSlotCount; ++j) {
      const ObjectRef& ref = slots[j];
      if (ref.IsEmpty()) break;
      text += ClassLabel(ref.cls);
      if (outputs && ref.index == 0) {
        text += T("0 (■■)");
      } else {
        text += Trim(ObjectName(fig_, ref)) + "(" + std::to_string(ref.index) + ")";
      }
      text += " , ";
    }
    return text;
  }

  void WriteDetailedSteps() {
    Line(T("■作図手続き(入出力の詳細)■"));
    for (int i = 1; i <= ListedSteps(); ++i) {
      Line(StepLine(i));
      Line("  " + T("入力") + " : " + SlotList(fig_.StepInputs[i], false));
      Line("  " + T("出力") + " : " + SlotList(fig_.StepOutputs[i], true));
      Line("");
    }
  }

  void WriteCounts() {
    const auto& counts = fig_.ObjectCounts;
    Line(kRule30);
    Line(T("幾何的対象の数"));
    Line(T("数") + "   : " + std::to_string(counts[kNumberClass]));
    Line(T("点") + "   : " + std::to_string(counts[kPointClass]));
    Line(T("直線") + " : " + std::to_string(counts[kLineClass]));
    Line(T("円") + "   : " + std::to_string(counts[kCircleClass]));
    Line("");
  }

  // Objects listed for a class: never past its table.
  int ListedObjects(int cls) const {
    return std::max(0, std::min<int>(fig_.ObjectCounts[cls], ObjectUpperBound(fig_, cls)));
  }

  void WriteObjects() {
    Line(kRule30);
    Line(T("■幾何的対象(数,点,線,円)の詳細データ■"));
    Line("");
    for (int i = 1; i <= ListedObjects(kNumberClass); ++i) WriteNumber(fig_.Numbers[i]);
    Line("");
    for (int i = 1; i <= ListedObjects(kPointClass); ++i) WritePoint(fig_.Points[i]);
    Line("");
    for (int i = 1; i <= ListedObjects(kLineClass); ++i) WriteLine(fig_.Lines[i]);
    Line("");
    for (int i = 1; i <= ListedObjects(kCircleClass); ++i) WriteCircle(fig_.Circles[i]);
  }

  void WriteNumber(const NumberRecord& r) {
    Line(T("名前") + "     : " + PadToChars(r.name, kNumberNameLength));
    Line(T("値") + "       : " + FormatNumber(r.value));
    Line(T("独立/従属") + ": " + std::to_string(r.independent));
    Line(T("チェック") + " : " + std::to_string(r.exists));
    Line(T("数式表示") + " : " + PadToChars(r.expression, kExpressionLength));
    Line(kRule10);
  }

  void WritePoint(const PointRecord& r) {
    std::string bindKind = std::to_string(r.bindKind);
    std::string bindIndex = std::to_string(r.bindIndex);
    std::string parameter = FormatNumber(r.parameter);
    Line(T("名前") + "     : " + PadToChars(r.name, kShapeNameLength));
    Line(T("座標") + "     : " + FormatNumber(r.x) + "," + FormatNumber(r.y));
    Line(T("種類") + "     : " + std::to_string(r.style));
    Line(T("独立/従属") + ": " + std::to_string(r.independent));
    Line(T("束縛状態") + " : " + bindKind + "," + bindIndex + "," + parameter);
    Line(T("チェック") + " : " + std::to_string(r.exists));
    Line(T("色") + "       : " + std::to_string(r.color));
    Line(T("束縛の種類") + ": " + bindKind);
    Line(T("束縛番号") + "  : " + bindIndex);
    Line(T("パラメータ") + "  : " + parameter);
    Line(kRule10);
  }

  void WriteLine(const LineRecord& r) {
    Line(T("名前") + "     : " + PadToChars(r.name, kShapeNameLength));
    Line("(" + FormatNumber(r.x1) + "," + FormatNumber(r.y1) + ") -(" + FormatNumber(r.x2) + "," +
         FormatNumber(r.y2) + ")");
    Line(T("方向") + "     : " + FormatNumber(r.dx) + "," + FormatNumber(r.dy));
    Line(T("種類") + "     : " + std::to_string(r.lineKind));
    Line(T("チェック") + " : " + std::to_string(r.exists));
    Line(T("色") + "       : " + std::to_string(r.color));
    Line(T("軌跡の色") + "  : " + std::to_string(r.locusColor));
    Line(kRule10);
  }

  void WriteCircle(const CircleRecord& r) {
    Line(T("名前") + "     : " + PadToChars(r.name, kShapeNameLength));
    Line(T("中心") + " (" + FormatNumber(r.cx) + "," + FormatNumber(r.cy) + "), " + T("半径") +
         ": " + FormatNumber(r.radius));
    Line(T("チェック") + " : " + std::to_string(r.exists));
    Line(T("色") + "       : " + std::to_string(r.color));
    Line(T("軌跡の色") + "  : " + std::to_string(r.locusColor));
    Line(kRule10);
  }

  const Figure& fig_;
  const TranslateFn& translate_;
  std::string out_;
  int groupCounter_ = 0;
};

}  // namespace

std::string FigureDataReportCaption(const TranslateFn& translate) {
  std::string caption(kFigureDataReportCaption);
  return translate ? translate(caption) : caption;
}

std::string FigureDataReport(const Figure& fig, const TranslateFn& translate) {
  return ReportWriter(fig, translate).Build();
}

}  // namespace sakuzu
