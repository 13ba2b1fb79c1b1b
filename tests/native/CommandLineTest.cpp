// The command line: every form of the arguments, and /register's exit code for each cause.

#include <algorithm>
#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

TEST(CommandLineTest, ParsesEachFormOfTheArguments) {
    using enum RequestAction;
    struct Row {
        const char* line;
        RequestAction action;
        const char* name;
        bool quiet;
    };
    const Row rows[] = {
        {"", Show, "", false},
        {"-FILTER /Quiet", Filter, "", true},
        {"/quiet /register bob", Register, "bob", true},
        {"/REGISTER \"my profile\" -quiet", Register, "my profile", true},
        {"  /register\tbob  ", Register, "bob", false},
        {"/register \"say \"\"hi\"\"\"", Register, "say \"hi\"", false},
        {"/register a\\\"b", Register, "a\"b", false},
        {"/register C:\\dir\\ /quiet", Register, "C:\\dir\\", true},
        {"/register \"end\\\\\"", Register, "end\\", false},
        {"/register \"\"", Usage, "", false},
        {"/register /quiet", Usage, "", true},
        {"/register bob /filter", Usage, "", false},
        {"/filter /filter", Usage, "", false},
        {"/help -quiet", Usage, "", true},
        {"/filterx", Usage, "", false},
    };
    for (const Row& row : rows) {
        const Request request = ParseArguments(SplitCommandLine(row.line));
        EXPECT_EQ(request.action, row.action) << row.line;
        EXPECT_EQ(request.name, row.name) << row.line;
        EXPECT_EQ(request.quiet, row.quiet) << row.line;
        // Handed to the running program (the usage never is), it arrives as it was.
        if (row.action == Usage)
            continue;
        const std::optional<Request> handed = RequestOfMessage(RequestMessage(request));
        ASSERT_TRUE(handed.has_value()) << row.line;
        EXPECT_EQ(handed->action, row.action);
        EXPECT_EQ(handed->name, row.name);
        EXPECT_EQ(handed->quiet, row.quiet);
    }
    for (const std::string bytes : {"", "2", "9q", "/qbob"})
        EXPECT_FALSE(RequestOfMessage(bytes).has_value()) << bytes;
}

// Without a window: the client's settings saved first, then the stored profile registered as
// a click would; each failure has its own code, and /quiet keeps the registry's boxes away.
TEST(CommandLineTest, RegisterGivesEachExitCodeForItsCause) {
    Harness h;
    RequestDialogs dialogs(h.dialogs);
    Services services{h.registry, *h.files, h.shell, dialogs, h.clock, h.windows};
    MainWindow form(services);
    EXPECT_FALSE(StartWithoutWindow(form)) << "no marker";
    h.writeFile("C:\\FastTrackProfiles\\kazaa.id", "");
    EXPECT_FALSE(StartWithoutWindow(form)) << "a marker but no keys";

    h.installKazaa("alice");
    h.writeFile("C:\\FastTrackProfiles\\Bob.profile",
                "C:\\Bob\r\n4\r\n5\r\n60\r\nC:\\B\r\nEOF!\r\n");
    h.writeFile("C:\\FastTrackProfiles\\odd.profile",
                "C:\\Odd\r\n99999999999\r\n5\r\n60\r\nEOF!\r\n");
    ASSERT_TRUE(StartWithoutWindow(form));
    EXPECT_TRUE(h.exists("C:\\FastTrackProfiles\\alice.profile"));

    auto run = [&](const char* name, bool quiet = true) {
        return CarryOut(form, dialogs, Request{RequestAction::Register, name, quiet});
    };
    EXPECT_EQ(run("nobody"), kExitNoProfile);
    EXPECT_EQ(run("con"), kExitNoProfile);
    EXPECT_EQ(h.stored("Software\\Kazaa\\UserDetails", "UserName"), sz("alice"));
    EXPECT_EQ(run("bob"), kExitDone);
    EXPECT_EQ(h.stored("Software\\Kazaa\\UserDetails", "UserName"), sz("bob"));
    EXPECT_EQ(h.stored("Software\\Kazaa\\LocalContent", "Dir0"), sz("012345:C:\\B"));
    EXPECT_EQ(h.stored("Software\\Kazaa\\Transfer", "ConcurrentUploads"), dword(5));
    EXPECT_EQ(form.registeredProfileName.caption(), "bob");
    EXPECT_EQ(run("odd"), kExitRegistryFailed);
    EXPECT_TRUE(h.dialogs.messages.empty()) << "quiet";
    EXPECT_EQ(run("odd", false), kExitRegistryFailed);
    EXPECT_EQ(h.messageLog().size(), 1u);
    h.registry.failCall(1);
    EXPECT_EQ(run("bob"), kExitNoClient) << "the keys cannot be opened";
}

// To a running filter, /register does what the user would: STOP FILTER, the profile chosen,
// REGISTER PROFILE, START FILTER with its same-drive check, back to the tray. A profile stored
// since the start (copied in) is found in the folder and joins the list.
TEST(CommandLineTest, RegisterToARunningFilterStartsItAgainThroughItsCheck) {
    Harness h;
    RequestDialogs dialogs(h.dialogs);
    Services services{h.registry, *h.files, h.shell, dialogs, h.clock, h.windows};
    MainWindow form(services);
    h.installKazaa("alice");
    h.writeFile("C:\\FastTrackProfiles\\kazaa.id", "");
    h.writeFile("C:\\FastTrackProfiles\\near.profile", "C:\\Near\r\n4\r\n5\r\n60\r\n");
    ASSERT_TRUE(form.Form_Load());
    form.window.setVisible(true);
    form.commandBar[StartFilterItem].click();
    form.goToTrayCommand.click();
    auto run = [&](const char* name) {
        return CarryOut(form, dialogs, Request{RequestAction::Register, name, false});
    };
    EXPECT_EQ(run("near"), kExitDone);
    EXPECT_FALSE(form.window.visible());
    h.writeFile("C:\\FastTrackProfiles\\far.profile",
                "C:\\Far\r\n4\r\n5\r\n60\r\nEOF!\r\nmp3;\r\nD:\\Music\r\n");
    EXPECT_EQ(run("far"), kExitDone);
    EXPECT_EQ(h.stored("Software\\Kazaa\\UserDetails", "UserName"), sz("far"));
    EXPECT_EQ(form.profileList.items().back(), "far");
    EXPECT_FALSE(form.profiles.filterRun().running());
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(form.filterRows[0].folder.text(), "C:\\Far");
    EXPECT_EQ(h.messageLog().size(), 1u) << "the start's refusal";
    const std::string on = "Filter started at 12:00:00", off = "Filter stopped at 12:00:00";
    EXPECT_EQ(form.filterReportList.items(), (std::vector<std::string>{on, off, on, off}));
    form.profileNameBox.setText(""); // far's file stays, under its name
    EXPECT_EQ(run("far"), kExitDone);
    EXPECT_EQ(std::count(form.profileList.items().begin(), form.profileList.items().end(), "far"),
              1);
}

} // namespace
} // namespace morvane::test
