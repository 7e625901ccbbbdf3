#include "platform/headless/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TDateTime kStart = EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0);

class VirtualClockTest : public testing::Test {
 protected:
  std::unique_ptr<ITimer> Timer(const std::string& name, uint32_t interval) {
    auto timer = clock.CreateTimer();
    timer->SetInterval(interval);
    timer->SetOnTimer([this, name] { Fired(name); });
    timer->SetEnabled(true);
    return timer;
  }

  void Fired(const std::string& name) {
    log.push_back(name + "@" + std::to_string(clock.TickCount() - 1000));
  }

  TVirtualClock clock{kStart, 1000};
  std::vector<std::string> log;
};

TEST_F(VirtualClockTest, FiresEachTimerAtItsOwnDueTimesInOrder) {
  auto a = Timer("a", 300);
  auto b = Timer("b", 500);
  auto never = Timer("never", 0);  // an interval of 0 does not fire
  clock.Advance(1000);
  EXPECT_EQ((std::vector<std::string>{"a@300", "b@500", "a@600", "a@900", "b@1000"}), log);
  EXPECT_EQ(kStart + 1000 * OneMillisecond, clock.Now());
}

TEST_F(VirtualClockTest, TimersDueTogetherFireInTheOrderTheyWereStarted) {
  auto second = clock.CreateTimer();
  auto first = Timer("first", 100);
  second->SetInterval(100);
  second->SetOnTimer([this] { Fired("second"); });
  second->SetEnabled(true);
  clock.Advance(200);
  EXPECT_EQ((std::vector<std::string>{"first@100", "second@100", "first@200", "second@200"}), log);
}

TEST_F(VirtualClockTest, CallbacksMayDisableDestroyAndCreateTimers) {
  auto victim = Timer("victim", 100);
  std::unique_ptr<ITimer> self, created;
  self = clock.CreateTimer();
  self->SetInterval(100);
  self->SetOnTimer([&] {
    Fired("self");
    victim->SetEnabled(false);
    created = Timer("created", 50);
    self.reset();
  });
  self->SetEnabled(true);
  victim->SetInterval(100);  // unchanged: stays due after `self`
  clock.Advance(300);
  EXPECT_EQ((std::vector<std::string>{"victim@100", "self@100", "created@150", "created@200",
                                      "created@250", "created@300"}),
            log);
}

TEST_F(VirtualClockTest, EnablingStartsAFullPeriodAndAnIntervalChangeRestartsIt) {
  auto timer = Timer("t", 100);
  clock.Advance(60);
  timer->SetEnabled(true);  // already on: no restart
  timer->SetInterval(100);  // same value: no restart
  clock.Advance(40);
  timer->SetInterval(50);  // restarts at 100
  clock.Advance(60);
  timer->SetEnabled(false);
  clock.Advance(100);
  timer->SetEnabled(true);  // restarts at 260
  clock.Advance(50);
  EXPECT_EQ((std::vector<std::string>{"t@100", "t@150", "t@310"}), log);
}

TEST_F(VirtualClockTest, RunsPostedTasksWhatIsPendingAtATime) {
  int runs = 0;
  std::function<void()> again = [&] {
    ++runs;
    clock.Post(again);
  };
  clock.Post(again);
  clock.ProcessMessages();
  EXPECT_EQ(1, runs);
  auto timer = Timer("t", 100);
  clock.Advance(200);  // before, after each of two firings, at the end
  EXPECT_EQ(5, runs);
}

TEST_F(VirtualClockTest, TheTickCountWrapsAndTheWallClockCanJump) {
  TVirtualClock wrapping(kStart, 0xFFFFFF00u);
  wrapping.Advance(0x200);
  EXPECT_EQ(0x100u, wrapping.TickCount());

  auto timer = Timer("t", 100);
  clock.SetNow(kStart - 1);
  clock.Advance(100);
  EXPECT_EQ((std::vector<std::string>{"t@100"}), log);
  EXPECT_EQ(0, CompareDateTime(kStart - 1 + 100 * OneMillisecond, clock.Now()));
}

TEST(VirtualClock, ATimerMayOutliveItsClock) {
  std::unique_ptr<ITimer> timer;
  {
    TVirtualClock clock(kStart);
    timer = clock.CreateTimer();
  }
  timer->SetEnabled(true);
  timer->SetInterval(5);
  EXPECT_TRUE(timer->Enabled());
}

}  // namespace
