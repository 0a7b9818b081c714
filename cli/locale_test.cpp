// quillmap-cli draws the same bytes in every locale: the tick labels of a chart run in a German
// locale (decimal comma), as a dialog framework sets it for the desktop program, equal those of
// the C locale in the metafile, the SVG, the PNG and the trace.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testsupport/run_in_child.h"
#include "testsupport/test_files.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

using testing::ReadFile;

// Whether `name` can be set and writes a decimal comma; the process stays in the C locale.
bool HasDecimalComma(const char* name) {
  bool comma =
      std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',';
  std::setlocale(LC_ALL, "C");
  return comma;
}

// The German locale's name, with LOCPATH set to where it was made when the system has none
// installed: localedef builds it from the sources of Debian's "locales" package. Empty when it
// cannot be had.
std::string GermanLocale(const std::string& folder) {
  const char* name = "de_DE.UTF-8";
  if (HasDecimalComma(name)) return name;
  const std::string made = folder + "locales";
  fs::create_directories(made);
  const std::string command =
      "localedef -i de_DE -f UTF-8 " + made + "/" + name + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1) return "";
  setenv("LOCPATH", made.c_str(), 1);
  if (HasDecimalComma(name)) return name;
  unsetenv("LOCPATH");
  return "";
}

TEST(LocaleTest, PicturesAreTheSameBytesInEveryLocale) {
  const std::string folder =
      ::testing::TempDir() + "quillmap_locale_" + std::to_string(getpid()) + "/";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string locale = GermanLocale(folder);
  if (locale.empty()) GTEST_SKIP() << "no German locale: install Debian's locales package";
  // Values between 0 and 1: every tick label has decimals.
  const std::string input = folder + "shares.tsv";
  std::ofstream(input) << "A\tB\nshare\tshare\n0.12\t0.31\n0.47\t0.55\n0.83\t0.66\n";

  std::vector<std::vector<std::string>> runs = {
      {"-o", "chart.emf", "--ops", "chart.ops"},
      {"-o", "chart.svg", "--type", "boxplot"},
      {"-o", "log.emf", "--ops", "log.ops", "--log", "--error-bar", "sd"},
  };
#ifdef QUILLMAP_RENDER_MODULE_FILE  // the PNG of the render module, found beside the test
  runs.push_back({"-o", "chart.png", "--ops", "png.ops"});
#endif
  for (const std::vector<std::string>& outputs : runs) {
    std::string files[2];
    for (int german = 0; german < 2; german++) {
      const std::string out = folder + (german ? "de/" : "c/");
      fs::create_directories(out);
      std::vector<std::string> args = {"plot", input};
      for (const std::string& a : outputs) args.push_back(a.find('.') != a.npos ? out + a : a);
      ChildRun run = RunCliInChild(args, [&] {
        // As the desktop program's framework does: the user's locale for everything.
        setenv("LC_ALL", german ? locale.c_str() : "C", 1);
        std::setlocale(LC_ALL, "");
      });
      ASSERT_TRUE(run.exited && run.status == 0) << run.status << ": " << run.err;
      for (size_t i = 1; i < outputs.size(); i += 2) {
        if (outputs[i - 1] == "-o" || outputs[i - 1] == "--ops")
          files[german] += ReadFile(out + outputs[i]);
      }
    }
    EXPECT_FALSE(files[0].empty());
    EXPECT_TRUE(files[0] == files[1]) << outputs[1] << " differs in " << locale;
  }
  EXPECT_NE(ReadFile(folder + "c/chart.ops").find("\"0.2\""), std::string::npos);
  EXPECT_EQ(ReadFile(folder + "de/chart.ops").find("\"0,"), std::string::npos);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace qm
