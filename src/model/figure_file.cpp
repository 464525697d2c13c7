#include "model/figure_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "text/encoding.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

// The reader's messages; "{item}" is a field's name, "{n}" a number.
constexpr std::string_view kEndedEarly = "ファイルが途中で終わっています";
constexpr std::string_view kNeeded = "{item} が必要です";
constexpr std::string_view kNeededFinite = "{item}（有限の数値）が必要です";
constexpr std::string_view kBadClass = "対象の種類は 0, 1, 2, 3, 100, 200 のどれかです";
constexpr std::string_view kBindingBeyond = "束縛先の番号がその種類の対象の数を超えています";
constexpr std::string_view kIndexBeyond = "対象の番号 {n} がその種類の対象の数を超えています";
constexpr std::string_view kInputMadeLater =
    "手続き {n} の入力が、その手続きか後の手続きで作られる対象です";
constexpr std::string_view kBadEncoding = "文字コードが UTF-8 でも Shift_JIS でもありません";
constexpr std::string_view kUnreadable = "ファイルが見つからないか、読めません";
constexpr std::string_view kExpressionTooLong =
    "追加する図形の数 {n} の数式は、番号を付け替えると 70 文字を超えるので、追加できません";

// ---------------------------------------------------------------- writing

class LineWriter {
 public:
  LineWriter& Int(int v) { return Field(std::to_string(v)); }
  LineWriter& Num(double v) { return Field(FormatNumber(v)); }
  LineWriter& Text(std::string_view v) {
    // A quote or a line end inside a text would break the line layout.
    std::string clean;
    for (char c : v) {
      if (c == '"') {
        clean += "\xEF\xBC\x82";  // fullwidth quotation mark
      } else {
        clean += (c == '\r' || c == '\n') ? ' ' : c;
      }
    }
    return Field("\"" + clean + "\"");
  }
  void Raw(std::string_view line) {
    out_ += line;
    End();
  }
  void End() {
    out_ += "\r\n";
    first_ = true;
  }
  std::string& Result() { return out_; }

 private:
  LineWriter& Field(const std::string& text) {
    if (!first_) out_ += ',';
    out_ += text;
    first_ = false;
    return *this;
  }
  std::string out_;
  bool first_ = true;
};

void WriteSlots(LineWriter& w, const Table<StepSlots>& slots, int steps, bool inputs) {
  for (int i = 1; i <= steps; ++i) {
    for (int j = 1; j <= kSlotCount; ++j) {
      const ObjectRef& r = slots[i][j];
      // Input marks reduce to their class, so a group's 200 reads back empty.
      w.Int(inputs ? r.cls % 100 : r.cls).Int(r.index).End();
    }
  }
}

// ---------------------------------------------------------------- reading

struct ReadFailure {
  ReadFailure() = default;
  ReadFailure(int line, std::string_view what, std::string_view item, std::string number = {})
      : line(line), what(what), item(item), number(std::move(number)) {}

  int line = 0;
  std::string what;    // one of the messages above
  std::string item;    // for "{item}"
  std::string number;  // for "{n}"
  bool endedEarly = false;
};

// Splits a line into fields: commas separate, a quoted field may hold
// commas. The fields point into the line.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  size_t i = 0;
  while (true) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i < line.size() && line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) close = line.size();
      fields.push_back(line.substr(i + 1, close - i - 1));
      i = std::min(close + 1, line.size());
      while (i < line.size() && line[i] != ',') ++i;
    } else {
      size_t comma = line.find(',', i);
      if (comma == std::string_view::npos) comma = line.size();
      std::string_view field = line.substr(i, comma - i);
      while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
      fields.push_back(field);
      i = comma;
    }
    if (i >= line.size()) break;
    ++i;  // past the comma
  }
}

class FieldReader {
 public:
  explicit FieldReader(const std::vector<std::string_view>& lines) : lines_(lines) {}

  // Takes the next line, which must hold exactly `count` fields.
  bool NextLine(size_t count, std::string_view expected) {
    if (next_ >= lines_.size()) {
      line_ = static_cast<int>(next_) + 1;
      Fail(kEndedEarly);
      failure_.endedEarly = true;
      return false;
    }
    line_ = static_cast<int>(next_) + 1;
    SplitFields(lines_[next_++], fields_);
    field_ = 0;
    if (fields_.size() != count) return Fail(kNeeded, expected);
    return true;
  }

