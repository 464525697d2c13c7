// Loci and recorded values. While the locus switch is on, each
// deformation step leaves the old picture of every moving object in its
// locus colour on the trace layer of the canvas and keeps a copy, so that
// the trace survives full redraws; the shown measurements are recorded,
// one row a step, to "temp.csv" and "temp.htm" in the program's folder. A
// chosen number (the locus variable) marks the dragged point by its sign,
// and a scan moves the point over the whole drawing to map that sign.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/figure.h"

namespace sakuzu {

struct Workspace;
struct Renderer;

constexpr std::string_view kLocusOnText = "軌";
constexpr std::string_view kLocusOffText = "×軌";
constexpr std::string_view kRecordCsvName = "temp.csv";
constexpr std::string_view kRecordHtmlName = "temp.htm";
constexpr std::string_view kScanRefusedMessage =
    "軌跡のスイッチがoffか, 変数の選択がしてありません。";
constexpr std::string_view kScanTakesTimeQuestion = "数秒程度時間がかかります。";
constexpr std::string_view kScanBoundPointMessage =
    "ほかの図形に束縛された点は,平面全体を動かすことができません。";
constexpr std::string_view kRecordNotWrittenMessage =
    "測定記録のファイルに書き込めません。記録は画面の終了まで保たれます。";

// The measured values of one row, and the file writer that keeps them.
// Rows are kept in memory and reach the files in batches: a row added
// when the last write is a second old writes what waits, the end of a drag
// writes it all, and a front end calls FlushIfDue from a short timer so
// that the rows of a pause follow within a second (and the timer's
// period). A file that cannot be written is reported once and recording
// goes on in memory.
class RecordBook {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::seconds kFlushInterval{1};

  // The files are `folder`/temp.csv and `folder`/temp.htm.
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  bool IsOpen() const { return open_; }
  // Starts both files anew with the column headers (the figure's shown
  // numbers) and the page's title lines.
  void Open(const Figure& fig, const std::string& title, const std::string& openInSpreadsheet,
            const std::string& results);
  void Close();
  // One row of the shown numbers' values.
  void AddRow(const Figure& fig, int decimals);
  // Writes what is waiting; false (and a message through `report`, once)
  // when a file cannot be written.
  bool Flush();
  // Writes what is waiting when the last write is a second old or more.
  bool FlushIfDue();
  // The time the book goes by (tests put their own; steady_clock by default).
  void SetClock(Clock clock) { clock_ = std::move(clock); }
  std::function<void(const std::string&)> report;

  // How often the record started anew (its files truncated each time).
  int Starts() const { return starts_; }
  const std::vector<std::string>& Headers() const { return headers_; }
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  std::string CsvPath() const;
  std::string HtmlPath() const;

 private:
  std::string folder_;
  bool open_ = false;
  bool failed_ = false;
  std::vector<int> columns_;  // the numbers recorded
  std::vector<std::string> headers_;
  std::vector<std::vector<std::string>> rows_;
  size_t written_ = 0;  // rows already in the files
  int starts_ = 0;
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  std::chrono::steady_clock::time_point lastFlush_{};
};

// A text as one field of a spreadsheet line: quoted, quotes doubled.
std::string CsvField(std::string_view text);
// A text as HTML: "<", ">", "&" and quotes escaped.
std::string HtmlText(std::string_view text);

struct LocusState {
  bool on = false;
  std::vector<PointRecord> points;  // samples, coloured in their locus colour
  std::vector<LineRecord> lines;
  std::vector<CircleRecord> circles;
  int16_t variable = 0;  // the number whose sign marks the dragged point; 0 none
  RecordBook record;
};

// "On/Off" (the menu, or a click on status panel 3): traces and records.
void ToggleLocus(Workspace& ws);
// Panel 3's text: "軌" while on, "×軌" while off, from the start.
std::string LocusStateText(const Workspace& ws);
// Empties the traces and starts the record anew; the caller redraws.
void ResetTraces(Workspace& ws);
// Draws every stored sample (on the current layer: the trace layer).
void DrawTraces(Workspace& ws);
void DrawTraces(Renderer& r, const LocusState& locus);
// One sample of an object's picture during a deformation step: drawn in
// its locus colour on the trace layer and kept, while the switch is on.
void TraceRecord(Workspace& ws, const PointRecord& p);
void TraceRecord(Workspace& ws, const LineRecord& l);
void TraceRecord(Workspace& ws, const CircleRecord& c);
// The dragged point's mark by the sign of the locus variable.
void SignMark(Workspace& ws, PointRecord& p);
// The locus variable: chosen in the number dialog, or cleared; one that
// no longer exists is cleared.
void ChooseLocusVariable(Workspace& ws);
void ClearLocusVariable(Workspace& ws);
void CheckLocusVariable(Workspace& ws);
// A row of the shown numbers while the switch is on (after each list).
void RecordRow(Workspace& ws);
// "H": the dragged point to the origin; "X": the plane scan.
void MoveHome(Workspace& ws);
void ScanPlane(Workspace& ws);

}  // namespace sakuzu
