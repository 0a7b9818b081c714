// Tests of quillmap-cli's text inputs: .csv, .tsv and .txt files and text on standard input go
// through the text range import; WK1 stays WK1 by name or by its BOF record.
#include <gtest/gtest.h>
#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "cli/common.h"
#include "import/write_wk1.h"

namespace qm {
namespace {

int MakePipe(int ends[2]) {
#ifdef _WIN32
  return _pipe(ends, 1 << 16, _O_BINARY);
#else
  return pipe(ends);
#endif
}

class TextInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("quillmap-text-input-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  // The import's code after showing its texts, or NotRead when the input was not read.
  static constexpr int32_t NotRead = -1;
  int32_t Load(const std::string& path) {
    sink.messages.clear();
    const LoadedInput loaded = LoadWorksheet(path, *grid);
    error = loaded.error;
    if (!loaded.read) return NotRead;
    ShowImportMessages(loaded.import, sink);
    return loaded.import.Code();
  }

  std::filesystem::path folder;
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  RecordingSink sink;
  std::string error;
};

TEST_F(TextInputTest, FilesByName) {
  struct Case {
    const char* name;
    std::string bytes;
    double value;  // row 2, column 1
  } cases[] = {
      {"a.csv", "A,B\nx,y\n1,2.5\n", 2.5},
      {"b.CSV", "A;B\nx;y\n1;2,5\n", 2.5},
      {"c.tsv", "A\tB\r\nx\ty\r\n1\t-4\r\n", -4.0},
      {"d.txt",
       "\xEF\xBB\xBF"
       "A\tB\nx\ty\n1\t1e2\n",
       100.0},
      {"e.dat", "A\tB\nx\ty\n1\t7\n", 7.0},  // any other name: text is read tab-separated
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Load(Write(c.name, c.bytes)), 0) << c.name << ": " << error;
    EXPECT_EQ(grid->RowCount, 3) << c.name;
    EXPECT_EQ(grid->ColumnCount, 2) << c.name;
    EXPECT_STREQ(grid->HeaderRow1Text[1], "B") << c.name;
    EXPECT_EQ(grid->Values[2][1], c.value) << c.name;
    EXPECT_TRUE(sink.messages.empty()) << c.name;
  }
}

TEST_F(TextInputTest, CsvRulesOnlyForCsvNames) {
  // The same bytes: comma-separated in a .csv file, one field with a decimal comma in a .txt file.
  ASSERT_EQ(Load(Write("f.csv", "A,B\nx,y\n1,5\n")), 0);
  EXPECT_EQ(grid->ColumnCount, 2);
  EXPECT_EQ(grid->Values[2][0], 1.0);
  ASSERT_EQ(Load(Write("f.txt", "A,B\nx,y\n1,5\n")), 0);
  EXPECT_EQ(grid->ColumnCount, 1);
  EXPECT_EQ(grid->Values[2][0], 1.5);
}

TEST_F(TextInputTest, Wk1StaysWk1) {
  auto source = std::make_unique<WorksheetGrid>();
  ClearGrid(*source);
  source->RowCount = 3;
  source->ColumnCount = 1;
  std::snprintf(source->HeaderRow1Text[0], HeaderTextSize, "W");
  source->Values[0][0] = source->Values[1][0] = MissingValue;
  source->Values[2][0] = 9.0;
  std::vector<uint8_t> wk1 = WriteWk1(*source);
  std::string bytes(wk1.begin(), wk1.end());
  // A WK1 stream is WK1 whatever its name says.
  ASSERT_EQ(Load(Write("g.csv", bytes)), 0);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "W");
  EXPECT_EQ(grid->Values[2][0], 9.0);
  // A .wk1 name is WK1 even when the bytes are text: the decoder finds a body past the end.
  EXPECT_EQ(Load(Write("h.wk1", "A\tB\n1\t2\n")), -92);
  // So is a file named only .wk1, given by that name alone.
  Write(".wk1", "A\tB\n1\t2\n");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  EXPECT_EQ(Load(".wk1"), -92);
  std::filesystem::current_path(here);
}

TEST_F(TextInputTest, CodesAndMessagesOfTheImport) {
  EXPECT_EQ(Load(Write("i.tsv", "2019\tB\nx\ty\n1\t2\n")), 0);
  EXPECT_EQ(sink.messages, std::vector<std::string>{"Warning: rows 1/2 contain VALUES\n"});
  EXPECT_EQ(Load(Write("j.csv", "")), 3);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(Load(Write("k.txt", "\n\n")), 3);
  // Binary data under a name that says nothing is neither WK1 nor text.
  EXPECT_EQ(Load(Write("l.bin", std::string("\x01\x00\x02\x00\xFF", 5))), NotRead);
  EXPECT_NE(error.find("nor text"), std::string::npos) << error;
}

TEST_F(TextInputTest, StandardInput) {
  // Standard input is read as the file it is (descriptor 0): a pipe stands in for it.
  const std::string input = "Name\tDose\nx\ty\n1\t3,5\n";
  int ends[2];
  ASSERT_EQ(MakePipe(ends), 0);
  ASSERT_EQ(write(ends[1], input.data(), input.size()), ssize_t(input.size()));
  close(ends[1]);
  const int saved = dup(0);
  dup2(ends[0], 0);
  close(ends[0]);
  int32_t code = Load("-");
  dup2(saved, 0);
  close(saved);
  ASSERT_EQ(code, 0) << error;
  EXPECT_STREQ(grid->HeaderRow1Text[1], "Dose");
  EXPECT_EQ(grid->Values[2][1], 3.5);
}

}  // namespace
}  // namespace qm
