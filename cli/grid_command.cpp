// quillmap-cli grid INPUT: imports a worksheet range and prints the grid as one JSON object.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/common.h"

namespace qm {

namespace {

Json GridJson(int32_t code, const RecordingSink& sink, const WorksheetGrid& grid) {
  Json header1 = Json::array();
  Json header2 = Json::array();
  Json values = Json::array();
  for (int32_t c = 0; c < grid.ColumnCount; c++) {
    header1.push_back(GridText(grid.HeaderRow1Text[c]));
    header2.push_back(GridText(grid.HeaderRow2Text[c]));
  }
  for (int32_t r = 0; r < grid.RowCount; r++) {
    Json row = Json::array();
    for (int32_t c = 0; c < grid.ColumnCount; c++) row.push_back(grid.Values[r][c]);
    values.push_back(std::move(row));
  }
  Json out = Json::object();
  out["code"] = code;
  out["messages"] = sink.messages;
  out["rowCount"] = grid.RowCount;
  out["columnCount"] = grid.ColumnCount;
  out["header1"] = std::move(header1);
  out["header2"] = std::move(header2);
  out["values"] = std::move(values);
  return out;
}

int RunGrid(const std::string& input) {
  // The grid is large (about 200 KB); it lives on the heap, once per run.
  auto grid = std::make_unique<WorksheetGrid>();
  const LoadedInput loaded = LoadWorksheet(input, *grid);
  if (!loaded.read) {
    std::cerr << "quillmap-cli grid: " << loaded.error << '\n';
    return 2;
  }
  RecordingSink sink;
  ShowInputMessages(loaded, input, "quillmap-cli grid", sink);
  if (loaded.import.ok()) PrintNotes(ImportNoteLines(loaded.import.notes, *grid));
  const int32_t code = loaded.import.Code();
  if (!WriteStandardOutput(DumpJson(GridJson(code, sink, *grid)) + '\n', "quillmap-cli grid")) {
    return 1;
  }
  return loaded.import.ok() ? 0 : 1;
}

}  // namespace

void AddGridCommand(CLI::App& app, int& status) {
  auto* command = app.add_subcommand(
      "grid", "Import a worksheet range (WK1, CSV, TSV or text) and print its grid as JSON.");
  // The same options on every system: a path such as /data/x.wk1 is an input, not an option.
  command->allow_windows_style_options(false);
  auto input = std::make_shared<std::string>();
  command
      ->add_option("INPUT", *input,
                   "a .wk1 file, a .csv, .tsv or .txt file, or - for standard input")
      ->required();
  command->callback([&status, input] { status = RunGrid(*input); });
}

}  // namespace qm
