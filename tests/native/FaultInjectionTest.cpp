// Faults: for each operation, every call it makes to the file system, and then every call it
// makes to the registry, is made to fail in turn. Whatever fails, the program goes on, no
// profile file is half-written or lost, a save or load that did not happen is reported, only
// the program's own messages are shown, and every registry key opened is closed again.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "platform/emulated/TestData.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

// A whole profile: every line ended, four values, the folders, the marker, ten filter lines.
bool complete(const std::string& bytes) {
    return ProfileBytes(ReadProfileBytes(bytes).profile) == bytes;
}

// The client's settings as registration leaves them.
std::vector<std::string> clientSettings(Harness& h) {
    std::vector<std::string> settings;
    for (const std::string value :
         {"LocalContent\\DownloadDir", "LocalContent\\Dir0", "LocalContent\\Dir1",
          "LocalContent\\Dir2", "UserDetails\\UserName", "Transfer\\DlDir0",
          "Transfer\\ConcurrentDownloads", "Advanced\\MaxSearchResult"}) {
        const std::size_t cut = value.rfind('\\');
        settings.push_back(
            h.stored("Software\\Kazaa\\" + value.substr(0, cut), value.substr(cut + 1)));
    }
    return settings;
}

// The files of a folder that match a pattern, by name, with their bytes.
std::map<std::string, std::string> filesIn(Harness& h, const std::string& folder,
                                           const std::string& pattern = "*") {
    std::map<std::string, std::string> files;
    for (const std::string& name : h.files->listFiles(folder + "\\" + pattern))
        files[name] = h.readFile(folder + "\\" + name);
    return files;
}

// Alice is the client's user and stored; bob is stored too; Kazaa is the target.
void installed(Harness& h) {
    h.installKazaa("alice");
    h.writeFile(kProfileFolder + "\\kazaa.id", "");
    h.writeFile(profileFile("alice"), crlf(kAlice));
    h.writeFile(profileFile("bob"), crlf(kBob));
}

// Started, with the current profile's values edited since its last save: a number changed
// and its shared folder removed (so registration has a client's folder to delete).
void started(Harness& h) {
    installed(h);
    ASSERT_TRUE(h.form().Form_Load());
    h.form().txt_Downloads.setText("6");
    h.form().list_Folders.clear();
}

const std::string kDownloads = "C:\\Downloads";

// The bytes of every file in the download folder and the filter's destinations, whatever
// their names: a rename or a move changes a name, never what any file holds, and no file goes.
std::multiset<std::string> downloadContents(Harness& h) {
    std::multiset<std::string> contents;
    for (const char* folder : {"C:\\Downloads", "C:\\Music", "C:\\Films"})
        for (const auto& [name, bytes] : filesIn(h, folder))
            contents.insert(bytes);
    return contents;
}