  bool Int(int16_t& out, std::string_view expected, int low = -32768, int high = 32767) {
    std::optional<int16_t> v = ParseInt16(fields_[field_++]);
    if (!v || *v < low || *v > high) return Fail(kNeeded, expected);
    out = *v;
    return true;
  }

  bool Num(double& out, std::string_view expected) {
    std::optional<double> v = ParseNumber(fields_[field_++]);
    if (!v) return Fail(kNeededFinite, expected);
    out = *v;
    return true;
  }

  void Text(std::string& out) { out.assign(fields_[field_++]); }

  bool Fail(std::string_view what, std::string_view item = {}) {
    failure_ = ReadFailure(line_, what, item);
    return false;
  }

  bool AtEnd() const { return next_ >= lines_.size(); }
  std::string_view TakeRawLine() { return lines_[next_++]; }
  int Line() const { return line_; }
  const ReadFailure& Failure() const { return failure_; }

 private:
  const std::vector<std::string_view>& lines_;
  size_t next_ = 0;
  int line_ = 0;
  std::vector<std::string_view> fields_;
  size_t field_ = 0;
  ReadFailure failure_;
};

bool ReadSlot(FieldReader& r, ObjectRef& slot, const char* what) {
  if (!r.NextLine(2, what)) return false;
  if (!r.Int(slot.cls, what)) return false;
  if (slot.cls != 0 && slot.cls != 1 && slot.cls != 2 && slot.cls != 3 && slot.cls != 100 &&
      slot.cls != 200) {
    return r.Fail(kBadClass);
  }
  return r.Int(slot.index, what, 0, kMaxCount);
}

void SplitNumberText(const std::string& text, NumberRecord& n) {
  std::string namePart = NthField(text, "@", 1);
  n.name = FixedText(NthField(namePart, "_", 1), kNumberNameLength);
  n.display = namePart.find('_') != std::string::npos ? 7 : 0;
  n.expression = FixedText(NthField(text, "@", 2), kExpressionLength);
}

bool ReadNumber(FieldReader& r, NumberRecord& n, int level) {
  const char* what = "数の行（値,存在,\"名前@数式\"）";
  if (!r.NextLine(3, what)) return false;
  if (!r.Num(n.value, "数の値") || !r.Int(n.exists, "数の存在フラグ（整数）")) return false;
  std::string text;
  r.Text(text);
  SplitNumberText(text, n);
  if (level == 0) return true;
  return r.NextLine(1, "数の独立/従属（整数）") && r.Int(n.independent, "数の独立/従属（整数）");
}

bool ReadInt(FieldReader& r, int16_t& out, const char* what, int low = -32768, int high = 32767) {
  return r.NextLine(1, what) && r.Int(out, what, low, high);
}

bool ReadNum(FieldReader& r, double& out, const char* what) {
  return r.NextLine(1, what) && r.Num(out, what);
}

bool ReadPair(FieldReader& r, double& a, double& b, const char* what) {
  return r.NextLine(2, what) && r.Num(a, what) && r.Num(b, what);
}

bool ReadName(FieldReader& r, std::string& name) {
  if (!r.NextLine(1, "名前（\"...\"）")) return false;
  std::string text;
  r.Text(text);
  name = FixedText(text, kShapeNameLength);
  return true;
}

bool ReadPoint(FieldReader& r, PointRecord& p, const Figure& fig) {
  if (!ReadPair(r, p.x, p.y, "点の座標（x,y）") || !ReadInt(r, p.color, "点の色（整数）") ||
      !ReadInt(r, p.locusColor, "点の軌跡の色（整数）") ||
      !ReadInt(r, p.exists, "点の存在フラグ（整数）") || !ReadInt(r, p.style, "点の種類（整数）") ||
      !ReadInt(r, p.independent, "点の独立/従属（整数）")) {
    return false;
  }
  const char* bind = "束縛（種類 0〜3,番号）";
  if (!r.NextLine(2, bind) || !r.Int(p.bindKind, bind, 0, 3) || !r.Int(p.bindIndex, bind)) {
    return false;
  }
  if (p.bindKind != 0 && (p.bindIndex < 0 || p.bindIndex > fig.ObjectCounts[p.bindKind])) {
    return r.Fail(kBindingBeyond);
  }
  return ReadNum(r, p.parameter, "点のパラメータ") && ReadName(r, p.name);
}

