#include "platform/TimerComponent.h"

#include "platform/Platform.h"

LC_PUBLISH(TTimer) {
  p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000);
  p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true);
  p.Event("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_(Platform().loop->CreateTimer()) {
  timer_->SetOnTimer([this] { OnTimer(this); });
  timer_->SetEnabled(true);
}
