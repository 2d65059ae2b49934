// Runs of a stem list, named by their first and last stems. A routine that departs from a list
// it shares with others (a stem left out, moved or added) writes the list as the runs between
// its departures, each named by where it starts and ends. The runs are taken when the program
// is compiled: a stem that is not in the list, or a last stem before the first, does not
// compile.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "export/SheetRun.h"

namespace varnel {

// The stems of `list` from `first` through `last`, both included.
template <std::size_t N>
consteval Stems Through(const std::array<std::string_view, N>& list, std::string_view first,
                        std::string_view last) {
  std::size_t begin = N;
  std::size_t end = N;
  for (std::size_t i = 0; i < N; ++i) {
    if (list[i] == first && begin == N) begin = i;
    if (list[i] == last) end = i;
  }
  if (begin == N || end == N || end < begin) throw "no such run of stems in the list";
  return Stems(list.data() + begin, end - begin + 1);
}

}  // namespace varnel