bool ReadLine(FieldReader& r, LineRecord& l) {
  return ReadPair(r, l.x1, l.y1, "直線の第1点（x1,y1）") &&
         ReadPair(r, l.x2, l.y2, "直線の第2点（x2,y2）") &&
         ReadInt(r, l.exists, "直線の存在フラグ（整数）") &&
         ReadInt(r, l.lineKind, "直線の種類（整数）") &&
         ReadPair(r, l.dx, l.dy, "直線の方向（dx,dy）") &&
         ReadInt(r, l.color, "直線の色（整数）") &&
         ReadInt(r, l.locusColor, "直線の軌跡の色（整数）") && ReadName(r, l.name);
}

bool ReadCircle(FieldReader& r, CircleRecord& c) {
  return ReadPair(r, c.cx, c.cy, "円の中心（x,y）") && ReadNum(r, c.radius, "円の半径の値") &&
         ReadInt(r, c.exists, "円の存在フラグ（整数）") && ReadInt(r, c.color, "円の色（整数）") &&
         ReadInt(r, c.locusColor, "円の軌跡の色（整数）") && ReadName(r, c.name);
}

// Every slot refers to an object that exists in the file, and no step uses
// an object made by itself or by a later step. On failure the line is the
// file line of the offending slot.
bool CheckSlots(const Figure& fig, ReadFailure& failure) {
  int n = fig.StepCount;
  auto slotLine = [n](int step, int slot, bool output) {
    return n + 1 + (output ? 5 * n : 0) + 5 * (step - 1) + slot;
  };
  std::array<std::vector<int>, 4> producer;
  for (int c = 0; c < 4; ++c) producer[c].assign(static_cast<size_t>(fig.ObjectCounts[c]) + 1, 0);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= kSlotCount; ++j) {
      for (bool output : {false, true}) {
        const ObjectRef& r = output ? fig.StepOutputs[i][j] : fig.StepInputs[i][j];
        if (r.index > fig.ObjectCounts[r.ObjectClassCode()]) {
          failure = ReadFailure(slotLine(i, j, output), kIndexBeyond, {}, std::to_string(r.index));
          return false;
        }
      }
      const ObjectRef& out = fig.StepOutputs[i][j];
      int& maker = producer[out.ObjectClassCode()][out.index];
      if (out.index > 0 && maker == 0) maker = i;
    }
  }
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= kSlotCount; ++j) {
      const ObjectRef& in = fig.StepInputs[i][j];
      if (in.index == 0) continue;
      int maker = producer[in.ObjectClassCode()][in.index];
      if (maker >= i) {
        failure = ReadFailure(slotLine(i, j, false), kInputMadeLater, {}, std::to_string(i));
        return false;
      }
    }
  }
  return true;
}

