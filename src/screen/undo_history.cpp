#include "undo_history.h"

#include <utility>

namespace kavir {

void UndoHistory::Record(ScreenState before, const std::string& merge_key) {
  redo_.clear();
  if (!merge_key.empty() && merge_key == last_merge_key_ && !undo_.empty()) return;
  last_merge_key_ = merge_key;
  undo_.push_back(std::move(before));
  while (undo_.size() > limit_) undo_.pop_front();
}

ScreenState UndoHistory::Undo(ScreenState current) {
  last_merge_key_.clear();
  if (undo_.empty()) return current;
  ScreenState back = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(current));
  return back;
}

ScreenState UndoHistory::Redo(ScreenState current) {
  last_merge_key_.clear();
  if (redo_.empty()) return current;
  ScreenState forward = std::move(redo_.back());
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

std::size_t Bytes(const ScreenState& v) {
  std::size_t n = sizeof v;
  n += HeapBytes(v.setup.band_lower) + HeapBytes(v.setup.band_upper) + HeapBytes(v.model_name) + HeapBytes(v.file_name);
  for (const Choice& c : v.setup.settings) n += HeapBytes(c.text);
  for (const Channel& c : v.setup.channels)
    for (const std::string& text : c.fields) n += HeapBytes(text);
  return n;
}
}  // namespace

std::size_t UndoHistory::MemoryBytes() const {
  std::size_t n = 0;
  for (const ScreenState& v : undo_) n += Bytes(v);
  for (const ScreenState& v : redo_) n += Bytes(v);
  return n;
}

}  // namespace kavir
