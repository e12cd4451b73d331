#pragma once
// Undo and redo as two stacks of whole-screen values. A step keeps the values
// from before a user command; undo swaps them with the screen's.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "screen_values.h"

namespace kavir {

class UndoHistory {
 public:
  static constexpr std::size_t kDefaultLimit = 1000;
  explicit UndoHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  // Keeps `before` as a new step; a step with the merge key of the step just
  // recorded (typing on in the same field) joins it instead.
  void Record(ScreenValues before, const std::string& merge_key = {});
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Values to show after undo/redo; `current` goes to the other stack.
  ScreenValues Undo(ScreenValues current);
  ScreenValues Redo(ScreenValues current);
  void Clear();
  std::size_t undo_count() const { return undo_.size(); }
  std::size_t redo_count() const { return redo_.size(); }
  // Bytes held by the kept steps (the values and their texts), for the bench.
  std::size_t MemoryBytes() const;

 private:
  std::size_t limit_;
  std::deque<ScreenValues> undo_;
  std::vector<ScreenValues> redo_;
  std::string last_merge_key_;
};

}  // namespace kavir
