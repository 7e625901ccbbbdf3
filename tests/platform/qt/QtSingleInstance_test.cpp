#include "platform/qt/QtSingleInstance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "QtTestApp_support.h"

namespace {

class QtSingleInstance : public testing::Test {
 protected:
  QtSingleInstance() {
    QtTestApp();
    folder_ = std::filesystem::temp_directory_path() / ("lc-instance-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
  }
  ~QtSingleInstance() override { std::filesystem::remove_all(folder_); }

  static void PumpUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000) QCoreApplication::processEvents();
  }

  std::filesystem::path folder_;
};

TEST_F(QtSingleInstance, ALaterClaimIsRefusedAndBringsTheFirstForward) {
  int activations = 0;
  auto first = std::make_unique<TQtSingleInstance>();
  ASSERT_TRUE(first->Claim("翎川定时关机", [&] { ++activations; }));
  TQtSingleInstance second;
  EXPECT_FALSE(second.Claim("翎川定时关机", [] {}));
  PumpUntil([&] { return activations == 1; });
  EXPECT_EQ(activations, 1);

  TQtSingleInstance other;
  EXPECT_TRUE(other.Claim("another", [] {}));

  // When the first instance is gone, its name is free again.
  first.reset();
  TQtSingleInstance third;
  EXPECT_TRUE(third.Claim("翎川定时关机", [] {}));
}

TEST_F(QtSingleInstance, TheSocketACrashedInstanceLeftIsReplaced) {
  // "stale" in hex; a crash leaves the socket file behind but releases the lock.
  const auto stale = folder_ / ("lingchuan-7374616c65-" + std::to_string(getuid()) + ".socket");
  std::FILE* leftover = std::fopen(stale.c_str(), "w");
  ASSERT_NE(leftover, nullptr);
  std::fclose(leftover);

  int activations = 0;
  TQtSingleInstance first;
  ASSERT_TRUE(first.Claim("stale", [&] { ++activations; }));
  TQtSingleInstance later;
  EXPECT_FALSE(later.Claim("stale", [] {}));
  PumpUntil([&] { return activations == 1; });
  EXPECT_EQ(activations, 1);
}

// Without a runtime folder the name lives in a folder of the user's own under the temporary
// folder, which another local user may have tried to take first.
class QtSingleInstanceWithoutRuntime : public QtSingleInstance {
 protected:
  QtSingleInstanceWithoutRuntime() : own_(folder_ / ("lingchuan-" + std::to_string(getuid()))) {
    if (const char* temp = std::getenv("TMPDIR")) oldTemp_ = temp;
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", folder_.c_str(), 1);
  }
  ~QtSingleInstanceWithoutRuntime() override {
    if (oldTemp_.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", oldTemp_.c_str(), 1);
  }

  std::filesystem::path LockFile(const std::string& hexName) const {
    return own_ / ("lingchuan-" + hexName + "-" + std::to_string(getuid()) + ".lock");
  }

  // Claims "a" (hex 61) and returns the refusal's message, empty when none.
  static std::string Refusal() {
    try {
      TQtSingleInstance instance;
      instance.Claim("a", [] {});
    } catch (const ESingleInstance& refused) {
      return refused.what();
    }
    return {};
  }

  static mode_t Mode(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0);
    return info.st_mode & 0777;
  }

  std::filesystem::path own_;
  std::string oldTemp_;
};

TEST_F(QtSingleInstanceWithoutRuntime, MakesAPrivateFolderOfTheUsersOwn) {
  TQtSingleInstance first;
  ASSERT_TRUE(first.Claim("a", [] {}));
  EXPECT_TRUE(std::filesystem::is_directory(own_));
  EXPECT_EQ(Mode(own_), 0700u);
  EXPECT_TRUE(std::filesystem::exists(LockFile("61")));
  TQtSingleInstance second;
  EXPECT_FALSE(second.Claim("a", [] {}));
}

TEST_F(QtSingleInstanceWithoutRuntime, AnOpenFolderOfOursIsMadePrivate) {
  std::filesystem::create_directory(own_);
  chmod(own_.c_str(), 0777);
  TQtSingleInstance first;
  EXPECT_TRUE(first.Claim("a", [] {}));
  EXPECT_EQ(Mode(own_), 0700u);
}

TEST_F(QtSingleInstanceWithoutRuntime, RefusesAFolderThatIsALink) {
  const auto elsewhere = folder_ / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::create_directory_symlink(elsewhere, own_);
  EXPECT_EQ(Refusal(),
            own_.string() + " is not a private folder of this user; remove it and start again");
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
}

TEST_F(QtSingleInstanceWithoutRuntime, RefusesALockFileThatIsALink) {
  std::filesystem::create_directory(own_, folder_);
  chmod(own_.c_str(), 0700);
  const auto target = folder_ / "target";
  std::filesystem::create_symlink(target, LockFile("61"));
  EXPECT_EQ(Refusal(),
            LockFile("61").string() + " is not a file of this user; remove it and start again");
  EXPECT_FALSE(std::filesystem::exists(target));
}

// Another user's folder or lock file can only be made by the superuser.
TEST_F(QtSingleInstanceWithoutRuntime, RefusesAFolderOrLockFileOfAnotherUser) {
  if (getuid() != 0) GTEST_SKIP() << "needs the superuser to make another user's files";
  constexpr uid_t kNobody = 65534;
  std::filesystem::create_directory(own_);
  ASSERT_EQ(chown(own_.c_str(), kNobody, kNobody), 0);
  EXPECT_EQ(Refusal(),
            own_.string() + " is not a private folder of this user; remove it and start again");

  ASSERT_EQ(chown(own_.c_str(), 0, 0), 0);
  std::ofstream(LockFile("61")).put('x');
  ASSERT_EQ(chown(LockFile("61").c_str(), kNobody, kNobody), 0);
  EXPECT_EQ(Refusal(),
            LockFile("61").string() + " is not a file of this user; remove it and start again");
}

// In the runtime folder too, the lock file is never followed through a link.
TEST_F(QtSingleInstance, RefusesALockFileThatIsALinkInTheRuntimeFolder) {
  const auto lock = folder_ / ("lingchuan-61-" + std::to_string(getuid()) + ".lock");
  std::filesystem::create_symlink(folder_ / "target", lock);
  TQtSingleInstance instance;
  EXPECT_THROW(instance.Claim("a", [] {}), ESingleInstance);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "target"));
}

}  // namespace
