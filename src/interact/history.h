// Undo and redo of every change to the figure. A change runs from a
// moment when no command is under way (the mode stack holds only the
// standard mode) until the next such moment: a construction from its
// command to its last input, a drag from press to release, a keyboard
// deformation from its command to Esc, an edit, a load. The figure as it
// was before is kept whole, so that an undo restores it exactly: a save
// after the undo writes the bytes a save before the change wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "model/figure.h"

namespace sakuzu {

// Everything a figure file holds, and the file name.
struct FigureState {
  Table<NumberRecord> Numbers;
  Table<PointRecord> Points;
  Table<LineRecord> Lines;
  Table<CircleRecord> Circles;
  Table<std::string> StepKind;
  Table<StepSlots> StepInputs, StepOutputs;
  Table<int16_t> StepReversed;
  // The recomputation's tables beside the steps, kept for their sizes.
  Table<int16_t> StepStatus;
  Table<std::array<int16_t, kSlotCount + 1>> CurrentOutputs;
  std::array<int16_t, kCountEntries> ObjectCounts{};
  int16_t StepCount = 0;
  int16_t ComplexOpsUsed = 0;
  std::string FigureFileName;

  static FigureState Of(const Figure& fig);
  // Puts the state into the figure; the previous-state tables follow, so
  // that the next recomputation continues from it.
  void RestoreInto(Figure& fig) const;
  bool Matches(const Figure& fig) const;
  // About how much memory the state takes.
  size_t Bytes() const;
};

// The standard bound of the memory the history keeps; the oldest changes
// go first when it is passed.
constexpr size_t kHistoryBudgetBytes = size_t{256} << 20;

class History {
 public:
  explicit History(size_t budgetBytes = kHistoryBudgetBytes) : budget_(budgetBytes) {}

  // A change may begin: the figure as it is now is kept (once per change).
  void Begin(const Figure& fig);
  bool IsOpen() const { return open_ != nullptr; }
  // The change ends: when the figure differs from the kept state it
  // becomes an entry named `caption` (a Japanese text, translated when
  // shown), and what could be redone is dropped. False when nothing changed.
  bool Commit(const Figure& fig, const std::string& caption);
  // Drops a change that was begun.
  void Abandon() { open_.reset(); }

  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < entries_.size(); }
  // The caption of what Undo and Redo would take back or do again.
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  // Back to the figure before the last change, or forward again. False
  // when there is nothing to undo or redo.
  bool Undo(Figure& fig);
  bool Redo(Figure& fig);

  // The figure was saved (or loaded): what it is now counts as unchanged.
  void MarkSaved() { savedGeneration_ = generation_; }
  // True when the figure differs from what was last saved or loaded.
  bool IsModified() const { return generation_ != savedGeneration_; }
  // The figure counts as unsaved whatever happens (a figure restored
  // after a crash).
  void MarkUnsaved() { savedGeneration_ = -1; }
  // Forgets every change (a new window).
  void Clear();

  size_t Entries() const { return entries_.size(); }
  size_t Bytes() const { return bytes_; }

 private:
  struct Entry {
    std::string caption;
    FigureState state;  // before the change, or after it once undone
    int64_t generationBefore = 0, generationAfter = 0;
  };
  void Trim();
  // The entry's state goes into the figure; the figure's takes its place.
  void Exchange(Entry& entry, Figure& fig);

  size_t budget_;
  std::deque<Entry> entries_;
  size_t index_ = 0;  // entries before it can be undone, from it redone
  size_t bytes_ = 0;
  std::unique_ptr<FigureState> open_;
  int64_t generation_ = 0, savedGeneration_ = 0, nextGeneration_ = 1;
};

}  // namespace sakuzu
