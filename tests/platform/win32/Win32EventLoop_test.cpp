#include "platform/win32/Win32EventLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Takes a WM_QUIT a test left behind, so that it cannot end the next test's loops.
bool TakeLeftQuit() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class Win32EventLoop : public testing::Test {
 protected:
  ~Win32EventLoop() override { TakeLeftQuit(); }

  // Runs the loop until `done` or until `ms` have passed.
  void RunFor(
      uint32_t ms, const std::function<bool()>& done = [] { return false; }) {
    bool late = false;
    const auto stop = loop_.CreateTimer();
    stop->SetInterval(ms);
    stop->SetOnTimer([&late] { late = true; });
    stop->SetEnabled(true);
    loop_.RunUntil([&] { return late || done(); });
  }

  TWin32EventLoop loop_;
};

TEST_F(Win32EventLoop, PostedTasksRunInOrderOnTheLoopThread) {
  std::string order;
  const auto thread = std::this_thread::get_id();
  bool sameThread = true;
  for (char c : std::string("abc"))
    loop_.Post([&, c] {
      order += c;
      sameThread &= std::this_thread::get_id() == thread;
    });
  EXPECT_EQ(order, "");
  loop_.ProcessMessages();
  EXPECT_EQ(order, "abc");
  EXPECT_TRUE(sameThread);
}

TEST_F(Win32EventLoop, TaskPostedByATaskRunsAfterTheOnesBeforeIt) {
  std::string order;
  loop_.Post([&] {
    order += '1';
    loop_.Post([&] { order += '3'; });
  });
  loop_.Post([&] { order += '2'; });
  RunFor(2000, [&] { return order.size() == 3; });
  EXPECT_EQ(order, "123");
}

TEST_F(Win32EventLoop, TasksPostedFromAnotherThreadRunOnTheLoop) {
  int done = 0;
  const auto loopThread = std::this_thread::get_id();
  bool onLoopThread = true;
  std::thread poster([&] {
    for (int i = 0; i < 100; ++i)
      loop_.Post([&] {
        onLoopThread &= std::this_thread::get_id() == loopThread;
        ++done;
      });
  });
  poster.join();
  RunFor(2000, [&] { return done == 100; });
  EXPECT_EQ(done, 100);
  EXPECT_TRUE(onLoopThread);
}

// More posts than a thread's message queue holds (10000) still all run.
TEST_F(Win32EventLoop, AFloodOfPostsOutgrowsNoQueue) {
  int done = 0;
  for (int i = 0; i < 20000; ++i) loop_.Post([&] { ++done; });
  loop_.ProcessMessages();
  EXPECT_EQ(done, 20000);
}

TEST_F(Win32EventLoop, RunUntilReturnsAtOnceWhenDoneAlready) {
  int ran = 0;
  loop_.Post([&] { ++ran; });
  loop_.RunUntil([] { return true; });
  EXPECT_EQ(ran, 0);
  loop_.ProcessMessages();
  EXPECT_EQ(ran, 1);
}

TEST_F(Win32EventLoop, RunUntilEndsOnQuitAndTakesIt) {
  loop_.Post([] { PostQuitMessage(3); });
  loop_.RunUntil([] { return false; });
  EXPECT_TRUE(loop_.Quitting());
  EXPECT_EQ(loop_.ExitCode(), 3);
  EXPECT_FALSE(TakeLeftQuit());
  // Nothing can end a later loop any more: it returns at once.
  loop_.RunUntil([] { return false; });
}

TEST_F(Win32EventLoop, NestedLoopPassesTheQuitToTheLoopAroundIt) {
  bool innerEnded = false;
  loop_.Post([&] {
    PostQuitMessage(0);
    loop_.RunUntil([] { return false; });
    innerEnded = true;
  });
  loop_.RunUntil([] { return false; });
  EXPECT_TRUE(innerEnded);
  EXPECT_TRUE(loop_.Quitting());
  EXPECT_FALSE(TakeLeftQuit());  // the outermost loop took it for good
}

