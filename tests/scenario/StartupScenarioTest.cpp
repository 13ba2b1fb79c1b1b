// Start-up against whichever platform the build tests (the real registry and C: drive of the
// Wine prefix under Wine): which client becomes the target, and what is written for it.

#include <gtest/gtest.h>

#include "app/ClientChooser.h"
#include "app/MainWindow.h"
#include "contract/PlatformUnderTest.h"

namespace morvane::test {
namespace {

const std::string kProfiles = "C:\\FastTrackProfiles";

class StartupScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* client : {"Software\\Kazaa", "Software\\Grokster", "Software\\Fileshare"})
            platform.clearKey(client);
        platform.clearFolder(kProfiles);
    }

    PlatformUnderTest platform;
    Services services = platform.services();
    HeadlessView& view = platform.view;
};

TEST_F(StartupScenarioTest, TheLastMarkerFoundWinsAndHiddenMarkersAreNotSeen) {
    // The markers, the one of them hidden, the target.
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{"kazaa.id", "grokster.id"}, "", "Kazaa"},
        {{"grokster.id", "kazaa.id", "fileshare.id"}, "", "Fileshare"},
        {{"fileshare.id"}, "", "Fileshare"},
        {{"GROKSTER.ID"}, "", "Grokster"},
        {{"kazaa.id", "fileshare.id"}, "fileshare.id", "Kazaa"},
    };
    for (const auto& [markers, hidden, target] : cases) {
        platform.clearFolder(kProfiles);
        for (const std::string& marker : markers)
            platform.writeFile(kProfiles + "\\" + marker, "");
        if (!hidden.empty())
            platform.setHidden(kProfiles + "\\" + hidden);
        MainWindow form(services);
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(form.applicationName.caption(), target);
        EXPECT_EQ(form.profiles.target().keys.transfer, "Software\\" + target + "\\Transfer");
    }
    EXPECT_TRUE(view.windows.modalShows.empty()) << "a marker found: no chooser";
}

TEST_F(StartupScenarioTest, NoClientInstalledShowsOneMessageAndEndsWithNothingWritten) {
    MainWindow form(services);
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(view.dialogs.messages.size(), 1u);
    EXPECT_EQ(view.dialogs.messages[0].text, "NO INSTALLED FASTTRACK APPLICATIONS");
    EXPECT_EQ(view.dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(view.windows.ended());
    EXPECT_FALSE(platform.files().directoryExists(kProfiles));
}

TEST_F(StartupScenarioTest, OnlyKazaaIsOfferedAndTheChoiceReplacesEveryOtherMarker) {
    platform.put("Software\\Kazaa\\LocalContent", "DownloadDir", sz("C:\\Downloads"));
    platform.writeFile(kProfiles + "\\fileshare.id", "");
    platform.setHidden(kProfiles + "\\fileshare.id");
    {
        MainWindow form(services);
        view.windows.onModal = [&](ui::Window& window) {
            ClientChooser& chooser = form.chooser();
            EXPECT_EQ(window.caption(), "Select Application");
            EXPECT_TRUE(chooser.button_kazaa.enabled());
            EXPECT_FALSE(chooser.button_grokster.enabled());
            chooser.button_grokster.click(); // greyed: nothing happens
            EXPECT_TRUE(window.visible());
            chooser.button_kazaa.click();
            EXPECT_FALSE(window.visible());
        };
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(view.windows.modalShows.size(), 1u);
        EXPECT_EQ(form.applicationName.caption(), "Kazaa");
        EXPECT_EQ(platform.readFile(kProfiles + "\\kazaa.id"), std::string());
        EXPECT_FALSE(platform.readFile(kProfiles + "\\fileshare.id"));
    }
    // The next start finds the marker and does not ask again.
    view.windows.onModal = nullptr;
    MainWindow again(services);
    ASSERT_TRUE(again.Form_Load());
    EXPECT_EQ(view.windows.modalShows.size(), 1u);
    EXPECT_EQ(again.profiles.target().keys.advanced, "Software\\Kazaa\\Advanced");
}

} // namespace
} // namespace morvane::test
