#include "undo_history.h"

#include <utility>

namespace kavir {

void UndoHistory::Record(ScreenValues before, const std::string& merge_key) {
  redo_.clear();
  if (!merge_key.empty() && merge_key == last_merge_key_ && !undo_.empty()) return;
  last_merge_key_ = merge_key;
  undo_.push_back(std::move(before));
  while (undo_.size() > limit_) undo_.pop_front();
}

ScreenValues UndoHistory::Undo(ScreenValues current) {
  last_merge_key_.clear();
  if (undo_.empty()) return current;
  ScreenValues back = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(current));
  return back;
}

ScreenValues UndoHistory::Redo(ScreenValues current) {
  last_merge_key_.clear();
  if (redo_.empty()) return current;
  ScreenValues forward = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(std::move(current));
  return forward;
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  last_merge_key_.clear();
}

namespace {
std::size_t HeapBytes(const std::string& s) {
  // Short texts live inside the string object itself.
  return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

std::size_t Bytes(const ScreenValues& v) {
  std::size_t n = sizeof v + v.selections.capacity() * sizeof(int);
  n += HeapBytes(v.band_lower) + HeapBytes(v.band_upper) + HeapBytes(v.model_name) +
       HeapBytes(v.file_name);
  for (const auto& row : v.cells)
    for (const GridCell& c : row) n += HeapBytes(c.text);
  return n;
}
}  // namespace

std::size_t UndoHistory::MemoryBytes() const {
  std::size_t n = 0;
  for (const ScreenValues& v : undo_) n += Bytes(v);
  for (const ScreenValues& v : redo_) n += Bytes(v);
  return n;
}

}  // namespace kavir
