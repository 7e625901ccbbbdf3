#include "platform/qt/QtSingleInstance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>

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

}  // namespace