// One attempt at one format level.
bool ParseAtLevel(const std::vector<std::string_view>& lines, int level, Figure& fig,
                  ReadFailure& failure) {
  FieldReader r(lines);
  auto fail = [&] {
    failure = r.Failure();
    return false;
  };
  int16_t n = 0;
  if (!ReadInt(r, n, "作図手続きの数（0〜32767 の整数）", 0, kMaxCount)) return fail();
  if (n > kTableCapacity) CreateTables(fig, n + 10);
  fig.StepCount = n;
  for (int i = 1; i <= n; ++i) {
    if (!r.NextLine(1, "手続きの種類（\"...\"）")) return fail();
    std::string kind;
    r.Text(kind);
    fig.StepKind[i] = NormaliseKind(kind);
    if (fig.StepKind[i].rfind("PO", 0) == 0) fig.ComplexOpsUsed = kTrue;
  }
  for (auto* slots : {&fig.StepInputs, &fig.StepOutputs}) {
    const char* what = slots == &fig.StepInputs ? "入力の組（種類,番号）" : "出力の組（種類,番号）";
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= kSlotCount; ++j) {
        if (!ReadSlot(r, (*slots)[i][j], what)) return fail();
      }
    }
  }
  for (int c = 0; c < kCountEntries; ++c) {
    if (!ReadInt(r, fig.ObjectCounts[c], "対象の数（0〜32767 の整数）", 0, kMaxCount)) {
      return fail();
    }
  }
  for (int c = kNumberClass; c <= kCircleClass; ++c) {
    EnsureObjectCapacity(fig, c, fig.ObjectCounts[c]);
  }
  if (!CheckSlots(fig, failure)) return false;
  for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
    if (!ReadNumber(r, fig.Numbers[i], level)) return fail();
  }
  for (int i = 1; i <= fig.ObjectCounts[kPointClass]; ++i) {
    if (!ReadPoint(r, fig.Points[i], fig)) return fail();
  }
  for (int i = 1; i <= fig.ObjectCounts[kLineClass]; ++i) {
    if (!ReadLine(r, fig.Lines[i])) return fail();
  }
  for (int i = 1; i <= fig.ObjectCounts[kCircleClass]; ++i) {
    if (!ReadCircle(r, fig.Circles[i])) return fail();
  }
  // Trailing lines: REV=k marks a reversed step; anything else is ignored.
  while (!r.AtEnd()) {
    std::string_view line = r.TakeRawLine();
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (ToUpperAscii(Trim(line.substr(0, eq))) != "REV") continue;
    std::optional<int16_t> k = ParseInt16(line.substr(eq + 1));
    if (k && *k >= 1 && *k <= n) fig.StepReversed[*k] = kTrue;
  }
  return true;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return ss.str();
}

int16_t AddCount(int a, int b) { return static_cast<int16_t>(a + b); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A stored expression names its operands by number index ("N1*N2"); after
// a merge they must name the same numbers at their new places. Tokens that
// are not "N" and digits name no number and stay as they are. Nothing when
// the renumbered text no longer fits its field: cut, it would be another
// expression.
std::optional<std::string> ShiftOperands(std::string_view expression, int offset) {
  constexpr std::string_view kOperatorChars = "+-*/^";
  std::string out;
  size_t start = 0;
  while (start <= expression.size()) {
    size_t end = expression.find_first_of(kOperatorChars, start);
    if (end == std::string_view::npos) end = expression.size();
    std::string_view token = expression.substr(start, end - start);
    std::string_view digits = token.empty() ? token : token.substr(1);
    bool operand = !digits.empty() && (token[0] == 'N' || token[0] == 'n') &&
                   std::all_of(digits.begin(), digits.end(), IsDigit);
    long index = operand && digits.size() <= 5 ? std::stol(std::string(digits)) : 0;
    if (index >= 1) {
      out += token[0] + std::to_string(index + offset);
    } else {
      out += token;
    }
    if (end < expression.size()) out += expression[end];
    start = end + 1;
  }
  if (CharCount(out) > kExpressionLength) return std::nullopt;
  return out;
}

// A file refused as a whole, not for one of its lines.
FileError WholeFileError(const std::string& path, std::string_view what) {
  FileError error;
  error.path = path;
  error.what = what;
  return error;
}

}  // namespace

