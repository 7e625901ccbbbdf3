#include "platform/component/WeakRef.h"

#include <gtest/gtest.h>

#include <new>

#include "platform/component/Component.h"

namespace {

TEST(WeakRef, FollowsAComponentUntilItIsFreed) {
  TWeakRef<TComponent> empty;
  EXPECT_EQ(empty.Get(), nullptr);
  auto* target = new TComponent(nullptr);
  const TWeakRef<TComponent> ref(target);
  const TWeakRef<TComponent> copy = ref;
  EXPECT_EQ(ref.Get(), target);
  EXPECT_EQ(copy.Get(), target);
  delete target;
  EXPECT_EQ(ref.Get(), nullptr);
  EXPECT_EQ(copy.Get(), nullptr);
}

TEST(WeakRef, AStrangerAtTheSameAddressIsNotTheObject) {
  // Placement new guarantees the reuse that the allocator only makes likely.
  alignas(TComponent) unsigned char storage[sizeof(TComponent)];
  auto* first = new (storage) TComponent(nullptr);
  const TWeakRef<TComponent> ref(first);
  first->~TComponent();
  auto* stranger = new (storage) TComponent(nullptr);
  EXPECT_EQ(static_cast<void*>(stranger), static_cast<void*>(first));
  EXPECT_EQ(ref.Get(), nullptr);
  stranger->~TComponent();
}

TEST(WeakRef, OwnedComponentsExpireWithTheirOwner) {
  auto* owner = new TComponent(nullptr);
  const TWeakRef<TComponent> child(new TComponent(owner));
  EXPECT_NE(child.Get(), nullptr);
  delete owner;
  EXPECT_EQ(child.Get(), nullptr);
}

TEST(WeakRef, ATokenHeldApartServesObjectsOutsideTheComponentModel) {
  struct THolder {
    int value = 7;
    TLifeToken life;
  };
  auto holder = std::make_unique<THolder>();
  TWeakRef<THolder> ref(holder.get(), holder->life);
  EXPECT_EQ(ref->value, 7);
  holder.reset();
  // Compared here rather than printed on failure: the freed holder's address is no value.
  EXPECT_TRUE(ref.Get() == nullptr);
  ref.Reset();
  EXPECT_EQ(ref.Get(), nullptr);
}

}  // namespace
