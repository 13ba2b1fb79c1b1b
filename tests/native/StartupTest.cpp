// Start-up and the chooser: which client becomes the target, and what is written for it.

#include <gtest/gtest.h>

#include "support/Harness.h"

namespace morvane::test {
namespace {

class StartupTest : public ::testing::Test {
protected:
    Harness h;
    void marker(const char* name) {
        h.writeFile(std::string("C:\\FastTrackProfiles\\") + name, "");
    }
};

TEST_F(StartupTest, LastMarkerFoundWinsAndTheChooserIsSkipped) {
    struct Case {
        std::vector<const char*> markers;
        const char* target;
        const char* transferKey;
    };
    const Case cases[] = {
        {{"kazaa.id"}, "Kazaa", "Software\\Kazaa\\Transfer"},
        {{"kazaa.id", "grokster.id"}, "Kazaa", "Software\\Kazaa\\Transfer"},
        {{"grokster.id", "kazaa.id", "fileshare.id"}, "Fileshare", "Software\\Fileshare\\Transfer"},
        {{"fileshare.id"}, "Fileshare", "Software\\Fileshare\\Transfer"},
        {{"GROKSTER.ID"}, "Grokster", "Software\\Grokster\\Transfer"},
    };
    for (const Case& c : cases) {
        Harness fresh;
        for (const char* m : c.markers)
            fresh.writeFile(std::string("C:\\FastTrackProfiles\\") + m, "");
        Form1& form = fresh.form();
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(form.lab_application.caption(), c.target);
        EXPECT_EQ(form.REG_TRANSFER, c.transferKey);
        EXPECT_TRUE(fresh.windows.modalShows.empty()) << c.target;
    }
}

TEST_F(StartupTest, AllFourKeyPathsComeFromTheTargetsRow) {
    marker("grokster.id");
    Form1& form = h.form();
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.REG_LOCALCONTENT, "Software\\Grokster\\LocalContent");
    EXPECT_EQ(form.REG_USERDETAILS, "Software\\Grokster\\UserDetails");
    EXPECT_EQ(form.REG_TRANSFER, "Software\\Grokster\\Transfer");
    EXPECT_EQ(form.REG_ADVANCED, "Software\\Grokster\\Advanced");
}

TEST_F(StartupTest, HiddenMarkerDoesNotCount) {
    marker("fileshare.id");
    h.files->setHidden("C:\\FastTrackProfiles\\fileshare.id");
    marker("kazaa.id");
    Form1& form = h.form();
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.lab_application.caption(), "Kazaa");
}

TEST_F(StartupTest, NoClientInstalledShowsOneStopMessageAndEndsWithNothingWritten) {
    Form1& form = h.form();
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, "NO INSTALLED FASTTRACK APPLICATIONS");
    EXPECT_EQ(h.dialogs.messages[0].caption, "Morvane");
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(h.windows.ended());
    EXPECT_TRUE(h.windows.modalShows.empty());
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
    EXPECT_EQ(form.lab_application.caption(), "Not Set");
}

TEST_F(StartupTest, ChooserOffersOnlyInstalledClientsAndWritesTheChoice) {
    h.installKazaa();
    Form1& form = h.form();
    bool kazaaOffered = false, grokOffered = true;
    h.windows.onModal = [&](ui::Window& window) {
        EXPECT_EQ(window.caption(), "Select Application");
        Form3& chooser = form.chooser();
        kazaaOffered = chooser.button_kazaa.enabled();
        grokOffered = chooser.button_grokster.enabled();
        chooser.button_grokster.click(); // greyed: does nothing
        EXPECT_TRUE(window.visible());
        chooser.button_kazaa.click();
        EXPECT_FALSE(window.visible());
    };
    ASSERT_TRUE(form.Form_Load());
    EXPECT_TRUE(kazaaOffered);
    EXPECT_FALSE(grokOffered);
    EXPECT_EQ(form.lab_application.caption(), "Kazaa");
    EXPECT_EQ(form.REG_USERDETAILS, "Software\\Kazaa\\UserDetails");
    EXPECT_TRUE(h.exists("C:\\FastTrackProfiles\\kazaa.id"));
    EXPECT_EQ(h.readFile("C:\\FastTrackProfiles\\kazaa.id"), "");

    // The next start finds the marker and does not ask again.
    Form1 second(h.services);
    h.windows.modalShows.clear();
    ASSERT_TRUE(second.Form_Load());
    EXPECT_TRUE(h.windows.modalShows.empty());
    EXPECT_EQ(second.lab_application.caption(), "Kazaa");
}

TEST_F(StartupTest, ChoosingReplacesEveryOtherMarker) {
    h.setText("Software\\Grokster\\LocalContent", "DownloadDir", "C:\\");
    Form1& form = h.form();
    marker("kazaa.id");
    marker("fileshare.id");
    form.chooser().SelectApplication("Grokster");
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles\\kazaa.id"));
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles\\fileshare.id"));
    EXPECT_TRUE(h.exists("C:\\FastTrackProfiles\\grokster.id"));
    EXPECT_EQ(form.REG_ADVANCED, "Software\\Grokster\\Advanced");
}

TEST_F(StartupTest, ChooserClosedWithoutChoiceEndsWithoutTouchingTheClientsKeys) {
    h.installKazaa();
    Form1& form = h.form();
    int callsBefore = 0;
    h.windows.onModal = [&](ui::Window&) { callsBefore = h.registry.calls(); };
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(h.windows.ended());
    EXPECT_EQ(h.registry.calls(), callsBefore);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(StartupTest, OpensOnTheGeneralPage) {
    marker("kazaa.id");
    Form1& form = h.form();
    form.frame_filter.bringToFront();
    ASSERT_TRUE(form.Form_Load());
    for (const ui::Frame* page : {&form.frame_shared, &form.frame_downloads, &form.frame_filter})
        EXPECT_GT(form.frame_general.z(), page->z());
    EXPECT_FALSE(form.frame_runningfilter.visible());
    EXPECT_FALSE(form.timer_filter.enabled());
}

} // namespace
} // namespace morvane::test
