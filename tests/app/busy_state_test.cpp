// What the busy state lets through while an export runs or a preview is made.
#include "app/busy_state.h"

#include <gtest/gtest.h>

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
    {
      // A preview between two exported rows: nothing else, and no second preview.
      BusyState::Scope previewing(busy, Activity::Preview);
      EXPECT_EQ(admits(), (std::vector<bool>{false, false, false}));
    }
    EXPECT_EQ(admits(), (std::vector<bool>{false, false, true}));
  }
  EXPECT_EQ(admits(), (std::vector<bool>{true, true, true}));
}

}  // namespace