// Started as above, with incomplete downloads listed and folders to choose from.
void downloading(Harness& h) {
    h.writeFile(kDownloads + "\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
    h.writeFile(kDownloads + "\\done.mp3", "finished");
    for (const char* folder : {"C:\\Music", "C:\\Films"})
        h.files->makeDirectory(folder);
    started(h);
    h.form().ListIncompleteDownloads();
}

// Downloading, with the filter set: mp3 files go to C:\Music (where one of that name is
// already), avi files to C:\Films; the other categories point at the download folder.
void filtering(Harness& h) {
    downloading(h);
    h.writeFile(kDownloads + "\\clash.mp3", "the new clash.mp3");
    h.writeFile("C:\\Music\\clash.mp3", "the old clash.mp3");
    Form1& form = h.form();
    const char* lists[] = {"mp3;", "avi;", "jpg;", "pdf;", "exe;"};
    const char* folders[] = {"C:\\Music", "C:\\Films", "C:\\Downloads", "C:\\Downloads",
                             "C:\\Downloads"};
    for (std::size_t i = 0; i < 5; ++i) {
        form.txt_filterext[i].setText(lists[i]);
        form.txt_filterfolder[i].setText(folders[i]);
    }
}

// Each report line names a moved file that is where it says; each failure is still waiting.
void filterAccountedFor(Harness& h) {
    const Form1& form = h.form();
    for (const std::string& line : form.list_filterreport.items()) {
        const std::size_t moved = line.find(" moved to ");
        if (moved != std::string::npos) {
            EXPECT_TRUE(h.exists(line.substr(moved + 10) + "\\" + line.substr(0, moved))) << line;
        }
    }
    for (const std::string& failed : form.list_filtererrors.items())
        EXPECT_TRUE(h.exists(kDownloads + "\\" + failed)) << failed;
}

struct Operation {
    std::function<void(Harness&)> prepare = {};
    std::function<void(Harness&)> run = {};
    // Whether a run shows that the injected fault reached the operation (told: a message beyond
    // its questions). False for the run without a fault; true for some failing call of each
    // layer the operation calls, or the injection did nothing. None: no fault can show.
    std::function<bool(Harness&, bool told)> showed = {};
    // The profile the operation saves, and whether it saves the values shown before it runs
    // (otherwise those shown after it).
    std::string saved = {};
    bool savesValuesBefore = true;
    // A profile the operation may remove, once `saved` is stored complete.
    std::string replaced = {};
    // Questions it asks on its way, which tell the user of no failure.
    std::size_t questions = 0;
};

// What a run with the n-th call failing must keep, given the files before it and the
// profile it meant to save. Further checks of the operation's own go in `more`.
void runWithEveryCallFailing(const Operation& op,
                             const std::function<void(Harness&, bool told)>& more = {}) {
    int called = 0;
    for (const bool registry : {false, true}) {
        const char* layer = registry ? "registry" : "file system";
        const auto calls = [registry](Harness& h) {
            return registry ? h.registry.calls() : h.files->calls();
        };
        const auto failCall = [registry](Harness& h, int n) {
            return registry ? h.registry.failCall(n) : h.files->failCall(n);
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
        int showedRuns = 0;
        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE(std::string(layer) + " call " + std::to_string(n) + " of " +
                         std::to_string(total) + " fails");
            Harness h;
            op.prepare(h);
            const std::map<std::string, std::string> before =
                filesIn(h, kProfileFolder, "*.profile");
            const std::multiset<std::string> downloadsBefore = downloadContents(h);
            std::string intended = ProfileBytes(h.form().ShownProfile());
            failCall(h, n);
            op.run(h);
            failCall(h, 0);
            if (!op.savesValuesBefore)
                intended = ProfileBytes(h.form().ShownProfile());

            const std::map<std::string, std::string> after =
                filesIn(h, kProfileFolder, "*.profile");
            for (const auto& [name, bytes] : after) {
                const auto old = before.find(name);
                EXPECT_TRUE((old != before.end() && old->second == bytes) || complete(bytes))
                    << name << " was left half-written";
            }
            const std::string savedName = op.saved + ".profile";
            for (const auto& [name, bytes] : before) {
                const bool mayGo = name == op.replaced + ".profile" && after.count(savedName) &&
                                   complete(after.at(savedName));
                EXPECT_TRUE(after.count(name) || mayGo) << name << " was lost";
            }
            EXPECT_EQ(downloadContents(h), downloadsBefore)
                << "a file of the download folder was lost or overwritten";
            // Without a current profile (no user name could be read, or no client chosen
            // once the marker could not be listed) nothing is to be saved.
            const bool told = h.messageLog().size() > op.questions;
            const bool nothingToSave =
                op.saved.empty() || h.windows.ended() || h.form().str_currentprofilename.empty();
            EXPECT_TRUE(told || nothingToSave ||
                        (after.count(savedName) && after.at(savedName) == intended))
                << "the save of " << op.saved << " failed and nobody was told";
            for (const ShownMessage& message : h.dialogs.messages)
                EXPECT_TRUE(IsOwnMessage(message)) << message.caption << "|" << message.text;
            EXPECT_EQ(h.registry.openHandles(), 0);
            if (more)
                more(h, told);
            showedRuns += op.showed && op.showed(h, told) ? 1 : 0;
        }
        // A fault that never shows anywhere would mean the injection did nothing.
        EXPECT_TRUE(total == 0 || !op.showed || showedRuns > 0)
            << layer << ": no injected fault ever showed";
    }
    EXPECT_GT(called, 0) << "the operation made no call at all";
}

// Evidence for the operations whose every failure is reported.
bool told(Harness&, bool told) {
    return told;
}

TEST(FaultInjectionTest, StartUpWithItsImportAndSave) {
    runWithEveryCallFailing({.prepare = installed,
                             .run = [](Harness& h) { h.form().Form_Load(); },
                             .showed = told,
                             .saved = "alice",
                             .savesValuesBefore = false});
}

TEST(FaultInjectionTest, LeftPressOnTheProfileList) {
    const auto press = [](Harness& h) {
        h.form().list_Profiles.setListIndex(1);
        h.form().list_Profiles.press(ui::kLeftButton, 1);
    };
    runWithEveryCallFailing({.prepare = started, .run = press, .showed = told, .saved = "alice"},
                            [](Harness& h, bool told) {
                                // Bob's values are shown, or the user learns why the old ones
                                // stayed.
                                EXPECT_TRUE(told ||
                                            ProfileBytes(h.form().ShownProfile()) == crlf(kBob));
                                EXPECT_EQ(h.readFile(profileFile("bob")), crlf(kBob));
                            });
}

TEST(FaultInjectionTest, RenameStepOfTheNameBox) {
    const Operation rename{
        .prepare = started,
        .run = [](Harness& h) { h.form().txt_profilename.setText("carol"); },
        .showed = [](Harness& h,
                     bool told) { return told || h.form().str_currentprofilename != "carol"; },
        .saved = "carol",
        .replaced = "alice"};
    runWithEveryCallFailing(rename, [](Harness& h, bool) {
        // Whatever name the window goes on with has its file.
        const std::string current = h.form().str_currentprofilename;
        EXPECT_TRUE(h.exists(profileFile(current))) << current;
        EXPECT_EQ(h.form().txt_profilename.text(), current);
    });
}

TEST(FaultInjectionTest, Registration) {
    Harness dry;
    started(dry);
    dry.form().RegisterProfile();
    const std::vector<std::string> registered = clientSettings(dry);
    const auto run = [](Harness& h) { h.form().RegisterProfile(); };
    runWithEveryCallFailing({.prepare = started, .run = run, .showed = told, .saved = "alice"},
                            [&registered](Harness& h, bool told) {
                                // Settings that did not all reach the client are never passed off
                                // as registered.
                                EXPECT_TRUE(told || clientSettings(h) == registered);
                            });
}

// The download folder picked, and its downloads listed anew.
TEST(FaultInjectionTest, PickingTheDownloadFolder) {
    runWithEveryCallFailing(
        {.prepare = downloading,
         .run =
             [](Harness& h) {
                 h.pickFolder("C:\\Films");
                 h.form().button_folderlist_Click();
             },
         .showed =
             [](Harness& h, bool told) {
                 return told || h.form().txt_Downloadfolder.text() != "C:\\Films";
             },
         .saved = "alice",
         .savesValuesBefore = false},
        [](Harness& h, bool) {
            EXPECT_EQ(h.form().List_Downloads.count(), h.form().list_downloads2.count());
        });
}

TEST(FaultInjectionTest, RenamingAnIncompleteDownload) {
    const auto rename = [](Harness& h) { h.renameDownload("a1b2.dat"); };
    runWithEveryCallFailing({.prepare = downloading, .run = rename, .showed = told, .questions = 1},
                            [](Harness& h, bool told) {
                                // Renamed, or the user was told it failed.
                                const bool renamed = h.exists(kDownloads + "\\song.mp3");
                                EXPECT_NE(renamed, h.exists(kDownloads + "\\a1b2.dat"));
                                EXPECT_TRUE(renamed || told);
                            });
}

TEST(FaultInjectionTest, AFilterPass) {
    const auto duringARun = [](Harness& h) {
        filtering(h);
        h.form().StartFilter();
        h.writeFile(kDownloads + "\\later.mp3", "a later download");
        h.writeFile(kDownloads + "\\later.avi", "another one");
    };
    runWithEveryCallFailing({.prepare = duringARun,
                             .run = [](Harness& h) { h.form().timer_filter_Timer(); },
                             // A download the pass moves when nothing fails is still waiting.
                             .showed =
                                 [](Harness& h, bool) {
                                     return h.exists(kDownloads + "\\later.mp3") ||
                                            h.exists(kDownloads + "\\later.avi");
                                 }},
                            [](Harness& h, bool) {
                                filterAccountedFor(h);
                                EXPECT_EQ(h.readFile("C:\\Music\\clash.mp3"), "the old clash.mp3");
                            });
}

} // namespace
} // namespace morvane::test
