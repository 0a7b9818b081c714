// The choices in QSettings: a round trip through the file, values no control can take (numbers
// beyond 32 bits among them), and a settings file that blocks (a FIFO, a lock never released).
#include "app/qt_choice_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "testsupport/choice_checks.h"

namespace qm {
namespace {

void WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

TEST(QtChoiceStore, ChoicesComeBackFromTheFile) {
  QTemporaryDir folder;
  const QString path = folder.filePath("quillmap.conf");
  const DialogChoices saved{1001, 1017, true, false, true, true, ErrorBarCancelled, true};
  {
    QtChoiceStore store(path);
    SaveChoices(saved, store);
  }
  QtChoiceStore store(path);
  testing::ExpectSameChoices(LoadChoices(store), saved);
}

// A number that does not fit in 32 bits is unusable, not wrapped round to one that does.
TEST(QtChoiceStore, NumbersOutsideThe32BitRangeAreNotRead) {
  struct Case {
    const char* stored;
    bool read;
    int32_t value;
  } cases[] = {
      {"1001", true, 1001},
      {"-1", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"4294968297", false, 0},  // 1001 + 2^32
      {"4294967297", false, 0},  // 1 + 2^32
      {"-4294967295", false, 0},
      {"99999999999999999999", false, 0},
      {"ten", false, 0},
  };
  QTemporaryDir folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    const QString path = folder.filePath("quillmap.conf");
    WriteText(path, QByteArray("[Choices]\nplotTypeButton=") + c.stored + "\n");
    QtChoiceStore store(path);
    int32_t value = 0;
    EXPECT_EQ(store.Read("plotTypeButton", value), c.read);
    EXPECT_EQ(value, c.value);
  }
  WriteText(folder.filePath("quillmap.conf"),
            "[Choices]\nplotTypeButton=4294968297\nlogFlag=4294967297\n");
  QtChoiceStore store(folder.filePath("quillmap.conf"));
  const DialogChoices loaded = LoadChoices(store);
  EXPECT_EQ(loaded.plotTypeButton, 1000);
  EXPECT_FALSE(loaded.logFlag);
}

// The program's own settings file in a folder of the test's own.
class BlockedSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("Quillmap"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
    ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("Quillmap")));
    file_ = folder_.filePath(QStringLiteral("Quillmap/Quillmap.conf")).toStdString();
  }

  QTemporaryDir folder_;
  std::string file_;
};

TEST_F(BlockedSettings, AFifoForTheFileGivesUpTheLoad) {
  ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
  DialogChoices choices = DefaultChoices();
  choices.logFlag = true;
  EXPECT_FALSE(LoadChoicesWithin(QtChoiceStoreOpener(), 200, choices));
  EXPECT_TRUE(choices.logFlag);  // left as they were
  // A writer that comes and goes lets the reader on with an empty file.
  const int writer = open(file_.c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) close(writer);
}

TEST_F(BlockedSettings, ALockNeverReleasedGivesUpTheSave) {
  const std::string lock = file_ + ".lock";
  ASSERT_EQ(mkdir(lock.c_str(), 0700), 0);
  EXPECT_FALSE(SaveChoicesWithin(QtChoiceStoreOpener(), 500, DefaultChoices()));
  rmdir(lock.c_str());  // the late save may go on now
}

}  // namespace
}  // namespace qm
