// Tests of quillmap-cli grid: the JSON object it prints for a WK1 file, its exit statuses, and
// which inputs LoadWorksheet accepts.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/common.h"
#include "import/write_wk1.h"
#include "testsupport/cli_command_run.h"

namespace qm {
namespace {

using testing::CommandRun;

// Runs "quillmap-cli grid INPUT" in this process, capturing its standard output and error.
CommandRun RunGrid(const std::string& input) {
  return testing::RunCliCommand(AddGridCommand, {"grid", input});
}

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = ::testing::TempDir() + name;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

TEST(GridCommandTest, TreatmentExample) {
  CommandRun run = RunGrid(QUILLMAP_SOURCE_DIR "/examples/treatment.wk1");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_FALSE(run.out.empty());
  EXPECT_EQ(run.out.back(), '\n');
  Json json = Json::parse(run.out);
  std::vector<std::string> keys;
  for (auto it = json.begin(); it != json.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"code", "messages", "rowCount", "columnCount",
                                            "header1", "header2", "values"}));
  EXPECT_EQ(json["code"], 0);
  EXPECT_TRUE(json["messages"].empty());
  const int rows = json["rowCount"], columns = json["columnCount"];
  EXPECT_EQ(columns, 4);
  ASSERT_EQ(json["header1"].size(), size_t(columns));
  ASSERT_EQ(json["header2"].size(), size_t(columns));
  ASSERT_EQ(json["values"].size(), size_t(rows));
  for (const Json& row : json["values"]) EXPECT_EQ(row.size(), size_t(columns));
  EXPECT_EQ(json["header1"][0], "Control");
  EXPECT_EQ(json["header2"][0], "Concentration (\u00B5g/L)");
  EXPECT_EQ(json["header2"][1], "");
  // The header rows hold the Missing value, printed in its shortest form.
  EXPECT_NE(run.out.find("[-999999.999,-999999.999,-999999.999,-999999.999]"), std::string::npos);
  EXPECT_NE(run.out.find("-999998.999"), std::string::npos);
  EXPECT_EQ(json["values"][2][0].get<double>(), 12.4);
}

TEST(GridCommandTest, FailedImportPrintsItsCodeAndMessages) {
  std::vector<uint8_t> bytes;
  AppendWk1Bof(bytes);
  bytes.insert(bytes.end(), {9, 0, 9, 0, 1});  // a body past the end
  CommandRun run = RunGrid(TempFile("quillmap_cut.wk1", bytes));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "{\"code\":-92,\"messages\":[\"Error -1 reading wk1-data\"],\"rowCount\":0,"
            "\"columnCount\":0,\"header1\":[],\"header2\":[],\"values\":[]}\n");
}

TEST(GridCommandTest, WarningIsAmongTheMessages) {
  std::vector<uint8_t> bytes;
  AppendWk1Bof(bytes);
  AppendWk1Range(bytes, 0, 0, 0, 2);
  AppendWk1Value(bytes, 0, 0, 3.0);
  AppendWk1Eof(bytes);
  // Recognised by its BOF record, whatever the name.
  CommandRun run = RunGrid(TempFile("quillmap_warning.dat", bytes));
  EXPECT_EQ(run.status, 0);
  Json json = Json::parse(run.out);
  EXPECT_EQ(json["messages"], Json::array({"Warning: rows 1/2 contain VALUES\n"}));
  EXPECT_EQ(json["values"], Json::parse("[[3],[-999999.999],[-999999.999]]"));
}

TEST(GridCommandTest, RefusedInputs) {
  struct Case {
    const char* name;
    std::string path;
  };
  const Case cases[] = {
      {"binary file of another kind",
       TempFile("quillmap_picture.png", {0x89, 'P', 'N', 'G', 0, 0, 0, 0x0D, 0xFF, 0x01})},
      {"missing file", ::testing::TempDir() + "quillmap_no_such_file.wk1"},
  };
  for (const Case& c : cases) {
    CommandRun run = RunGrid(c.path);
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_TRUE(run.out.empty()) << c.name;
    EXPECT_NE(run.err.find(c.path), std::string::npos) << c.name;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.name << ": one line";
  }
}

TEST(LoadWorksheetTest, Wk1ByNameInAnyCase) {
  // An empty file named .WK1 is taken as WK1 data and fails in the import.
  std::string path = TempFile("quillmap_empty.WK1", {});
  auto grid = std::make_unique<WorksheetGrid>();
  const LoadedInput loaded = LoadWorksheet(path, *grid);
  ASSERT_TRUE(loaded.read);
  EXPECT_EQ(loaded.import.Code(), 5);
  EXPECT_EQ(ImportMessage(loaded.import), "empty clipboard?? len=0 ");
}

}  // namespace
}  // namespace qm
