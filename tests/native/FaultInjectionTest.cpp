// Faults: for each operation, every call it makes to the file system, and then every call it
// makes to the registry, is made to fail in turn. Whatever fails, the program goes on, no
// profile file is half-written or lost, no download is lost or overwritten, a save that did
// not happen is reported, only the program's own messages are shown, and every registry key
// opened is closed again.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "platform/emulated/TestData.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

// The profile files by name with their bytes, and the bytes of every file in the download
// folder and the filter's destination: a rename or a move changes a name, never what a
// download holds, and none goes.
struct Disk {
    std::map<std::string, std::string> profiles;
    std::multiset<std::string> downloads;
};
Disk disk(Harness& h) {
    Disk d;
    for (const std::string& name : h.files->listFiles(kProfileFolder + "\\*.profile"))
        d.profiles[name] = h.readFile(kProfileFolder + "\\" + name);
    for (const std::string folder : {"C:\\Downloads", "C:\\Music"})
        for (const std::string& name : h.files->listFiles(folder + "\\*"))
            d.downloads.insert(h.readFile(folder + "\\" + name));
    return d;
}

// A whole profile: every line ended, four values, the folders, the marker, ten filter lines.
bool complete(const std::string& bytes) {
    return ProfileBytes(ReadProfileBytes(bytes).profile) == bytes;
}

// Alice is the client's user and stored, bob is stored too, Kazaa is the target. An incomplete
// download and a finished one wait; the filter's destination holds a file already.
void installed(Harness& h) {
    h.installKazaa("alice");
    h.writeFile(kProfileFolder + "\\kazaa.id", "");
    h.writeFile(profileFile("alice"), crlf(kAlice));
    h.writeFile(profileFile("bob"), crlf(kBob));
    h.writeFile("C:\\Downloads\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
    h.writeFile("C:\\Downloads\\later.mp3", "a later download");
    h.writeFile("C:\\Music\\clash.mp3", "the old clash.mp3");
}

// Started, with the current profile's values edited since its last save: a number changed
// and its shared folder removed (so registration has a client's folder to delete), and the
// incomplete downloads listed.
void started(Harness& h) {
    installed(h);
    ASSERT_TRUE(h.form().Form_Load());
    h.form().downloadsBox.setText("6");
    showFolders(h.form(), {});
    h.form().downloadsView.ListIncompleteDownloads();
}

struct Operation {
    std::function<void(Harness&)> prepare = {};
    std::function<void(Harness&)> run = {};
    // The profile the operation saves, and whether it saves the values shown before it runs
    // (otherwise those shown after it).
    std::string saved = {};
    bool savesValuesBefore = true;
    // A profile the operation may remove, once `saved` is stored complete.
    std::string replaced = {};
    // Questions it asks on its way, which tell the user of no failure.
    std::size_t questions = 0;
};

// Runs the operation once for each call it makes, that call failing. Further checks of the
// operation's own go in `more`, told whether the user heard of a failure.
void runWithEveryCallFailing(const Operation& op,
                             const std::function<void(Harness&, bool told)>& more = {}) {
    int called = 0;
    for (const bool registry : {false, true}) {
        const auto calls = [registry](Harness& h) {
            return registry ? h.registry.calls() : h.files->calls();
        };
        const auto failCall = [registry](Harness& h, int n) {
            registry ? h.registry.failCall(n) : h.files->failCall(n);
        };
        int total = 0;
        {
            Harness dry;
            op.prepare(dry);
            const int before = calls(dry);
            op.run(dry);
            total = calls(dry) - before;
        }
        called += total;
        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE(std::string(registry ? "registry" : "file system") + " call " +
                         std::to_string(n) + " of " + std::to_string(total) + " fails");
            Harness h;
            op.prepare(h);
            const Disk before = disk(h);
            std::string intended = ProfileBytes(h.form().profiles.values());
            const int start = calls(h);
            failCall(h, n);
            op.run(h);
            failCall(h, 0);
            ASSERT_GE(calls(h) - start, n) << "the failing call was never made";
            if (!op.savesValuesBefore)
                intended = ProfileBytes(h.form().profiles.values());

            const Disk after = disk(h);
            const std::string saved = op.saved + ".profile";
            const bool savedWhole =
                after.profiles.count(saved) && complete(after.profiles.at(saved));
            for (const auto& [name, bytes] : after.profiles) {
                const auto old = before.profiles.find(name);
                EXPECT_TRUE((old != before.profiles.end() && old->second == bytes) ||
                            complete(bytes))
                    << name << " was left half-written";
            }
            for (const auto& [name, bytes] : before.profiles)
                EXPECT_TRUE(after.profiles.count(name) ||
                            (name == op.replaced + ".profile" && savedWhole))
                    << name << " was lost";
            EXPECT_EQ(after.downloads, before.downloads) << "a download was lost or overwritten";
            // Without a current profile (no user name could be read, or no client chosen
            // once the marker could not be listed) nothing is to be saved.
            const bool told = h.messageLog().size() > op.questions;
            EXPECT_TRUE(told || op.saved.empty() || h.windows.ended() ||
                        h.form().profiles.currentName().empty() ||
                        (after.profiles.count(saved) && after.profiles.at(saved) == intended))
                << "the save of " << op.saved << " failed and nobody was told";
            for (const ShownMessage& message : h.dialogs.messages)
                EXPECT_TRUE(IsOwnMessage(message)) << message.caption << "|" << message.text;
            EXPECT_EQ(h.registry.openHandles(), 0);
            if (more)
                more(h, told);
        }
    }
    EXPECT_GT(called, 0) << "the operation made no call at all";
}

