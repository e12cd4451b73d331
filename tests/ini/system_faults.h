#pragma once
// Faults of the system calls the file layer makes, armed by a test: the
// test program is linked with --wrap so that our code's calls pass through
// here (Linux only; see CMakeLists.txt).
#include <atomic>

namespace kavir::test::faults {

inline std::atomic<int> close_error{0};        // the next close fails with this (after closing)
inline std::atomic<int> noreplace_error{0};    // renameat2(RENAME_NOREPLACE) fails with this
inline std::atomic<int> link_error{0};         // link() fails with this
inline std::atomic<int> interrupted_reads{0};  // this many reads fail with EINTR first
inline std::atomic<int> read_piece{0};         // reads return at most this many bytes (0: all)
// Bytes that still fit on the disk: write and fwrite take what fits, then
// fail with ENOSPC (-1: no limit). Wrapped only where a test asks for it.
inline std::atomic<long long> disk_space{-1};

inline void Reset() {
  close_error = noreplace_error = link_error = interrupted_reads = read_piece = 0;
  disk_space = -1;
}

}  // namespace kavir::test::faults
