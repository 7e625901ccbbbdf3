#pragma once

// Animations through a list of keys: each key pins a value at a point of the eased progress
// (0 … 1), and values between neighbouring keys are interpolated.

#include <optional>

#include "platform/component/Collection.h"
#include "scene/core/Animation.h"
#include "scene/core/Color.h"

class TvxKey : public TCollectionItem {
  LC_CLASS(TvxKey, TCollectionItem)

 public:
  using TCollectionItem::TCollectionItem;
  float Key() const { return key_; }
  // Clamped to [0, 1].
  void SetKey(float value);

 private:
  float key_ = 0;
};

class TvxColorKey : public TvxKey {
  LC_CLASS(TvxColorKey, TvxKey)

 public:
  using TvxKey::TvxKey;
  TvxColor Value() const { return value_; }
  void SetValue(TvxColor value) { value_ = value; }
  std::string ValueText() const;
  void SetValueText(const std::string& text);

 private:
  TvxColor value_ = 0xFFFFFFFF;
};

class TvxFloatKey : public TvxKey {
  LC_CLASS(TvxFloatKey, TvxKey)

 public:
  using TvxKey::TvxKey;
  float Value() const { return value_; }
  void SetValue(float value) { value_ = value; }

 private:
  float value_ = 0;
};

// Where the progress t lies: between keys Index and Index + 1, at Local (0 … 1) of the way.
struct TvxKeySpan {
  int Index = 0;
  float Local = 0;
};

class TvxKeys : public TCollection {
  LC_CLASS(TvxKeys, TCollection)

 public:
  using TCollection::TCollection;
  TvxKey* Key(int index) const { return static_cast<TvxKey*>(Item(index)); }
  // The first pair of neighbouring keys with k1 <= t <= k2. Nothing with fewer than two keys,
  // when no pair encloses t, or when that pair's keys are equal.
  std::optional<TvxKeySpan> FindSpan(float t) const;
};

class TvxColorKeyAnimation : public TvxAnimation {
  LC_CLASS(TvxColorKeyAnimation, TvxAnimation)

 public:
  explicit TvxColorKeyAnimation(TComponent* owner);

  void Start() override;
  void ProcessAnimation() override;

  TvxKeys* Keys() { return &keys_; }
  TvxColorKey* Key(int index) const { return static_cast<TvxColorKey*>(keys_.Item(index)); }
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxKeys keys_;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};

class TvxFloatKeyAnimation : public TvxAnimation {
  LC_CLASS(TvxFloatKeyAnimation, TvxAnimation)

 public:
  explicit TvxFloatKeyAnimation(TComponent* owner);

  void Start() override;
  void ProcessAnimation() override;

  TvxKeys* Keys() { return &keys_; }
  TvxFloatKey* Key(int index) const { return static_cast<TvxFloatKey*>(keys_.Item(index)); }
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxKeys keys_;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};