// A modal loop of the system (a message box, a menu) must see the quit as well.
TEST_F(Win32EventLoop, ProcessMessagesLeavesTheQuitQueued) {
  int after = 0;
  PostQuitMessage(5);
  loop_.Post([&] { ++after; });
  loop_.ProcessMessages();
  EXPECT_EQ(after, 1);  // WM_QUIT comes only once the queue is otherwise empty
  EXPECT_TRUE(loop_.Quitting());
  EXPECT_EQ(loop_.ExitCode(), 5);
  EXPECT_TRUE(TakeLeftQuit());
}

TEST_F(Win32EventLoop, TimerStartsDisabledWithOneSecond) {
  const auto timer = loop_.CreateTimer();
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
}

TEST_F(Win32EventLoop, EnabledTimerFiresRepeatedlyUntilDisabled) {
  int fired = 0;
  const auto timer = loop_.CreateTimer();
  timer->SetInterval(15);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  RunFor(3000, [&] { return fired >= 3; });
  EXPECT_GE(fired, 3);
  timer->SetEnabled(false);
  const int stopped = fired;
  RunFor(100);
  EXPECT_EQ(fired, stopped);
}

TEST_F(Win32EventLoop, IntervalZeroNeverFiresAndOneDoes) {
  int zero = 0, one = 0;
  const auto never = loop_.CreateTimer();
  never->SetInterval(0);
  never->SetOnTimer([&] { ++zero; });
  never->SetEnabled(true);
  const auto soon = loop_.CreateTimer();
  soon->SetInterval(1);
  soon->SetOnTimer([&] { ++one; });
  soon->SetEnabled(true);
  RunFor(200);
  EXPECT_EQ(zero, 0);
  EXPECT_GT(one, 0);
}

TEST_F(Win32EventLoop, ShorterIntervalOfARunningTimerTakesEffect) {
  int fired = 0;
  const auto timer = loop_.CreateTimer();
  timer->SetInterval(60000);
  timer->SetOnTimer([&] { ++fired; });
  timer->SetEnabled(true);
  timer->SetInterval(10);
  RunFor(2000, [&] { return fired > 0; });
  EXPECT_GT(fired, 0);
}

TEST_F(Win32EventLoop, TimerDisabledInItsHandlerFiresOnce) {
  int fired = 0;
  const auto timer = loop_.CreateTimer();
  timer->SetInterval(10);
  timer->SetOnTimer([&] {
    ++fired;
    timer->SetEnabled(false);
  });
  timer->SetEnabled(true);
  RunFor(200);
  EXPECT_EQ(fired, 1);
}

TEST_F(Win32EventLoop, TimerFreedInItsHandlerFiresNoMore) {
  int fired = 0;
  std::unique_ptr<ITimer> timer = loop_.CreateTimer();
  timer->SetInterval(10);
  timer->SetOnTimer([&] {
    ++fired;
    timer.reset();
  });
  timer->SetEnabled(true);
  RunFor(200);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(timer, nullptr);
}

TEST_F(Win32EventLoop, TimersFreeAnotherTimerSafely) {
  int victimFired = 0;
  std::unique_ptr<ITimer> victim = loop_.CreateTimer();
  victim->SetInterval(10);
  victim->SetOnTimer([&] { ++victimFired; });
  const auto killer = loop_.CreateTimer();
  killer->SetInterval(10);
  killer->SetOnTimer([&] { victim.reset(); });
  killer->SetEnabled(true);
  victim->SetEnabled(true);
  RunFor(200);
  EXPECT_EQ(victim, nullptr);
  EXPECT_LE(victimFired, 1);
}

TEST(Win32EventLoopLife, TimerMayOutliveItsLoop) {
  auto loop = std::make_unique<TWin32EventLoop>();
  const auto timer = loop->CreateTimer();
  timer->SetInterval(10);
  timer->SetEnabled(true);
  loop.reset();
  timer->SetInterval(20);
  timer->SetEnabled(false);
  EXPECT_EQ(timer->Interval(), 20u);
}

}  // namespace
