// Shared pieces of the quillmap-cli subcommands.
#include "cli/common.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

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

// Everything left in a stream, read in large pieces: a stream iterator per byte is slow on
// the largest worksheets.
void ReadAll(std::istream& in, std::vector<uint8_t>& bytes) {
  char piece[1 << 16];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    bytes.insert(bytes.end(), piece, piece + in.gcount());
  }
}

}  // namespace

void StderrSink::ShowOwnBox(const std::string& text) {
  WriteMessage(text);
}
void StderrSink::ShowFrameworkBox(const std::string& text) {
  WriteMessage(text);
}

bool ReadInput(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  bytes.clear();
  if (path == "-") {
    ReadAll(std::cin, bytes);
    if (std::cin.bad()) {
      error = "cannot read standard input";
      return false;
    }
    return true;
  }
  // The name is UTF-8; on Windows a filesystem path opens the file by its UTF-16 name.
  const std::u8string name(reinterpret_cast<const char8_t*>(path.data()), path.size());
  std::ifstream file(std::filesystem::path(name), std::ios::binary);
  if (!file) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  ReadAll(file, bytes);
  if (file.bad()) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
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
