// What the busy state lets through during an export besides the list commands (those, as
// the window applies it, are in the export's window test): a row may be previewed, nothing
// starts inside a preview or while a converter runs (the window is handled meanwhile).
#include "app/busy_state.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

using namespace app;

TEST(BusyState, APreviewBetweenExportedRowsAndNothingInsideItOrAConversion) {
  BusyState busy;
  BusyState::Scope exporting(busy, Activity::Export);
  EXPECT_TRUE(busy.Admits(Input::Selection) && !busy.Admits(Input::Drop));
  const auto admitsNothing = [&busy] {
    return !busy.Admits(Input::Selection) && !busy.Admits(Input::Drop) && !busy.Admits(Input::ListCommand);
  };
  testing_support::FakeConverter fake;
  bool nothingWhileConverting = false;
  fake.onRun = [&] { nothingWhileConverting = admitsNothing(); };
  BusyConverter(fake, busy).Run("a.dds");
  EXPECT_TRUE(nothingWhileConverting);
  {
    BusyState::Scope previewing(busy, Activity::Preview);
    EXPECT_TRUE(admitsNothing());
  }
  EXPECT_TRUE(busy.Admits(Input::Selection));
}
