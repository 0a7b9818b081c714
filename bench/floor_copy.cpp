// The floor of the whole-process comparison: the least a program can do with the same input
// and output, read the input file and write a given number of bytes to a file, or with OUTPUT
// "-" to standard output (the floor of quillmap-cli stats). With "atomic" it writes them the
// way quillmap-cli writes a picture: a temporary file beside OUTPUT, fsync, rename.
// Usage: floor_copy INPUT SIZE OUTPUT [atomic]
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "atomic") == 0)) return 2;
  const bool atomic = argc == 5;
  FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  std::vector<char> input(1 << 20);
  size_t total = 0, n;
  while ((n = std::fread(input.data(), 1, input.size(), in)) > 0) total += n;
  std::fclose(in);
  std::vector<char> output(std::strtoul(argv[2], nullptr, 10), char(total));
  const std::string path = argv[3];
  const bool standardOutput = path == "-";
  const std::string written = atomic ? path + ".tmp" : path;
  int fd = standardOutput ? 1 : open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return 1;
  const char* p = output.data();
  size_t left = output.size();
  while (left > 0) {
    ssize_t w = write(fd, p, left);
    if (w <= 0) return 1;
    p += w;
    left -= size_t(w);
  }
  if (atomic && fsync(fd) != 0) return 1;
  if (close(fd) != 0) return 1;
  if (atomic && rename(written.c_str(), path.c_str()) != 0) return 1;
  return 0;
}
