// What the busy state lets through during an export besides the list commands (those, as
// the window applies it, are in the export's window test): a row may be previewed, nothing
// starts inside a preview.
#include "app/busy_state.h"

#include <gtest/gtest.h>

TEST(BusyState, APreviewBetweenExportedRowsAndNothingInsideIt) {
  BusyState busy;
  BusyState::Scope exporting(busy, Activity::Export);
  EXPECT_TRUE(busy.Admits(Input::Selection) && !busy.Admits(Input::Drop));
  {
    BusyState::Scope previewing(busy, Activity::Preview);
    EXPECT_FALSE(busy.Admits(Input::Selection) || busy.Admits(Input::Drop) ||
                 busy.Admits(Input::ListCommand));
  }
  EXPECT_TRUE(busy.Admits(Input::Selection));
}
