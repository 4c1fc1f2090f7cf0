#pragma once

#include <cstdint>

// Counts the work the retained image does, in pixels written and path steps taken, so that
// the fuzzer can hold every operation to what its visible part needs: a count gives the same
// verdict on any machine, however busy. Only a build that defines DRAGONFOLD_COUNT_WORK (the
// fuzzer's) counts; everywhere else the calls compile to nothing.
namespace work_meter {

#ifdef DRAGONFOLD_COUNT_WORK
inline thread_local std::uint64_t done = 0;
inline void add(std::uint64_t units) { done += units; }
#else
inline void add(std::uint64_t) {}
#endif

} // namespace work_meter