// The injection itself: the chosen call fails, the ones around it do not (the registry's is
// the command line test's).
TEST(FaultInjectionTest, TheChosenCallAndOnlyItFails) {
    Harness h;
    h.files->failCall(2);
    EXPECT_TRUE(h.files->writeLines("C:\\a.txt", {"a"}));
    EXPECT_FALSE(h.files->writeLines("C:\\b.txt", {"b"}));
    EXPECT_TRUE(h.files->writeLines("C:\\c.txt", {"c"}));
}

TEST(FaultInjectionTest, StartUpWithItsImportAndSave) {
    runWithEveryCallFailing({.prepare = installed,
                             .run = [](Harness& h) { h.form().Form_Load(); },
                             .saved = "alice",
                             .savesValuesBefore = false});
}

TEST(FaultInjectionTest, LeftPressOnTheProfileList) {
    const auto press = [](Harness& h) {
        h.form().profileList.setListIndex(1);
        Press(h.form().profileList, ui::kLeftButton, 1);
    };
    runWithEveryCallFailing(
        {.prepare = started, .run = press, .saved = "alice"}, [](Harness& h, bool told) {
            // Bob's values are shown and he is current, or the user learns why
            // the old ones stayed, and alice with them.
            MainWindow& form = h.form();
            const bool loaded = ProfileBytes(form.profiles.values()) == crlf(kBob);
            EXPECT_TRUE(told || loaded);
            EXPECT_EQ(form.profiles.currentName() + form.profileNameBox.text() +
                          std::to_string(form.profileList.listIndex()),
                      loaded ? "bobbob1" : "alicealice0");
            EXPECT_EQ(h.readFile(profileFile("bob")), crlf(kBob));
        });
}

TEST(FaultInjectionTest, RenameStepOfTheNameBox) {
    const auto rename = [](Harness& h) { h.form().profileNameBox.setText("carol"); };
    runWithEveryCallFailing(
        {.prepare = started, .run = rename, .saved = "carol", .replaced = "alice"},
        [](Harness& h, bool) {
            // Whatever name the window goes on with has its file.
            const std::string current = h.form().profiles.currentName();
            EXPECT_TRUE(h.exists(profileFile(current))) << current;
            EXPECT_EQ(h.form().profileNameBox.text(), current);
        });
}

TEST(FaultInjectionTest, Registration) {
    // The client's settings as registration leaves them.
    const auto clientSettings = [](Harness& h) {
        std::string settings;
        for (const char* key : {"LocalContent", "UserDetails", "Transfer", "Advanced"})
            for (const char* value : {"DownloadDir", "Dir0", "UserName", "DlDir0",
                                      "ConcurrentDownloads", "MaxSearchResult"})
                settings += h.stored(std::string("Software\\Kazaa\\") + key, value) + "|";
        return settings;
    };
    Harness dry;
    started(dry);
    dry.form().profileView.RegisterProfile();
    const std::string registered = clientSettings(dry);
    Registration registration;
    const auto run = [&](Harness& h) { registration = h.form().profileView.RegisterProfile(); };
    runWithEveryCallFailing(
        {.prepare = started, .run = run, .saved = "alice"}, [&](Harness& h, bool told) {
            // Settings that did not all reach the client are never passed
            // off as registered.
            EXPECT_TRUE(told || clientSettings(h) == registered);
            EXPECT_TRUE(registration.failed > 0 || clientSettings(h) == registered);
        });
}

// mp3 files go to C:\Music, where one of that name is already; each report line names a moved
// file that is where it says, each listed failure is still waiting.
TEST(FaultInjectionTest, AFilterPass) {
    const auto duringARun = [](Harness& h) {
        started(h);
        for (FilterRow& row : h.form().filterRows)
            row.folder.setText("C:\\Downloads");
        h.form().filterRows[0].extensions.setText("mp3;");
        h.form().filterRows[0].folder.setText("C:\\Music");
        h.files->deleteFile("C:\\Downloads\\later.mp3");
        h.form().filterView.StartFilter();
        h.writeFile("C:\\Downloads\\later.mp3", "a later download");
        h.writeFile("C:\\Downloads\\clash.mp3", "the new clash.mp3");
    };
    runWithEveryCallFailing(
        {.prepare = duringARun, .run = [](Harness& h) { h.form().filterView.filterTimer_Timer(); }},
        [](Harness& h, bool) {
            for (const std::string& line : h.form().filterReportList.items())
                if (const std::size_t at = line.find(" moved to "); at != std::string::npos) {
                    EXPECT_TRUE(h.exists(line.substr(at + 10) + "\\" + line.substr(0, at)));
                }
            for (const std::string& failed : h.form().filterFailureList.items())
                EXPECT_TRUE(h.exists("C:\\Downloads\\" + failed)) << failed;
        });
}

} // namespace
} // namespace morvane::test
