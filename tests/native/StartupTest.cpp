// Start-up cases that need the emulation's eyes: registry calls counted, pages stacked.

#include <gtest/gtest.h>

#include "support/Harness.h"

namespace morvane::test {
namespace {

TEST(StartupTest, ChooserClosedWithoutAChoiceEndsWithoutTouchingTheClientsKeys) {
    Harness h;
    h.installKazaa();
    Form1& form = h.form();
    int callsWhileShown = 0;
    h.windows.onModal = [&](ui::Window&) { callsWhileShown = h.registry.calls(); };
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(h.windows.ended());
    EXPECT_EQ(h.registry.calls(), callsWhileShown);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(StartupTest, ChoosingGrokstersWritesItsMarkerInAFreshProfileFolder) {
    Harness h;
    h.form().chooser().SelectApplication("Grokster");
    EXPECT_TRUE(h.exists("C:\\FastTrackProfiles\\grokster.id"));
    EXPECT_EQ(h.form().REG_ADVANCED, "Software\\Grokster\\Advanced");
    EXPECT_FALSE(h.form().chooser().window.visible());
}

TEST(StartupTest, OpensOnTheGeneralPageWithTheFilterPageHidden) {
    Harness h;
    h.writeFile("C:\\FastTrackProfiles\\kazaa.id", "");
    Form1& form = h.form();
    form.frame_filter.bringToFront();
    ASSERT_TRUE(form.Form_Load());
    for (const ui::Frame* page : {&form.frame_shared, &form.frame_downloads, &form.frame_filter})
        EXPECT_GT(form.frame_general.z(), page->z()) << page->name;
    EXPECT_FALSE(form.frame_runningfilter.visible());
    EXPECT_FALSE(form.timer_filter.enabled());
}

} // namespace
} // namespace morvane::test