std::string FigureText(const Figure& fig) {
  LineWriter w;
  int n = fig.StepCount;
  w.Int(n).End();
  for (int i = 1; i <= n; ++i) w.Text(TrimRight(fig.StepKind[i])).End();
  WriteSlots(w, fig.StepInputs, n, true);
  WriteSlots(w, fig.StepOutputs, n, false);
  for (int c = 0; c < kCountEntries; ++c) w.Int(fig.ObjectCounts[c]).End();
  for (int i = 1; i <= fig.ObjectCounts[kNumberClass]; ++i) {
    const NumberRecord& r = fig.Numbers[i];
    std::string text =
        TrimRight(r.name) + (r.display == 7 ? "_" : "") + "@" + TrimRight(r.expression);
    w.Num(r.value).Int(r.exists).Text(text).End();
    w.Int(r.independent).End();
  }
  for (int i = 1; i <= fig.ObjectCounts[kPointClass]; ++i) {
    const PointRecord& p = fig.Points[i];
    w.Num(p.x).Num(p.y).End();
    w.Int(p.color).End();
    w.Int(p.locusColor).End();
    w.Int(p.exists).End();
    w.Int(p.style).End();
    w.Int(p.independent).End();
    w.Int(p.bindKind).Int(p.bindIndex).End();
    w.Num(p.parameter).End();
    w.Text(TrimRight(p.name)).End();
  }
  for (int i = 1; i <= fig.ObjectCounts[kLineClass]; ++i) {
    const LineRecord& l = fig.Lines[i];
    w.Num(l.x1).Num(l.y1).End();
    w.Num(l.x2).Num(l.y2).End();
    w.Int(l.exists).End();
    w.Int(l.lineKind).End();
    w.Num(l.dx).Num(l.dy).End();
    w.Int(l.color).End();
    w.Int(l.locusColor).End();
    w.Text(TrimRight(l.name)).End();
  }
  for (int i = 1; i <= fig.ObjectCounts[kCircleClass]; ++i) {
    const CircleRecord& c = fig.Circles[i];
    w.Num(c.cx).Num(c.cy).End();
    w.Num(c.radius).End();
    w.Int(c.exists).End();
    w.Int(c.color).End();
    w.Int(c.locusColor).End();
    w.Text(TrimRight(c.name)).End();
  }
  for (int i = 1; i <= n; ++i) {
    if (fig.StepReversed[i] != 0) w.Raw("REV=" + std::to_string(i));
  }
  return std::move(w.Result());
}

std::string FigureBytes(const Figure& fig) { return EncodeFileText(FigureText(fig)); }

bool ParseFigureBytes(std::string_view bytes, const std::string& path, Figure& out,
                      FileError& error) {
  error = WholeFileError(path, {});
  std::optional<std::string> text = DecodeFileText(bytes);
  if (!text) {
    error.what = kBadEncoding;
    return false;
  }
  std::vector<std::string_view> lines = SplitLines(*text);

  // Level 1 first; older files (one line per number) read at level 0.
  ReadFailure failures[2];
  for (int level : {1, 0}) {
    Figure fig;
    if (ParseAtLevel(lines, level, fig, failures[level])) {
      fig.FigureFileName = out.FigureFileName;
      out = std::move(fig);
      return true;
    }
  }
  // Report the attempt that came further; a file that ended early at
  // level 1 is judged at level 0.
  const ReadFailure& f1 = failures[1];
  const ReadFailure& f0 = failures[0];
  const ReadFailure& chosen = (f1.endedEarly || f0.line > f1.line) ? f0 : f1;
  error.line = chosen.line;
  error.what = chosen.what;
  error.item = chosen.item;
  error.number = chosen.number;
  return false;
}

