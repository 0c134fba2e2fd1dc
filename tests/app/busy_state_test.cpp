// What the busy state lets through while an export runs, a preview is made or a converter runs.
#include "app/busy_state.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace {

TEST(BusyState, WhatEachActivityAdmits) {
  BusyState busy;
  const auto admits = [&busy] {
    return std::vector<bool>{busy.Admits(Input::ListCommand), busy.Admits(Input::Drop),
                             busy.Admits(Input::Selection)};
  };
  EXPECT_EQ(admits(), (std::vector<bool>{true, true, true}));
  {
    BusyState::Scope exporting(busy, Activity::Export);
    EXPECT_EQ(admits(), (std::vector<bool>{false, false, true}));
    // While a converter runs (the window handled meanwhile) nothing, not even a preview; a
    // preview between two exported rows admits nothing either, a second preview included.
    testing_support::FakeConverter fake;
    std::vector<bool> converting;
    fake.onRun = [&] { converting = admits(); };
    BusyConverter(fake, busy).Run("a.dds");
    EXPECT_EQ(admits(), (std::vector<bool>{false, false, true}));
    BusyState::Scope previewing(busy, Activity::Preview);
    EXPECT_EQ(converting, admits());
    EXPECT_EQ(admits(), (std::vector<bool>{false, false, false}));
  }
  EXPECT_EQ(admits(), (std::vector<bool>{true, true, true}));
}

}  // namespace
