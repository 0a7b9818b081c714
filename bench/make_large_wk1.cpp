// Writes the benchmark's largest range (ten groups) as a WK1 file: make_large_wk1 OUT.wk1
#include <cstdio>
#include <memory>

#include "bench/make_grid.h"
#include "import/write_wk1.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_large_wk1 OUT.wk1\n");
    return 2;
  }
  auto grid = std::make_unique<qm::WorksheetGrid>();
  qm::MakeLargeGrid(*grid, 10, 12345);
  std::vector<uint8_t> bytes = qm::WriteWk1(*grid);
  FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
      std::fclose(file) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
