#include "interact/history.h"

namespace sakuzu {
namespace {

template <typename T>
size_t TableBytes(const Table<T>& table) {
  return (static_cast<size_t>(table.UpperBound()) + 1) * sizeof(T);
}

// Names longer than the string's own buffer live on the heap.
template <typename T>
size_t NameBytes(const Table<T>& table) {
  size_t bytes = 0;
  for (int i = 0; i <= table.UpperBound(); ++i) {
    if (table[i].name.size() > 15) bytes += table[i].name.size() + 1;
  }
  return bytes;
}

}  // namespace

FigureState FigureState::Of(const Figure& fig) {
  FigureState s;
  s.Numbers = fig.Numbers;
  s.Points = fig.Points;
  s.Lines = fig.Lines;
  s.Circles = fig.Circles;
  s.StepKind = fig.StepKind;
  s.StepInputs = fig.StepInputs;
  s.StepOutputs = fig.StepOutputs;
  s.StepReversed = fig.StepReversed;
  s.StepStatus = fig.StepStatus;
  s.CurrentOutputs = fig.CurrentOutputs;
  s.ObjectCounts = fig.ObjectCounts;
  s.StepCount = fig.StepCount;
  s.ComplexOpsUsed = fig.ComplexOpsUsed;
  s.FigureFileName = fig.FigureFileName;
  return s;
}

void FigureState::RestoreInto(Figure& fig) const {
  fig.Numbers = Numbers;
  fig.Points = Points;
  fig.Lines = Lines;
  fig.Circles = Circles;
  fig.StepKind = StepKind;
  fig.StepInputs = StepInputs;
  fig.StepOutputs = StepOutputs;
  fig.StepReversed = StepReversed;
  fig.ObjectCounts = ObjectCounts;
  fig.StepCount = StepCount;
  fig.ComplexOpsUsed = ComplexOpsUsed;
  fig.FigureFileName = FigureFileName;
  fig.StepStatus = StepStatus;
  fig.CurrentOutputs = CurrentOutputs;
  CopyToPrevious(fig);
}

bool FigureState::Matches(const Figure& fig) const {
  return StepCount == fig.StepCount && ObjectCounts == fig.ObjectCounts &&
         ComplexOpsUsed == fig.ComplexOpsUsed && FigureFileName == fig.FigureFileName &&
         Points == fig.Points && Lines == fig.Lines && Circles == fig.Circles &&
         Numbers == fig.Numbers && StepKind == fig.StepKind && StepInputs == fig.StepInputs &&
         StepOutputs == fig.StepOutputs && StepReversed == fig.StepReversed;
}

size_t FigureState::Bytes() const {
  size_t bytes = sizeof(FigureState) + TableBytes(Numbers) + TableBytes(Points) +
                 TableBytes(Lines) + TableBytes(Circles) + TableBytes(StepKind) +
                 TableBytes(StepInputs) + TableBytes(StepOutputs) + TableBytes(StepReversed) +
                 TableBytes(StepStatus) + TableBytes(CurrentOutputs);
  bytes += NameBytes(Numbers) + NameBytes(Points) + NameBytes(Lines) + NameBytes(Circles);
  for (int i = 0; i <= Numbers.UpperBound(); ++i) {
    if (Numbers[i].expression.size() > 15) bytes += Numbers[i].expression.size() + 1;
  }
  return bytes;
}

void History::Begin(const Figure& fig) {
  if (open_) return;
  open_ = std::make_unique<FigureState>(FigureState::Of(fig));
}

bool History::Commit(const Figure& fig, const std::string& caption) {
  if (!open_) return false;
  std::unique_ptr<FigureState> before = std::move(open_);
  if (before->Matches(fig)) return false;
  // A new change: what was undone cannot be redone any more.
  while (entries_.size() > index_) {
    bytes_ -= entries_.back().state.Bytes();
    entries_.pop_back();
  }
  Entry entry{caption, std::move(*before), generation_, nextGeneration_++};
  generation_ = entry.generationAfter;
  bytes_ += entry.state.Bytes();
  entries_.push_back(std::move(entry));
  index_ = entries_.size();
  Trim();
  return true;
}

void History::Trim() {
  // The newest change is always kept, whatever it costs.
  while (bytes_ > budget_ && entries_.size() > 1 && index_ > 1) {
    bytes_ -= entries_.front().state.Bytes();
    entries_.pop_front();
    --index_;
  }
}

std::string History::UndoCaption() const {
  return CanUndo() ? entries_[index_ - 1].caption : std::string();
}

std::string History::RedoCaption() const {
  return CanRedo() ? entries_[index_].caption : std::string();
}

void History::Exchange(Entry& entry, Figure& fig) {
  FigureState current = FigureState::Of(fig);
  entry.state.RestoreInto(fig);
  bytes_ -= entry.state.Bytes();
  entry.state = std::move(current);
  bytes_ += entry.state.Bytes();
}

bool History::Undo(Figure& fig) {
  if (!CanUndo()) return false;
  open_.reset();
  Entry& entry = entries_[--index_];
  Exchange(entry, fig);
  generation_ = entry.generationBefore;
  return true;
}

bool History::Redo(Figure& fig) {
  if (!CanRedo()) return false;
  open_.reset();
  Entry& entry = entries_[index_++];
  Exchange(entry, fig);
  generation_ = entry.generationAfter;
  return true;
}

void History::Clear() {
  entries_.clear();
  index_ = 0;
  bytes_ = 0;
  open_.reset();
  generation_ = savedGeneration_ = 0;
  nextGeneration_ = 1;
}

}  // namespace sakuzu
