// Ownership, removal notifications and the loading protocol of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/component.h"

namespace klarvik {

namespace {

using Log = std::vector<std::string>;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, Log& log, std::string label) : TComponent(owner), log_(log), label_(std::move(label)) {}
  ~Probe() override { log_.push_back("free " + label_); }

  void Loaded() override {
    TComponent::Loaded();
    log_.push_back("loaded " + label_);
  }

  // Cleared when the watched component goes away.
  TComponent* watched = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == watched) watched = nullptr;
  }

 private:
  Log& log_;
  std::string label_;
};

TEST(Component, OwnerFreesOwnedComponentsLastCreatedFirst) {
  Log log;
  auto* owner = new Probe(nullptr, log, "owner");
  new Probe(owner, log, "a");
  auto* b = new Probe(owner, log, "b");
  new Probe(owner, log, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(b->Owner(), owner);

  Free(b);  // freed on its own, it leaves the owner's list
  ASSERT_EQ(owner->ComponentCount(), 2);
  log.clear();

  Free(owner);
  EXPECT_EQ(log, (Log{"free owner", "free c", "free a"}));
}

TEST(Component, FreeNotificationsReachPartnersAndSiblings) {
  struct Case {
    const char* name;
    bool sameOwner;          // siblings hear of each other's removal through the owner
    bool linked;             // FreeNotification between the two
    bool unlinkedAgain;      // RemoveFreeNotification before the free
    bool expectNotified;
  };
  const Case cases[] = {
      {"sibling", true, false, false, true},
      {"partner under another owner", false, true, false, true},
      {"partner link removed", false, true, true, false},
      {"unrelated", false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    Probe ownerA(nullptr, log, "ownerA");
    Probe ownerB(nullptr, log, "ownerB");
    auto* watcher = new Probe(&ownerA, log, "watcher");
    auto* watched = new Probe(c.sameOwner ? &ownerA : &ownerB, log, "watched");
    watcher->watched = watched;
    if (c.linked) watched->FreeNotification(watcher);
    if (c.unlinkedAgain) watched->RemoveFreeNotification(watcher);

    Free(watched);
    EXPECT_EQ(watcher->watched == nullptr, c.expectNotified);
  }
}

TEST(Component, EndLoadingCallsLoadedInCreationOrderThenOnTheOwner) {
  Log log;
  Probe owner(nullptr, log, "owner");
  owner.BeginLoading();
  auto* a = new Probe(&owner, log, "a");
  auto* nested = new Probe(a, log, "nested");
  auto* b = new Probe(&owner, log, "b");
  ASSERT_TRUE(a->IsLoading());
  ASSERT_TRUE(nested->IsLoading());

  owner.EndLoading();

  EXPECT_EQ(log, (Log{"loaded nested", "loaded a", "loaded b", "loaded owner"}));
  for (const TComponent* component : {static_cast<TComponent*>(&owner), static_cast<TComponent*>(a),
                                      static_cast<TComponent*>(nested), static_cast<TComponent*>(b)}) {
    EXPECT_FALSE(component->IsLoading());
  }
  // Created after loading: never in csLoading, never told Loaded.
  auto* late = new Probe(&owner, log, "late");
  EXPECT_FALSE(late->IsLoading());
  EXPECT_EQ(log.size(), 4u);
}

}  // namespace

}  // namespace klarvik