bool MergeFigure(Figure& fig, const Figure& file, FileError& error) {
  int b = fig.StepCount;
  int m = file.StepCount;
  bool fits = b + m <= kMaxCount;
  for (int c = 0; c < kCountEntries; ++c) {
    fits = fits && fig.ObjectCounts[c] + file.ObjectCounts[c] <= kMaxCount;
  }
  if (!fits) {
    error.what = kTooManyObjectsMessage;
    return false;
  }
  std::array<int16_t, kCountEntries> old = fig.ObjectCounts;
  std::vector<std::string> expressions(static_cast<size_t>(file.ObjectCounts[kNumberClass]) + 1);
  for (int j = 1; j <= file.ObjectCounts[kNumberClass]; ++j) {
    std::optional<std::string> shifted =
        ShiftOperands(TrimRight(file.Numbers[j].expression), old[kNumberClass]);
    if (!shifted) {
      static_assert(kExpressionLength == 70, "the message names the limit");
      error.what = kExpressionTooLong;
      error.number = std::to_string(j);
      return false;
    }
    expressions[j] = std::move(*shifted);
  }
  auto renumber = [&](ObjectRef r) {
    if (r.IsEmpty()) return r;
    int c = r.ObjectClassCode();
    if (c >= 0 && c <= kCircleClass && r.index > 0) r.index = AddCount(r.index, old[c]);
    return r;
  };

  EnsureStepCapacity(fig, b + m + 10);
  fig.ComplexOpsUsed = file.ComplexOpsUsed;
  fig.StepCount = static_cast<int16_t>(b + m);
  for (int k = 1; k <= m; ++k) {
    fig.StepKind[b + k] = file.StepKind[k];
    for (int j = 1; j <= kSlotCount; ++j) {
      fig.StepInputs[b + k][j] = renumber(file.StepInputs[k][j]);
      fig.StepOutputs[b + k][j] = renumber(file.StepOutputs[k][j]);
    }
    fig.StepReversed[b + k] = file.StepReversed[k];
    fig.StepStatus[b + k] = 0;
  }
  for (int c = 0; c < kCountEntries; ++c)
    fig.ObjectCounts[c] = AddCount(old[c], file.ObjectCounts[c]);
  for (int c = kNumberClass; c <= kCircleClass; ++c)
    EnsureObjectCapacity(fig, c, fig.ObjectCounts[c]);

  for (int j = 1; j <= file.ObjectCounts[kNumberClass]; ++j) {
    NumberRecord& n = fig.Numbers[old[kNumberClass] + j];
    n = file.Numbers[j];
    n.expression = std::move(expressions[j]);
  }
  for (int j = 1; j <= file.ObjectCounts[kPointClass]; ++j) {
    PointRecord p = file.Points[j];
    if (p.bindKind >= kPointClass && p.bindKind <= kCircleClass && p.bindIndex > 0) {
      p.bindIndex = AddCount(p.bindIndex, old[p.bindKind]);
    }
    fig.Points[old[kPointClass] + j] = p;
  }
  for (int j = 1; j <= file.ObjectCounts[kLineClass]; ++j) {
    fig.Lines[old[kLineClass] + j] = file.Lines[j];
  }
  for (int j = 1; j <= file.ObjectCounts[kCircleClass]; ++j) {
    fig.Circles[old[kCircleClass] + j] = file.Circles[j];
  }
  return true;
}

std::string FileErrorMessage(const FileError& error, const TranslateFn& translate) {
  auto t = [&](const std::string& s) { return translate ? translate(s) : s; };
  std::string text = t("図形ファイルを読み込めませんでした。");
  text.append("\n").append(error.path);
  if (error.line > 0)
    text.append("\n").append(t("行")).append(" ").append(std::to_string(error.line)).append(":");
  std::string what = t(error.what);
  ReplaceAll(what, "{item}", error.item.empty() ? std::string() : t(error.item));
  ReplaceAll(what, "{n}", error.number);
  return text.append(" ").append(what);
}

std::string UnreadableFileMessage(const std::string& path, const TranslateFn& translate) {
  return FileErrorMessage(WholeFileError(path, kUnreadable), translate);
}

std::string FileTitle(std::string_view path) {
  size_t cut = path.find_last_of(":\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

FileOutcome ReadWriteFigure(Figure& fig, const std::string& path, FigureFileMode mode,
                            const AutoNamesFn& updateAutoNames, const TranslateFn& translate) {
  FileOutcome outcome;
  if (mode == FigureFileMode::kWrite) {
    if (updateAutoNames) updateAutoNames(fig);
    if (int error = WriteFileAtomically(path, FigureBytes(fig)); error != 0) {
      outcome.ok = false;
      outcome.error.path = path;
      outcome.message = WriteErrorMessage(path, error, translate);
    }
    return outcome;
  }
  auto refuse = [&](FileError error) {
    outcome.ok = false;
    outcome.error = std::move(error);
    outcome.message = FileErrorMessage(outcome.error, translate);
    return outcome;
  };
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return refuse(WholeFileError(path, kUnreadable));
  Figure file;
  FileError error;
  if (!ParseFigureBytes(*bytes, path, file, error)) return refuse(error);

  if (mode == FigureFileMode::kRead) {
    file.FigureFileName = fig.FigureFileName;
    fig = std::move(file);
  } else {
    FileError error = WholeFileError(path, "");
    if (!MergeFigure(fig, file, error)) return refuse(error);
  }
  if (updateAutoNames) updateAutoNames(fig);
  return outcome;
}

}  // namespace sakuzu
