#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Signal.h"

namespace {

struct Owner {
    platform::Signal<int> changed;
};

TEST(Signal, HandlersRunInSubscriptionOrderUntilTheirSubscriptionEnds) {
    Owner owner;
    std::vector<std::string> calls;
    platform::Subscription first = owner.changed.Connect([&](int v) { calls.push_back("first " + std::to_string(v)); });
    platform::Subscription second = owner.changed.Connect([&](int v) { calls.push_back("second " + std::to_string(v)); });
    owner.changed.Emit(1);
    first.Reset();
    owner.changed.Emit(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"first 1", "second 1", "second 2"}));
}

TEST(Signal, AHandlerMayEndALaterSubscription) {
    Owner owner;
    std::vector<std::string> calls;
    platform::Subscription later;
    platform::Subscription first = owner.changed.Connect([&](int) {
        calls.push_back("first");
        later.Reset();
    });
    later = owner.changed.Connect([&](int) { calls.push_back("later"); });
    owner.changed.Emit(0);
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
}

TEST(Signal, AHandlerThatEndsTheOwnerStopsTheRestAndLeavesNothingDangling) {
    auto owner = std::make_unique<Owner>();
    std::vector<std::string> calls;
    platform::Subscription ending = owner->changed.Connect([&](int) {
        calls.push_back("ending");
        owner.reset();
    });
    platform::Subscription after = owner->changed.Connect([&](int) { calls.push_back("after"); });
    owner->changed.Emit(0);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"ending"}));
    // Ending a subscription whose signal is gone does nothing.
    after.Reset();
    EXPECT_FALSE(after.Connected());
}

}  // namespace
