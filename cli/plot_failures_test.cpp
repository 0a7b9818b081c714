// Failed writes of quillmap-cli plot: a missing output folder and a full disk (simulated by a
// file-size limit, under which the system also raises SIGXFSZ) must leave the earlier files as
// they were, leave no temporary file behind, say why and end with status 1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "testsupport/run_in_child.h"
#include "testsupport/test_files.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

const std::string Treatment = QUILLMAP_SOURCE_DIR "/examples/treatment.wk1";

using testing::ReadFile;
using testing::WriteFile;

std::string TempFolder() {
  return testing::TempFolder("quillmap_plot_failures_");
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs "quillmap-cli plot ARGS" (or another command) under a file-size limit of `fileLimit`
// bytes (0: none), with standard output on `standardOutput` when given.
ChildRun RunInChild(const std::vector<std::string>& args, rlim_t fileLimit,
                    const char* standardOutput = nullptr, const char* command = "plot") {
  std::vector<std::string> commandArgs = {command};
  commandArgs.insert(commandArgs.end(), args.begin(), args.end());
  return RunCliInChild(commandArgs, [&] {
    if (standardOutput != nullptr) {
      int out = open(standardOutput, O_WRONLY);
      dup2(out, 1);
      close(out);
    }
    if (fileLimit > 0) {
      struct rlimit limit;
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = fileLimit;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
  });
}

struct FailureCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the test's folder
  rlim_t fileLimit;
  std::vector<std::string> err;    // parts of the standard error
  const char* readOnly = nullptr;  // a file made read-only (mode 0444) before the run
};

TEST(PlotFailures, FailedWritesKeepEarlierFilesAndSayWhy) {
  std::string folder = TempFolder();
  const FailureCase cases[] = {
      {"picture folder missing",
       {Treatment, "-o", "@missing/chart.emf"},
       0,
       {"cannot create", "missing/chart.emf", "No such file or directory",
        "Problem creating Metafile"}},
      {"svg folder missing",
       {Treatment, "-o", "@missing/chart.svg", "--ops", "@old.ops"},
       0,
       {"cannot create", "No such file or directory", "Problem creating Metafile"}},
      {"metafile on a full disk",
       {Treatment, "-o", "@old.emf"},
       512,
       {"cannot write", "old.emf", "File too large"}},
      {"svg on a full disk",
       {Treatment, "-o", "@old.svg", "--type", "boxplot"},
       512,
       {"cannot write", "old.svg", "File too large"}},
      {"trace on a full disk",
       {Treatment, "--ops", "@old.ops", "--error-bar", "sd"},
       512,
       {"cannot write", "old.ops", "File too large"}},
      {"read-only metafile",
       {Treatment, "-o", "@old.emf"},
       0,
       {"cannot replace", "old.emf: the file is read-only", "Problem creating Metafile"},
       "old.emf"},
      {"read-only trace beside a picture",
       {Treatment, "-o", "@old.svg", "--ops", "@old.ops"},
       0,
       {"cannot replace", "old.ops: the file is read-only", "Problem creating Metafile"},
       "old.ops"},
  };
  for (const FailureCase& c : cases) {
    for (const char* name : {"old.emf", "old.svg", "old.ops"}) {
      WriteFile(folder + name, std::string("earlier ") + name);
    }
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a[0] == '@' ? folder + a.substr(1) : a);
    if (c.readOnly != nullptr) chmod((folder + c.readOnly).c_str(), 0444);
    ChildRun run = RunInChild(args, c.fileLimit);
    if (c.readOnly != nullptr) chmod((folder + c.readOnly).c_str(), 0644);
    EXPECT_TRUE(run.exited) << c.name << ": ended by signal " << run.status;
    EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
    for (const std::string& part : c.err) {
      EXPECT_NE(run.err.find(part), std::string::npos) << c.name << ": " << run.err;
    }
    for (const char* name : {"old.emf", "old.svg", "old.ops"}) {
      EXPECT_EQ(ReadFile(folder + name), std::string("earlier ") + name) << c.name << ": " << name;
    }
    // Nothing half-written left behind, no folder made.
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"old.emf", "old.ops", "old.svg"}))
        << c.name;
  }
}

// A trace for standard output that cannot be written (a full disk behind a redirection).
TEST(PlotFailures, TraceOnAFullStandardOutputIsReported) {
  std::string folder = TempFolder();
  WriteFile(folder + "old.emf", "earlier");
  ChildRun run = RunInChild({Treatment, "--ops", "-", "-o", folder + "old.emf"}, 0, "/dev/full");
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("cannot write the trace to standard output"), std::string::npos)
      << run.err;
}

// JSON for standard output that cannot be written is no success either.
TEST(PlotFailures, JsonOnAFullStandardOutputIsReported) {
  for (const char* command : {"grid", "stats"}) {
    ChildRun run = RunInChild({Treatment}, 0, "/dev/full", command);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1) << command << ": " << run.err;
    EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
  }
}

// The same commands without the limit succeed, so the failures above are the limit's.
TEST(PlotFailures, TheSameWritesSucceedWithRoom) {
  std::string folder = TempFolder();
  for (const char* name : {"old.emf", "old.svg", "old.ops"}) WriteFile(folder + name, "earlier");
  ChildRun run = RunInChild({Treatment, "-o", folder + "old.emf", "--ops", folder + "old.ops"}, 0);
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_GT(ReadFile(folder + "old.emf").size(), 512u);
  EXPECT_GT(ReadFile(folder + "old.ops").size(), 512u);
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"old.emf", "old.ops", "old.svg"}));
}

struct OutputNameCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the test's folder
  int status;
  const char* errPart;
};

// Names that lead to one file, however spelt, are refused before anything is written; a device
// without a picture name gets the metafile and says why it could not take it.
TEST(PlotFailures, OutputNamesAreTakenForWhatTheyLeadTo) {
  const std::string folder = TempFolder();
  WriteFile(folder + "same.svg", "earlier");
  fs::create_symlink("same.svg", folder + "link.svg");
  fs::create_symlink("/dev/full", folder + "full");
  fs::create_directories(folder + "sub");
  const std::string refused = "-o and --ops name the same file";
  const OutputNameCase cases[] = {
      {"one name twice", {"-o", "@same.svg", "--ops", "@same.svg"}, 2, refused.c_str()},
      {"a link and its file", {"-o", "@link.svg", "--ops", "@same.svg"}, 2, refused.c_str()},
      {"a longer way to it", {"-o", "@same.svg", "--ops", "@sub/../same.svg"}, 2, refused.c_str()},
      {"a file yet to be made", {"-o", "@new.emf", "--ops", "@sub/../new.emf"}, 2, refused.c_str()},
      {"a full device", {"-o", "@full"}, 1, "No space left on device"},
  };
  for (const OutputNameCase& c : cases) {
    std::vector<std::string> args = {Treatment};
    for (const std::string& a : c.args) args.push_back(a[0] == '@' ? folder + a.substr(1) : a);
    ChildRun run = RunInChild(args, 0);
    EXPECT_TRUE(run.exited) << c.name;
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(ReadFile(folder + "same.svg"), "earlier") << c.name;
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"full", "link.svg", "same.svg", "sub"}))
        << c.name;
    EXPECT_TRUE(fs::is_symlink(folder + "full")) << c.name;
  }
}

}  // namespace
}  // namespace qm
