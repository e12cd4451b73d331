#pragma once
// Undo and redo as two stacks of screen states. A step keeps the state from
// before a user command; undo swaps it with the screen's.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "screen_state.h"

namespace kavir {

class UndoHistory {
 public:
  static constexpr std::size_t kDefaultLimit = 1000;
  explicit UndoHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  // Keeps `before` as a new step; a step with the merge key of the step just
  // recorded (typing on in the same field) joins it instead.
  void Record(ScreenState before, const std::string& merge_key = {});
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Values to show after undo/redo; `current` goes to the other stack.
  ScreenState Undo(ScreenState current);
  ScreenState Redo(ScreenState current);
  void Clear();
  std::size_t undo_count() const { return undo_.size(); }
  std::size_t redo_count() const { return redo_.size(); }
  // Bytes held by the kept steps (the values and their texts), for the bench.
  std::size_t MemoryBytes() const;

 private:
  std::size_t limit_;
  std::deque<ScreenState> undo_;
  std::vector<ScreenState> redo_;
  std::string last_merge_key_;
};

}  // namespace kavir
