#pragma once

#include <cstdint>

namespace kurvex {

/// Calls visit(j) once for every distinct value in [low, high] that the monotone key takes on
/// the indices first..last, with j the last index giving it: of ticks that fall on the same
/// pixel only the one drawn last would show. The cost follows the values visited, not the count
/// of indices, so two billion ticks on a 2000-pixel surface take no longer than two thousand.
template <class Key, class Visit>
void ForEachDistinct(int64_t first, int64_t last, int64_t low, int64_t high, Key key, Visit visit) {
  if (first > last) return;
  // The first index's key comes first, so that a mapping that fails does so as it always did.
  const int64_t firstKey = key(first);
  const bool rising = key(last) >= firstKey;
  const auto before = [&](int64_t k, int64_t v) { return rising ? k < v : k > v; };
  // The first index at or beyond v in the key's direction (last + 1 when none).
  const auto firstReaching = [&](int64_t v) {
    int64_t lo = first;
    int64_t hi = last + 1;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (before(key(mid), v)) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo;
  };
  const int64_t end = rising ? high : low;
  for (int64_t i = firstReaching(rising ? low : high); i <= last;) {
    const int64_t k = key(i);
    if (before(end, k)) break;
    // The last index still at k.
    int64_t lo = i;
    int64_t hi = last;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo + 1) / 2;
      if (before(k, key(mid))) {
        hi = mid - 1;
      } else {
        lo = mid;
      }
    }
    visit(lo);
    i = lo + 1;
  }
}

}  // namespace kurvex
