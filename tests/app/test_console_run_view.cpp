#include <gtest/gtest.h>

#include <sstream>

#include "app/console_run_view.h"
#include "support/fakes.h"

namespace quorrix::app {
namespace {

TEST(ConsoleRunViewTest, ProgressLineCountsDocumentsSheetsAndTime)
{
    std::ostringstream out;
    std::ostringstream err;
    test::ManualClock clock;
    engine::CancelFlag cancel { 0 };
    volatile std::sig_atomic_t interrupted = 0;
    ConsoleRunView view(out, err, clock, cancel, interrupted, true);
    view.setBarRange(engine::RunBar::List, 0, 4);
    view.setBarValue(engine::RunBar::List, 0);
    view.show();
    view.setLabel(engine::RunLabel::List, "Document 1 / 4 \n/x/a.SLDDRW");
    EXPECT_EQ(view.progressText(), "Document 1 of 4, 0:00 elapsed: /x/a.SLDDRW");

    clock.advanceTicks(10 * 10000);
    view.setBarValue(engine::RunBar::List, 1);
    view.setBarRange(engine::RunBar::Sheet, 0, 6);
    view.setBarValue(engine::RunBar::Sheet, 2);
    view.setLabel(engine::RunLabel::List, "Document 2 / 4 \n/x/b.SLDDRW");
    EXPECT_EQ(view.progressText(),
        "Document 2 of 4, sheet 2 of 3, 0:10 elapsed, about 0:30 left: /x/b.SLDDRW");
    EXPECT_NE(err.str().find('\r'), std::string::npos);

    // A message box clears the line and prints its text with plain line feeds.
    view.show("a\r\nb\r\n", "title", engine::MessageIcon::Exclamation, engine::MessageButtons::Ok);
    EXPECT_EQ(out.str(), "a\nb\n");
    EXPECT_EQ(clockText(3725), "1:02:05");
}

TEST(ConsoleRunViewTest, CtrlCBecomesTheCancelFlagAndQuietDrawsNothing)
{
    std::ostringstream out;
    std::ostringstream err;
    test::ManualClock clock;
    engine::CancelFlag cancel { 0 };
    volatile std::sig_atomic_t interrupted = 0;
    ConsoleRunView view(out, err, clock, cancel, interrupted, false);
    view.show();
    view.processEvents();
    EXPECT_EQ(cancel, 0);
    interrupted = 1;
    view.processEvents();
    EXPECT_EQ(cancel, -1);
    EXPECT_EQ(err.str(), "");
}

} // namespace
} // namespace quorrix::app
