#include "interact/locus.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "geometry/recalc.h"
#include "interact/deform.h"
#include "interact/picking.h"
#include "interact/workspace.h"
#include "numbers/value_text.h"
#include "text/text_util.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

constexpr double kSignBand = 0.01;  // |v| up to this counts as zero
constexpr double kScanPixels = 10;  // the scan's grid

// The columns: the computed numbers shown in the list.
std::vector<int> RecordedNumbers(const Figure& fig) { return ListedNumbers(fig); }

std::string HeaderName(const NumberRecord& n) {
  std::string name = Trim(n.name);
  std::string shown;
  for (char c : name) shown += c == '*' ? std::string("×") : std::string(1, c);
  return shown;
}

std::string Now() {
  std::time_t t = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d : %H:%M:%S", std::localtime(&t));
  return text;
}

bool AppendTo(const std::string& path, const std::string& text, bool truncate) {
  std::ofstream out(path, std::ios::binary | (truncate ? std::ios::trunc : std::ios::app));
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

std::string CsvField(std::string_view text) {
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

std::string RecordBook::CsvPath() const { return (fs::path(folder_) / kRecordCsvName).string(); }
std::string RecordBook::HtmlPath() const { return (fs::path(folder_) / kRecordHtmlName).string(); }

void RecordBook::Open(const Figure& fig, const std::string& title,
                      const std::string& openInSpreadsheet, const std::string& results) {
  columns_ = RecordedNumbers(fig);
  headers_.clear();
  for (int i : columns_) headers_.push_back(HeaderName(fig.Numbers[i]));
  rows_.clear();
  written_ = 0;
  ++starts_;
  open_ = true;
  lastFlush_ = clock_();
  std::string html = "<html><head><meta charset=\"utf-8\"></head><body>\n<small>\n";
  html += "<a href=" + std::string(kRecordCsvName) + ">[" + EscapeHtml(openInSpreadsheet) +
          "]</a>\n</small>\n";
  html += "<h2>" + EscapeHtml(results) + " by " + EscapeHtml(title) + "</h2>\n";
  html += "<div align = center>\n<small>\nfile : " + EscapeHtml(fig.FigureFileName) + ",\n( " +
          Now() + " )\n</small>\n</div>\n<hr>\n<table border=1>\n<tr>\n";
  std::string csv = "\xEF\xBB\xBF";  // spreadsheets read UTF-8 names with the mark
  for (size_t k = 0; k < headers_.size(); ++k) {
    html += "<th>" + EscapeHtml(headers_[k]) + "\n";
    csv += (k ? "," : "") + CsvField(headers_[k]);
  }
  html += "\n";
  csv += "\r\n";
  if (!AppendTo(HtmlPath(), html, true) || !AppendTo(CsvPath(), csv, true)) {
    if (!failed_ && report) report(CsvPath());
    failed_ = true;
  }
}

void RecordBook::Close() {
  if (!open_) return;
  Flush();
  open_ = false;
}

void RecordBook::AddRow(const Figure& fig, int decimals) {
  if (!open_) return;
  std::vector<std::string> row;
  for (int i : columns_) {
    bool there = i >= 1 && i <= fig.ObjectCounts[kNumberClass] && i <= fig.Numbers.UpperBound();
    row.push_back(there ? Trim(FormatValue(fig.Numbers[i].value, decimals)) : std::string());
  }
  rows_.push_back(std::move(row));
  constexpr size_t kBatch = 200;
  if (rows_.size() - written_ >= kBatch) {
    Flush();
  } else {
    FlushIfDue();
  }
}

bool RecordBook::FlushIfDue() {
  if (written_ >= rows_.size() || clock_() - lastFlush_ < kFlushInterval) return !failed_;
  return Flush();
}

bool RecordBook::Flush() {
  if (written_ >= rows_.size() || failed_) return !failed_;
  lastFlush_ = clock_();
  std::string html, csv;
  for (size_t r = written_; r < rows_.size(); ++r) {
    html += "<tr>\n";
    for (size_t k = 0; k < rows_[r].size(); ++k) {
      html += "<td>" + EscapeHtml(rows_[r][k]) + "\n";
      csv += (k ? "," : "") + CsvField(rows_[r][k]);
    }
    html += "\n";
    csv += "\r\n";
  }
  if (!AppendTo(HtmlPath(), html, false) || !AppendTo(CsvPath(), csv, false)) {
    if (report) report(CsvPath());
    failed_ = true;
    return false;
  }
  written_ = rows_.size();
  return true;
}

void ToggleLocus(Workspace& ws) {
  LocusState& locus = ws.locus;
  locus.on = !locus.on;
  if (locus.on) {
    locus.record.Open(ws.fig, ws.programTitle, ws.T("Excelなどで開く"), ws.T("測定値の結果"));
  } else {
    locus.record.Close();
  }
}

std::string LocusStateText(const Workspace& ws) {
  return ws.T(ws.locus.on ? kLocusOnText : kLocusOffText);
}

void ResetTraces(Workspace& ws) {
  LocusState& locus = ws.locus;
  locus.points.clear();
  locus.lines.clear();
  locus.circles.clear();
  locus.points.shrink_to_fit();
  locus.lines.shrink_to_fit();
  locus.circles.shrink_to_fit();
  // A new record: anew while the switch is on.
  locus.record.Close();
  if (locus.on) {
    locus.record.Open(ws.fig, ws.programTitle, ws.T("Excelなどで開く"), ws.T("測定値の結果"));
  }
}

void DrawTraces(Workspace& ws) { DrawTraces(ws.renderer, ws.locus); }

void DrawTraces(Renderer& r, const LocusState& locus) {
  int penWidth = r.settings.penWidth;
  r.settings.penWidth = 1;
  for (const PointRecord& p : locus.points) DrawPointMark(r, p);
  for (const LineRecord& l : locus.lines) DrawLine(r, l);
  for (const CircleRecord& c : locus.circles) DrawCircle(r, c);
  r.settings.penWidth = penWidth;
}

namespace {

template <typename Record, typename Draw>
void Trace(Workspace& ws, Record record, std::vector<Record>& samples, Draw draw) {
  if (!ws.locus.on || record.locusColor == 0) return;  // otherwise it simply goes
  record.color = record.locusColor;
  samples.push_back(record);
  Renderer& r = ws.renderer;
  LayerScope trace(r.canvas, Layer::kTrace);
  int penWidth = r.settings.penWidth;
  r.settings.penWidth = 1;
  draw(r, samples.back());
  r.settings.penWidth = penWidth;
}

}  // namespace

void TraceRecord(Workspace& ws, const PointRecord& p) {
  Trace(ws, p, ws.locus.points, [](Renderer& r, const PointRecord& s) { DrawPointMark(r, s); });
}

void TraceRecord(Workspace& ws, const LineRecord& l) {
  Trace(ws, l, ws.locus.lines, [](Renderer& r, const LineRecord& s) { DrawLine(r, s); });
}

void TraceRecord(Workspace& ws, const CircleRecord& c) {
  Trace(ws, c, ws.locus.circles, [](Renderer& r, const CircleRecord& s) { DrawCircle(r, s); });
}

void SignMark(Workspace& ws, PointRecord& p) {
  int16_t n = ws.locus.variable;
  if (n < 1 || n > ClassCount(ws.fig, kNumberClass)) return;
  double v = ws.fig.Numbers[n].value;
  if (v > kSignBand) {
    p.style = 22, p.color = 1, p.locusColor = 1;  // a red circle with a cross
  } else if (v < -kSignBand) {
    p.style = 23, p.color = 2, p.locusColor = 2;  // a green circle with a bar
  } else {
    p.style = 20, p.color = 7, p.locusColor = 7;
  }
}

void ChooseLocusVariable(Workspace& ws) {
  if (ws.numbers == nullptr || ClassCount(ws.fig, kNumberClass) == 0) return;
  PushMode(ws.modes, kModeLocusVariable, ws.shell());
  NumberChoiceRequest request;
  request.mode = kModeLocusVariable;
  request.decimals = ws.renderer.settings.decimals;
  std::optional<int16_t> chosen = ws.numbers->ChooseNumber(ws.fig, request);
  PushMode(ws.modes, kPopMode, ws.shell());
  if (chosen && *chosen >= 1 && *chosen <= ClassCount(ws.fig, kNumberClass)) {
    ws.locus.variable = *chosen;
  }
  Redraw(ws.renderer);
}

void ClearLocusVariable(Workspace& ws) { ws.locus.variable = 0; }

void CheckLocusVariable(Workspace& ws) {
  if (ws.locus.variable > ClassCount(ws.fig, kNumberClass)) ws.locus.variable = 0;
}

void RecordRow(Workspace& ws) {
  if (ws.locus.on) ws.locus.record.AddRow(ws.fig, ws.renderer.settings.decimals);
}

void MoveHome(Workspace& ws) {
  int point = ws.drag.draggedPoint;
  if (point < 1 || point > ClassCount(ws.fig, kPointClass)) {
    ws.shell().Beep();
    return;
  }
  PointStep(ws, [&] { MovePointTo(ws, point, 0, 0); });
}

void ScanPlane(Workspace& ws) {
  Figure& fig = ws.fig;
  int point = ws.drag.draggedPoint;
  if (point < 1 || point > ClassCount(fig, kPointClass)) {
    ws.shell().Beep();
    return;
  }
  if (!ws.locus.on || ws.locus.variable == 0) {
    ws.shell().ShowMessage(ws.T(kScanRefusedMessage));
    return;
  }
  if (fig.Points[point].bindKind != 0) {
    ws.shell().ShowMessage(ws.T(kScanBoundPointMessage));
    return;
  }
  if (!ws.shell().Confirm(ws.T(kScanTakesTimeQuestion))) return;
  double x0 = fig.Points[point].x, y0 = fig.Points[point].y;
  double g = kScanPixels * ws.renderer.view.ViewScale;
  int nx = static_cast<int>(ws.renderer.view.ViewHalfWidth / g);
  int ny = static_cast<int>(ws.renderer.view.ViewHalfHeight / g);
  double cx = ws.renderer.view.centerX, cy = ws.renderer.view.centerY;
  for (int i = -nx; i <= nx; ++i) {
    for (int j = -ny; j <= ny; ++j) {
      ScanStep(ws, cx + i * g, cy + j * g);
    }
  }
  PointStep(ws, [&] { MovePointTo(ws, point, x0, y0); });
  ws.drag.draggedPoint = 0;
  ws.drag.draggedObject = {};
  PushMode(ws.modes, kPopMode, ws.shell());
  Redraw(ws.renderer);
}

}  // namespace sakuzu
