// quillmap-cli and its render module as a user meets them, through the real program: no GUI
// library is loaded unless a PNG or PDF picture is asked for; the PDF is one vector page of the
// chart's frame with its texts as text (read back with poppler's pdfinfo, pdfimages and
// pdftotext); without a usable module the program says so, names what it can write, and writes
// nothing.
#include "canvas/render_module.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testsupport/test_files.h"

namespace qm {
namespace {

const std::string Cli = QUILLMAP_CLI;
const std::string Treatment = QUILLMAP_SOURCE_DIR "/examples/treatment.wk1";
#ifdef QUILLMAP_RENDER_MODULE_FILE
const std::string ModuleFile = QUILLMAP_RENDER_MODULE_FILE;
#else
const std::string ModuleFile;
#endif

const std::string ModuleName = RenderModuleFileName;

struct ShellRun {
  int status = -1;
  std::string output;  // standard output and standard error together
};

ShellRun Shell(const std::string& command) {
  ShellRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// quillmap-cli ARGS with the render module taken from `module`.
ShellRun RunCli(const std::string& module, const std::string& args,
                const std::string& environment = "", const std::string& program = Cli) {
  return Shell(environment + " QUILLMAP_RENDER_MODULE='" + module + "' '" + program + "' " + args);
}

using testing::ReadFile;

std::string TempFolder() {
  return testing::TempFolder("quillmap_render_");
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The text with each run of spaces made one: pdfinfo aligns its values.
std::string Squeezed(std::string text) {
  text.erase(
      std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
      text.end());
  return text;
}

struct LoadCase {
  const char* args;  // "@" stands for the test's folder
  bool loadsQt;
};

TEST(RenderModule, GuiLibrariesAreLoadedOnlyForPngAndPdf) {
  if (ModuleFile.empty()) GTEST_SKIP() << "built without the render module";
  const std::string folder = TempFolder();
  const LoadCase cases[] = {
      {"grid @in.wk1", false},
      {"stats @in.wk1", false},
      {"plot @in.wk1 -o @chart.emf", false},
      {"plot @in.wk1 -o @chart.svg", false},
      {"plot @in.wk1 --ops -", false},
      {"plot @in.wk1 -o @chart.png", true},
      {"plot @in.wk1 -o @chart.pdf --ops @ops.txt", true},
  };
  std::filesystem::copy_file(Treatment, folder + "in.wk1");
  for (const LoadCase& c : cases) {
    std::string args;
    for (const char* p = c.args; *p != '\0'; p++) args += *p == '@' ? folder : std::string(1, *p);
    // The dynamic loader names every library it loads.
    const ShellRun run = RunCli(ModuleFile, args, "LD_DEBUG=files");
    EXPECT_EQ(run.status, 0) << c.args << ": " << run.output;
    EXPECT_EQ(Contains(run.output, "file=libQt6Gui"), c.loadsQt) << c.args;
  }
}

TEST(RenderModule, PdfIsOneVectorPageOfTheFrameWithItsTexts) {
  if (ModuleFile.empty()) GTEST_SKIP() << "built without the render module";
  const std::string folder = TempFolder();
  const std::string pdf = folder + "chart.pdf";
  const ShellRun run = RunCli(ModuleFile, "plot '" + Treatment + "' -o '" + pdf + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "");  // nothing from Qt on the way either

  const ShellRun info = Shell("pdfinfo '" + pdf + "'");
  ASSERT_EQ(info.status, 0) << info.output;
  const std::string fields = Squeezed(info.output);
  EXPECT_TRUE(Contains(fields, "Pages: 1\n")) << info.output;
  // 144 mm x 108 mm is 408.19 x 306.14 points; Qt's PDF pages are whole points.
  EXPECT_TRUE(Contains(fields, "Page size: 408 x 306 pts\n")) << info.output;

  const ShellRun images = Shell("pdfimages -list '" + pdf + "'");
  ASSERT_EQ(images.status, 0) << images.output;
  EXPECT_EQ(std::count(images.output.begin(), images.output.end(), '\n'), 2)
      << "no raster image, only the listing's heading:\n"
      << images.output;

  const ShellRun text = Shell("pdftotext -enc UTF-8 '" + pdf + "' -");
  ASSERT_EQ(text.status, 0) << text.output;
  for (const char* label :
       {"Control", "Dose 1", "Dose 2", "Dose 3", "Concentration (\xC2\xB5g/L)"}) {
    EXPECT_TRUE(Contains(text.output, label)) << label << " in:\n" << text.output;
  }
}

TEST(RenderModule, PngIsTheDesktopProgramsImage) {
  if (ModuleFile.empty()) GTEST_SKIP() << "built without the render module";
  const std::string png = TempFolder() + "chart.png";
  // No module named: the one beside quillmap-cli in the build tree is found.
  const ShellRun run = RunCli("", "plot '" + Treatment + "' -o '" + png + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "");
  const std::string bytes = ReadFile(png);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // The header's width and height: 1088 x 816, big-endian.
  EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x04\x40\0\0\x03\x30", 8));
}

struct MissingCase {
  const char* name;
  std::string module;
  const char* reason;  // a part of the message that says why
  std::string program = Cli;
};

TEST(RenderModule, WithoutTheModuleSaysSoAndWritesNothing) {
  const std::string folder = TempFolder();
  // A module too short to load, and a copy of the program with one beside it and a good one
  // where the installed module would be (the second place the program names when it finds none).
  const std::string shelf = testing::TempFolder("quillmap_render_shelf_");
  testing::WriteFile(shelf + "short.so", "ELF");
  std::filesystem::create_directories(shelf + "bin");
  const std::string copy = shelf + "bin/quillmap-cli";
  std::filesystem::copy_file(Cli, copy);
  const std::string looked = RunCli("", "plot '" + Treatment + "' -o x.png", "", copy).output;
  const size_t from = looked.find(", "), to = looked.find(')', from);
  ASSERT_NE(to, std::string::npos) << looked;
  const std::filesystem::path installed = looked.substr(from + 2, to - from - 2);
  std::filesystem::create_directories(installed.parent_path());
  if (!ModuleFile.empty()) std::filesystem::copy_file(ModuleFile, installed);
  testing::WriteFile(shelf + "bin/quillmap-render.so", "ELF");
  const MissingCase cases[] = {
      {"missing", folder + "none.so", "not found (looked for "},
      {"not a library", Treatment, "treatment.wk1"},
      {"too short to load", shelf + "short.so", "short.so: file too short"},
      {"broken beside the program", "", "bin/quillmap-render.so: file too short", copy},
  };
  for (const MissingCase& c : cases) {
    for (const char* name : {"chart.png", "chart.pdf"}) {
      const std::string path = folder + name;
      std::ofstream(path) << "earlier";
      const ShellRun run =
          RunCli(c.module, "plot '" + Treatment + "' -o '" + path + "'", "", c.program);
      EXPECT_EQ(run.status, 2) << c.name << ": " << run.output;
      EXPECT_TRUE(Contains(run.output, "PNG and PDF pictures need the render module"))
          << run.output;
      EXPECT_TRUE(Contains(run.output, c.reason)) << c.name << ": " << run.output;
      EXPECT_TRUE(Contains(run.output, "writes .emf and .svg pictures and the trace"))
          << run.output;
      EXPECT_EQ(ReadFile(path), "earlier") << c.name << ": " << name;
      std::filesystem::remove(path);
      EXPECT_TRUE(std::filesystem::is_empty(folder)) << c.name << ": " << name;
    }
    // The other pictures do not need it.
    const ShellRun emf =
        RunCli(c.module, "plot '" + Treatment + "' -o '" + folder + "a.emf'", "", c.program);
    EXPECT_EQ(emf.status, 0) << c.name << ": " << emf.output;
    std::filesystem::remove(folder + "a.emf");
  }
}

struct UnusableCase {
  const char* name;
  std::string module;       // QUILLMAP_RENDER_MODULE
  std::string environment;  // before the call, in the test's folder
  int status;
  const char* reason;  // a part of the message that says why
};

// What the variable names is opened only when it is a regular file, as a path from the working
// folder, never searched for; a module that loads but gives nothing to paint with says so.
TEST(RenderModule, UnusableModulesSayWhyAtOnce) {
  const std::string folder = TempFolder();
  ASSERT_EQ(mkfifo((folder + "pipe.so").c_str(), 0600), 0);
  std::filesystem::create_directories(folder + "folder.so");
  std::filesystem::create_directories(folder + "elsewhere");
  std::filesystem::copy_file(QUILLMAP_NO_MODULE_STUB, folder + "elsewhere/" + ModuleName);
  const std::string searched = "LD_LIBRARY_PATH='" + folder + "elsewhere'";
  const UnusableCase cases[] = {
      {"a named pipe", folder + "pipe.so", "", 2, "pipe.so is not a regular file"},
      {"a folder", folder + "folder.so", "", 2, "folder.so is not a regular file"},
      {"a bare name on the library path only", ModuleName, searched, 2, "not found"},
      {"an entry giving no module", QUILLMAP_NO_MODULE_STUB, "", 2,
       "QuillmapRenderModuleV1 gives no render module"},
      {"a module painting nothing", QUILLMAP_PAINTS_NOTHING_STUB, "", 1, "gives no renderer for"},
  };
  for (const UnusableCase& c : cases) {
    const std::string png = folder + "chart.png";
    // A call that blocks is ended after a while.
    const ShellRun run =
        Shell("cd '" + folder + "' && " + c.environment + " QUILLMAP_RENDER_MODULE='" + c.module +
              "' timeout 20 '" + Cli + "' plot '" + Treatment + "' -o '" + png + "'");
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.output;
    EXPECT_TRUE(Contains(run.output, c.reason)) << c.name << ": " << run.output;
    EXPECT_FALSE(std::filesystem::exists(png)) << c.name;
  }
}

TEST(RenderModule, ABareNameIsTheFileInTheWorkingFolder) {
  if (ModuleFile.empty()) GTEST_SKIP() << "built without the render module";
  const std::string folder = TempFolder();
  std::filesystem::create_directories(folder + "elsewhere");
  std::filesystem::copy_file(ModuleFile, folder + ModuleName);
  // Another file of that name on the library path is not the one meant.
  std::filesystem::copy_file(QUILLMAP_NO_MODULE_STUB, folder + "elsewhere/" + ModuleName);
  const ShellRun run = Shell("cd '" + folder + "' && LD_LIBRARY_PATH='" + folder +
                             "elsewhere' QUILLMAP_RENDER_MODULE='" + ModuleName + "' '" + Cli +
                             "' plot '" + Treatment + "' -o chart.png");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(folder + "chart.png"));
}

}  // namespace
}  // namespace qm
