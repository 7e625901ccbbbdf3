#include "platform/headless/HeadlessNotifyArea.h"

class THeadlessNotifyArea::TChannel : public INotifyChannel {
 public:
  TChannel(THeadlessNotifyArea& area, int number, TNotifyCallbacks callbacks)
      : area_(&area),
        number_(number),
        callbacks_(std::move(callbacks)),
        balloons_(area.balloonsSupported_) {
    area.channels_[number] = this;
  }
  ~TChannel() override {
    if (area_) area_->channels_.erase(number_);
  }

  bool Add(const TNotifyIconData& data) override {
    if (!area_) return false;
    area_->requests_.push_back({TRequestKind::Add, number_, data, {}});
    // As on the Windows shell, an icon that is already there cannot be added again.
    if (area_->addFails_ || area_->shown_.contains(number_)) return false;
    area_->shown_[number_] = data;
    return true;
  }
  void Modify(const TNotifyIconData& data) override {
    if (!area_) return;
    area_->requests_.push_back({TRequestKind::Modify, number_, data, {}});
    if (auto it = area_->shown_.find(number_); it != area_->shown_.end()) it->second = data;
  }
  void Delete() override {
    if (!area_) return;
    area_->requests_.push_back({TRequestKind::Delete, number_, {}, {}});
    area_->shown_.erase(number_);
  }
  void ShowBalloon(const TBalloonData& balloon) override {
    if (!area_) return;
    area_->requests_.push_back({TRequestKind::Balloon, number_, {}, balloon});
    if (auto it = area_->shown_.find(number_); it != area_->shown_.end())
      it->second.images = balloon.images;
  }
  bool BalloonsSupported() const override { return balloons_; }

  const TNotifyCallbacks& Callbacks() const { return callbacks_; }
  void Detach() { area_ = nullptr; }

 private:
  THeadlessNotifyArea* area_;
  int number_;
  TNotifyCallbacks callbacks_;
  bool balloons_;
};

THeadlessNotifyArea::~THeadlessNotifyArea() {
  for (auto& [number, channel] : channels_) channel->Detach();
}

std::unique_ptr<INotifyChannel> THeadlessNotifyArea::CreateChannel(TNotifyCallbacks callbacks) {
  return std::make_unique<TChannel>(*this, created_++, std::move(callbacks));
}

const TNotifyIconData* THeadlessNotifyArea::Shown(int channel) const {
  auto it = shown_.find(channel);
  return it != shown_.end() ? &it->second : nullptr;
}

void THeadlessNotifyArea::SendMouse(const TNotifyMouse& mouse, int channel) {
  auto it = channels_.find(channel);
  if (it == channels_.end() || !it->second->Callbacks().mouse) return;
  // A copy, because the callback may destroy the channel.
  const auto callback = it->second->Callbacks().mouse;
  callback(mouse);
}

void THeadlessNotifyArea::RestartTaskbar() {
  shown_.clear();
  std::vector<int> numbers;
  for (const auto& [number, channel] : channels_) numbers.push_back(number);
  for (int number : numbers) {
    auto it = channels_.find(number);
    if (it == channels_.end() || !it->second->Callbacks().taskbarCreated) continue;
    const auto callback = it->second->Callbacks().taskbarCreated;
    callback();
  }
}
