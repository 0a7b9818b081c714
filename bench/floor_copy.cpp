// The floor of the whole-process comparison: the least a program can do with the same input
// and output, read the input file and write a given number of bytes to a file.
// Usage: floor_copy INPUT SIZE OUTPUT
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  std::vector<char> input(1 << 20);
  size_t total = 0, n;
  while ((n = std::fread(input.data(), 1, input.size(), in)) > 0) total += n;
  std::fclose(in);
  std::vector<char> output(std::strtoul(argv[2], nullptr, 10), char(total));
  FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr) return 1;
  std::fwrite(output.data(), 1, output.size(), out);
  return std::fclose(out) == 0 ? 0 : 1;
}
