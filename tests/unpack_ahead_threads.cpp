// The unpacking thread and the writer under ThreadSanitizer: many routines' worth of takes in
// order, pictures repeated as a routine writes them into further folders, pictures larger than
// the queue holds, routines ended early and an unpacker destroyed while it works. Any data race
// ends the program with ThreadSanitizer's report; a wrong picture ends it with exit code 1.
#include <libdeflate.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "export/UnpackAhead.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

int Check(bool ok, const char* what, int n) {
  if (!ok) std::fprintf(stderr, "FAIL: %s at take %d\n", what, n);
  return ok ? 0 : 1;
}

}  // namespace

int main() {
  // Six pictures from 1 KB to 9 MB (above the bytes the queue holds ahead).
  std::vector<Bytes> rows, packed;
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(1);
  for (std::size_t size : {1000u, 6000u, 14000u, 20000u, 300000u, 9u << 20}) {
    Bytes r(size);
    for (std::size_t k = 0; k < size; ++k) r[k] = static_cast<std::uint8_t>((k * size) >> 9);
    Bytes p(libdeflate_zlib_compress_bound(compressor, size));
    p.resize(libdeflate_zlib_compress(compressor, r.data(), r.size(), p.data(), p.size()));
    rows.push_back(std::move(r));
    packed.push_back(std::move(p));
  }
  libdeflate_free_compressor(compressor);

  // Pairs of pictures written into one to three folders, now and then the large one.
  std::vector<int> which;
  for (int n = 0; which.size() < 2000; ++n) {
    const int a = n % 4, b = (n + 1) % 4, folders = 1 + n % 3;
    for (int f = 0; f < folders; ++f) {
      which.push_back(a);
      which.push_back(b);
    }
    if (n % 97 == 0) which.push_back(n % 2 ? 4 : 5);
  }
  std::vector<forms::TGraphic> order;
  for (int i : which) {
    forms::TGraphic g;
    g.packedRows = packed[static_cast<std::size_t>(i)];
    g.rowBytes = rows[static_cast<std::size_t>(i)].size();
    order.push_back(g);
  }

  int failures = 0;
  varnel::UnpackAhead ahead;
  for (const int stopAt : {static_cast<int>(order.size()), 0, 1, 17, 600}) {
    ahead.Start(order);
    for (int n = 0; n < stopAt; ++n) {
      const varnel::UnpackAhead::Prepared got = ahead.Take(order[static_cast<std::size_t>(n)]);
      failures += Check(got != nullptr, "no rows", n);
      if (got)
        failures += Check(
            std::ranges::equal(got->Bytes(),
                               rows[static_cast<std::size_t>(which[static_cast<std::size_t>(n)])]),
            "wrong rows", n);
    }
    ahead.Stop();
  }
  {
    varnel::UnpackAhead destroyedWhileWorking;
    destroyedWhileWorking.Start(order);
    (void)destroyedWhileWorking.Take(order[0]);
  }
  if (failures == 0) std::printf("every take gave its picture's rows\n");
  return failures == 0 ? 0 : 1;
}
