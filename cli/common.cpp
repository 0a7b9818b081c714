// Shared pieces of the quillmap-cli subcommands.
#include "cli/common.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>

#include "import/codepage.h"

namespace qm {

namespace {

void WriteMessage(const std::string& text) {
  std::cerr << text;
  if (text.empty() || text.back() != '\n') std::cerr << '\n';
}

void Dump(const Json& value, std::string& out) {
  switch (value.type()) {
    case Json::value_t::number_float:
      out += FormatNumber(value.get<double>());
      break;
    case Json::value_t::array: {
      out += '[';
      bool first = true;
      for (const Json& item : value) {
        if (!first) out += ',';
        first = false;
        Dump(item, out);
      }
      out += ']';
      break;
    }
    case Json::value_t::object: {
      out += '{';
      bool first = true;
      for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first) out += ',';
        first = false;
        out += Json(it.key()).dump();
        out += ':';
        Dump(it.value(), out);
      }
      out += '}';
      break;
    }
    default:
      out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

// Reads fd to its end or to `limit` + 1 bytes, whichever comes first; 0 or the system's code.
// Only a read that gives nothing is the end: an error is never taken for it. The bytes come in
// pieces, joined once the end is known, so that memory holds them about once (a growing vector
// would hold the last half twice); past the limit (`beyondLimit`) only the beginning is kept.
int ReadUpTo(int fd, size_t limit, std::vector<uint8_t>& bytes, bool& beyondLimit) {
  constexpr size_t PieceSize = size_t(1) << 20;
  struct Piece {
    std::unique_ptr<uint8_t[]> data;
    size_t size;
  };
  std::vector<Piece> pieces;
  size_t total = 0;
  int code = 0;
  while (total <= limit) {
    if (pieces.empty() || pieces.back().size == PieceSize) {
      pieces.push_back({std::make_unique_for_overwrite<uint8_t[]>(PieceSize), 0});
    }
    Piece& piece = pieces.back();
    ssize_t n = read(fd, piece.data.get() + piece.size,
                     std::min(PieceSize - piece.size, limit + 1 - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      code = n < 0 ? errno : 0;
      break;
    }
    piece.size += size_t(n);
    total += size_t(n);
  }
  beyondLimit = total > limit;
  const size_t kept = beyondLimit ? std::min(total, InputBeginningBytes) : total;
  bytes.clear();
  bytes.reserve(kept);
  for (Piece& piece : pieces) {
    const size_t size = std::min(piece.size, kept - bytes.size());
    bytes.insert(bytes.end(), piece.data.get(), piece.data.get() + size);
    piece.data.reset();
  }
  return code;
}

InputRead ReadOpenInput(int fd, const std::string& name, size_t limit, std::vector<uint8_t>& bytes,
                        std::string& error) {
  struct stat entry;
  size_t readLimit = limit;
  if (fstat(fd, &entry) == 0 && S_ISREG(entry.st_mode) && uint64_t(entry.st_size) > limit) {
    readLimit = InputBeginningBytes - 1;
  }
  int code = 0;
  bool beyondLimit = false;
  try {
    code = ReadUpTo(fd, readLimit, bytes, beyondLimit);
  } catch (const std::bad_alloc&) {
    bytes.clear();
    bytes.shrink_to_fit();
    error = "not enough memory to read " + name;
    return InputRead::Failed;
  }
  if (code != 0) {
    error = "cannot read " + name + ": " + std::strerror(code);
    return InputRead::Failed;
  }
  return beyondLimit || readLimit < limit ? InputRead::TooLarge : InputRead::Whole;
}

}  // namespace

void StderrSink::ShowOwnBox(const std::string& text) {
  WriteMessage(text);
}
void StderrSink::ShowFrameworkBox(const std::string& text) {
  WriteMessage(text);
}

InputRead ReadInput(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                    std::string& error) {
  bytes.clear();
  if (path == "-") return ReadOpenInput(0, "standard input", limit, bytes, error);
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return InputRead::Failed;
  }
  InputRead read = ReadOpenInput(fd, path, limit, bytes, error);
  close(fd);
  return read;
}

bool WriteStandardOutput(const std::string& text, const char* command) {
  std::cout << text << std::flush;
  if (std::cout) return true;
  std::cerr << command << ": cannot write to standard output\n";
  return false;
}

std::string FormatNumber(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DumpJson(const Json& value) {
  std::string out;
  Dump(value, out);
  return out;
}

Json GridText(const char* text) {
  return Json(Cp1252ToUtf8(text));
}

}  // namespace qm
