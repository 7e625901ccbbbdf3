#include "platform/qt/QtEventLoop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "QtTestApp_support.h"

namespace {

QCoreApplication& App() {
  return QtTestApp();
}

// Pumps events until `done` or a generous deadline, so a slow machine only takes longer.
template <class Done>
void PumpUntil(TQtEventLoop& loop, Done done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 5000) loop.ProcessMessages();
}

TEST(QtEventLoop, ATimerRepeatsAndMayDestroyItselfFromItsCallback) {
  App();
  TQtEventLoop loop;
  std::unique_ptr<ITimer> timer = loop.CreateTimer();
  int fired = 0;
  timer->SetInterval(5);
  timer->SetOnTimer([&] {
    if (++fired == 3) timer.reset();
  });
  EXPECT_FALSE(timer->Enabled());
  timer->SetEnabled(true);
  PumpUntil(loop, [&timer] { return !timer; });
  EXPECT_EQ(3, fired);
}

}  // namespace
