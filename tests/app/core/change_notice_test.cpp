// The change notices windows rely on instead of polling: every listener hears each notice once,
// listeners may come and go while a notice is delivered, and a run's lock is noticed and undone.
#include "core/change_notice.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/program.h"
#include "core/run_lock.h"
#include "testing/scripted_ui.h"

namespace tv::core {
namespace {

TEST(ChangeNotifierTest, ListenersHearNoticesWhileSubscribed) {
  ChangeNotifier notifier;
  std::vector<Change> first, second;
  auto a = notifier.Subscribe([&](Change c) { first.push_back(c); });
  {
    auto b = notifier.Subscribe([&](Change c) { second.push_back(c); });
    notifier.Notify(Change::ViewerCaption);
  }
  notifier.Notify(Change::NestList);
  a.Reset();
  notifier.Notify(Change::ProcEnabled);
  EXPECT_EQ(first, (std::vector<Change>{Change::ViewerCaption, Change::NestList}));
  EXPECT_EQ(second, (std::vector<Change>{Change::ViewerCaption}));
}

TEST(ChangeNotifierTest, ListenersMayUnsubscribeEachOtherDuringANotice) {
  ChangeNotifier notifier;
  int laterCalls = 0;
  int selfCalls = 0;
  ChangeNotifier::Subscription later;
  ChangeNotifier::Subscription self;
  // The first listener drops the second and itself: the second is not called any more, and a
  // listener that subscribes during the notice hears only the next one.
  std::vector<ChangeNotifier::Subscription> added;
  int addedCalls = 0;
  self = notifier.Subscribe([&](Change) {
    ++selfCalls;
    later.Reset();
    self.Reset();
    added.push_back(notifier.Subscribe([&](Change) { ++addedCalls; }));
  });
  later = notifier.Subscribe([&](Change) { ++laterCalls; });
  notifier.Notify(Change::LayerList);
  EXPECT_EQ(selfCalls, 1);
  EXPECT_EQ(laterCalls, 0);
  EXPECT_EQ(addedCalls, 0);
  notifier.Notify(Change::LayerList);
  EXPECT_EQ(selfCalls, 1);
  EXPECT_EQ(addedCalls, 1);
}

TEST(ChangeNotifierTest, MovedSubscriptionKeepsListening) {
  ChangeNotifier notifier;
  int calls = 0;
  ChangeNotifier::Subscription kept;
  {
    auto original = notifier.Subscribe([&](Change) { ++calls; });
    kept = std::move(original);
  }
  notifier.Notify(Change::PartSpec);
  EXPECT_EQ(calls, 1);
}

TEST(RunLockTest, LocksGridsAndTellsWindowsUntilTheRunEndsAnyWay) {
  test_support::ScriptedUi ui;
  Program program(ui);
  std::vector<bool> seen;
  auto listening = program.Changes.Subscribe([&](Change c) {
    if (c == Change::RunState) seen.push_back(program.RunInProgress);
  });
  try {
    const RunLock lock(program);
    EXPECT_TRUE(program.RunInProgress);
    for (const grid::Grid* g : {&program.PList, &program.Settings, &program.SSList, &program.MPL}) {
      EXPECT_TRUE(g->UserLocked());
    }
    throw std::runtime_error("run failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(program.RunInProgress);
  for (const grid::Grid* g : {&program.PList, &program.Settings, &program.SSList, &program.MPL}) {
    EXPECT_FALSE(g->UserLocked());
  }
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace tv::core
