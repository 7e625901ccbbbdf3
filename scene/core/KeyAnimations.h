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

// What key animations share: the keys, the animated property and the start from its
// current value. Not registered, so each animation's class chain goes straight to
// TvxAnimation.
class TvxKeyAnimation : public TvxAnimation {
 public:
  void Start() override;
  void ProcessAnimation() override;

  TvxKeys* Keys() { return &keys_; }
  // When set, Start first takes the property's current value into the first key.
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 protected:
  TvxKeyAnimation(TComponent* owner, TCollection::ItemFactory factory);
  // Stores the property's value, where it can be read, into the first key.
  virtual void TakeCurrent(const TvxPropertyPath& path) = 0;
  // Writes the value at `span` between two keys.
  virtual void WriteBetween(const TvxPropertyPath& path, const TvxKeySpan& span) = 0;

  TvxKeys keys_;

 private:
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};

class TvxColorKeyAnimation : public TvxKeyAnimation {
  LC_CLASS(TvxColorKeyAnimation, TvxKeyAnimation)

 public:
  explicit TvxColorKeyAnimation(TComponent* owner);

  TvxColorKey* Key(int index) const { return static_cast<TvxColorKey*>(keys_.Item(index)); }

 protected:
  void TakeCurrent(const TvxPropertyPath& path) override;
  void WriteBetween(const TvxPropertyPath& path, const TvxKeySpan& span) override;
};

class TvxFloatKeyAnimation : public TvxKeyAnimation {
  LC_CLASS(TvxFloatKeyAnimation, TvxKeyAnimation)

 public:
  explicit TvxFloatKeyAnimation(TComponent* owner);

  TvxFloatKey* Key(int index) const { return static_cast<TvxFloatKey*>(keys_.Item(index)); }

 protected:
  void TakeCurrent(const TvxPropertyPath& path) override;
  void WriteBetween(const TvxPropertyPath& path, const TvxKeySpan& span) override;
};
