// Start-up against whichever platform the build tests (the real registry and C: drive of the
// Wine prefix under Wine): which client becomes the target, and what is written for it.

#include <gtest/gtest.h>

#include "app/Form1.h"
#include "app/Form3.h"
#include "contract/PlatformUnderTest.h"
#include "platform/emulated/Headless.h"

namespace morvane::test {
namespace {

class StartupScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* client : {"Software\\Kazaa", "Software\\Grokster", "Software\\Fileshare"})
            platform.clearKey(client);
        platform.clearFolder("C:\\FastTrackProfiles");
    }

    void installKazaa() {
        RegKey key = 0;
        ASSERT_EQ(
            platform.registry().createKey(kHkeyCurrentUser, "Software\\Kazaa\\LocalContent", key),
            kErrorSuccess);
        platform.registry().closeKey(key);
    }

    PlatformUnderTest platform;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;
    Services services{platform.registry(), platform.files(), shell, dialogs, clock, windows};
};

TEST_F(StartupScenarioTest, NoClientInstalledShowsOneMessageAndEndsWithNothingWritten) {
    Form1 form(services);
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "NO INSTALLED FASTTRACK APPLICATIONS");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(windows.ended());
    EXPECT_TRUE(windows.modalShows.empty()) << "the chooser is never shown";
    EXPECT_FALSE(form.window.visible());
    EXPECT_FALSE(platform.files().directoryExists("C:\\FastTrackProfiles"));
    RegKey key = 0;
    EXPECT_NE(platform.registry().openKey(kHkeyCurrentUser, "Software\\Kazaa", key), kErrorSuccess);
}

TEST_F(StartupScenarioTest, OnlyKazaaInstalledIsOfferedAloneAndTheChoiceIsRemembered) {
    installKazaa();
    {
        Form1 form(services);
        bool kazaa = false, grokster = true;
        windows.onModal = [&](ui::Window&) {
            kazaa = form.chooser().button_kazaa.enabled();
            grokster = form.chooser().button_grokster.enabled();
            form.chooser().button_kazaa.click();
        };
        ASSERT_TRUE(form.Form_Load());
        EXPECT_TRUE(kazaa);
        EXPECT_FALSE(grokster);
        EXPECT_EQ(form.lab_application.caption(), "Kazaa");
        EXPECT_EQ(platform.readFile("C:\\FastTrackProfiles\\kazaa.id"), std::string());
    }
    windows.modalShows.clear();
    windows.onModal = nullptr;
    Form1 again(services);
    ASSERT_TRUE(again.Form_Load());
    EXPECT_TRUE(windows.modalShows.empty()) << "kazaa.id present: no chooser";
    EXPECT_EQ(again.REG_LOCALCONTENT, "Software\\Kazaa\\LocalContent");
}

TEST_F(StartupScenarioTest, HiddenMarkerIsNotSeen) {
    installKazaa();
    platform.writeFile("C:\\FastTrackProfiles\\grokster.id", "");
    platform.setHidden("C:\\FastTrackProfiles\\grokster.id");
    Form1 form(services);
    windows.onModal = [&](ui::Window&) { form.chooser().button_kazaa.click(); };
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(windows.modalShows.size(), 1u);
    EXPECT_EQ(form.lab_application.caption(), "Kazaa");
}

} // namespace
} // namespace morvane::test
