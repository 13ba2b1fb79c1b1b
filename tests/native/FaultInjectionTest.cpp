// Faults: for each operation, every call it makes to the file system, and then every call it
// makes to the registry, is made to fail in turn. Whatever fails, the program goes on, no
// profile file is half-written or lost, a save or load that did not happen is reported, only
// the program's own messages are shown, and every registry key opened is closed again.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/Form2.h"
#include "platform/emulated/TestData.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kFolder = "C:\\FastTrackProfiles";

std::string profileFile(const std::string& name) {
    return kFolder + "\\" + name + ".profile";
}

// A whole profile: every line ended, four values, the folders, the marker, ten filter lines.
bool complete(const std::string& bytes) {
    return ProfileBytes(ReadProfileBytes(bytes).profile) == bytes;
}

const std::string kAlice = "D:\\Alice\r\n4\r\n2\r\n250\r\nC:\\Music\r\nEOF!\r\n"
                           "ogg;\r\nD:\\a0\r\nmkv;\r\nD:\\a1\r\npng;\r\nD:\\a2\r\n"
                           "txt;\r\nD:\\a3\r\nmsi;\r\nD:\\a4\r\n";
const std::string kBob = "E:\\Bob\r\n9\r\n8\r\n7\r\nE:\\Share\r\nEOF!\r\n"
                         "flac;\r\nE:\\b0\r\navi;\r\nE:\\b1\r\ngif;\r\nE:\\b2\r\n"
                         "rtf;\r\nE:\\b3\r\ncab;\r\nE:\\b4\r\n";

// The client's settings as registration leaves them.
std::map<std::string, std::string> clientSettings(Harness& h) {
    std::map<std::string, std::string> settings;
    for (const char* name : {"DownloadDir", "Dir0", "Dir1", "Dir2"})
        settings[name] = h.text("Software\\Kazaa\\LocalContent", name);
    settings["UserName"] = h.text("Software\\Kazaa\\UserDetails", "UserName");
    settings["DlDir0"] = h.text("Software\\Kazaa\\Transfer", "DlDir0");
    settings["ConcurrentDownloads"] =
        std::to_string(h.number("Software\\Kazaa\\Transfer", "ConcurrentDownloads"));
    settings["MaxSearchResult"] =
        std::to_string(h.number("Software\\Kazaa\\Advanced", "MaxSearchResult"));
    return settings;
}

std::map<std::string, std::string> profileFiles(Harness& h) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(h.files->hostPath(kFolder + "\\"), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".profile"))
            files[name] = h.readFile(kFolder + "\\" + name);
    }
    return files;
}

// Alice is the client's user and stored; bob is stored too; Kazaa is the target.
void installed(Harness& h) {
    h.installKazaa("alice");
    h.writeFile(kFolder + "\\kazaa.id", "");
    h.writeFile(profileFile("alice"), kAlice);
    h.writeFile(profileFile("bob"), kBob);
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
    for (const std::string& folder :
         {kDownloads, std::string("C:\\Music"), std::string("C:\\Films")}) {
        std::error_code ec;
        for (const auto& entry :
             std::filesystem::directory_iterator(h.files->hostPath(folder + "\\"), ec))
            contents.insert(h.readFile(folder + "\\" + entry.path().filename().string()));
    }
    return contents;
}

// Started as above, with incomplete downloads listed and folders to choose from.
void downloading(Harness& h) {
    h.writeFile(kDownloads + "\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
    h.writeFile(kDownloads + "\\c3d4.dat", DatFileBytes("C:\\Downloads\\film.avi"));
    h.writeFile(kDownloads + "\\film.avi", "a finished download of that name");
    h.writeFile(kDownloads + "\\done.mp3", "finished");
    for (const char* folder : {"C:\\Music", "C:\\Films"})
        h.files->makeDirectory(folder);
    started(h);
    h.form().ListIncompleteDownloads();
}

// The picker, as the user: opens C:\, highlights the folder of that caption, selects.
void pick(Harness& h, const std::string& caption) {
    h.windows.onModal = [&h, caption](ui::Window&) {
        Form2& picker = h.form().picker();
        picker.SetDir1Path("C:\\");
        for (std::size_t i = 0; i < picker.Dir1.items().size(); ++i)
            if (picker.Dir1.items()[i].caption == caption)
                picker.Dir1.click(static_cast<int>(i));
        picker.button_Select.click();
    };
}

// Presses the row of that .dat file and answers Yes to the rename.
void renameDownload(Harness& h, const std::string& datName) {
    Form1& form = h.form();
    for (int i = 0; i < form.list_downloads2.count(); ++i)
        if (form.list_downloads2.item(i) == datName)
            form.list_downloads2.press(ui::kLeftButton, i);
    h.dialogs.answers.push_back(MessageAnswer::Yes);
    form.button_rename.click();
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
    std::function<void(Harness&)> prepare;
    std::function<void(Harness&)> run;
    // Whether a run shows that the injected fault reached the operation (told: a message beyond
    // its questions). False for the run without a fault; true for some failing call of each
    // layer the operation calls, or the injection did nothing. None: no fault can show.
    std::function<bool(Harness&, bool told)> showed;
    // The profile the operation saves, and whether it saves the values shown before it runs
    // (otherwise those shown after it).
    std::string saved;
    bool savesValuesBefore = true;
    // A profile the operation may remove, once `saved` is stored complete.
    std::string replaced;
    // Questions it asks on its way, which tell the user of no failure.
    std::size_t questions = 0;
};

struct Layer {
    const char* name;
    std::function<void(Harness&, int)> failCall;
    std::function<int(Harness&)> calls;
};

const Layer kLayers[] = {
    {"file system", [](Harness& h, int n) { h.files->failCall(n); },
     [](Harness& h) { return h.files->calls(); }},
    {"registry", [](Harness& h, int n) { h.registry.failCall(n); },
     [](Harness& h) { return h.registry.calls(); }},
};

// What a run with the n-th call failing must keep, given the files before it and the
// profile it meant to save. Further checks of the operation's own go in `more`.
void runWithEveryCallFailing(const Operation& op,
                             const std::function<void(Harness&, bool told)>& more = {}) {
    int called = 0;
    for (const Layer& layer : kLayers) {
        int total = 0;
        {
            Harness dry;
            op.prepare(dry);
            const int before = layer.calls(dry);
            op.run(dry);
            total = layer.calls(dry) - before;
            EXPECT_FALSE(op.showed && op.showed(dry, dry.messageLog().size() > op.questions))
                << "a fault shows where none was injected";
        }
        called += total;
        int showedRuns = 0;
        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE(std::string(layer.name) + " call " + std::to_string(n) + " of " +
                         std::to_string(total) + " fails");
            Harness h;
            op.prepare(h);
            const std::map<std::string, std::string> before = profileFiles(h);
            const std::multiset<std::string> downloadsBefore = downloadContents(h);
            std::string intended = ProfileBytes(h.form().ShownProfile());
            layer.failCall(h, n);
            op.run(h);
            layer.failCall(h, 0);
            if (!op.savesValuesBefore)
                intended = ProfileBytes(h.form().ShownProfile());

            const std::map<std::string, std::string> after = profileFiles(h);
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
            << layer.name << ": no injected fault ever showed";
    }
    EXPECT_GT(called, 0) << "the operation made no call at all";
}

// Evidence for the operations whose every failure is reported.
bool told(Harness&, bool told) {
    return told;
}

// A download the filter moves when nothing fails is still waiting.
std::function<bool(Harness&, bool)> leftWaiting(std::vector<std::string> names) {
    return [names](Harness& h, bool) {
        return std::any_of(names.begin(), names.end(), [&h](const std::string& name) {
            return h.exists(kDownloads + "\\" + name);
        });
    };
}

TEST(FaultInjectionTest, StartUpWithItsImportAndSave) {
    runWithEveryCallFailing({installed, [](Harness& h) { h.form().Form_Load(); }, told, "alice",
                             /*savesValuesBefore=*/false, "", 0});
}

TEST(FaultInjectionTest, LeftPressOnTheProfileList) {
    const Operation press{started,
                          [](Harness& h) {
                              h.form().list_Profiles.setListIndex(1);
                              h.form().list_Profiles.press(ui::kLeftButton, 1);
                          },
                          told,
                          "alice",
                          true,
                          "",
                          0};
    runWithEveryCallFailing(press, [](Harness& h, bool told) {
        // Bob's values are shown, or the user learns why the old ones stayed.
        EXPECT_TRUE(told || ProfileBytes(h.form().ShownProfile()) == kBob);
        EXPECT_EQ(h.readFile(profileFile("bob")), kBob);
    });
}

TEST(FaultInjectionTest, RenameStepOfTheNameBox) {
    const Operation rename{
        started,
        [](Harness& h) { h.form().txt_profilename.setText("carol"); },
        [](Harness& h, bool told) { return told || h.form().str_currentprofilename != "carol"; },
        "carol",
        true,
        "alice",
        0};
    runWithEveryCallFailing(rename, [](Harness& h, bool) {
        // Whatever name the window goes on with has its file.
        const std::string current = h.form().str_currentprofilename;
        EXPECT_TRUE(h.exists(profileFile(current))) << current;
        EXPECT_EQ(h.form().txt_profilename.text(), current);
    });
}

TEST(FaultInjectionTest, Registration) {
    std::map<std::string, std::string> registered;
    {
        Harness dry;
        started(dry);
        dry.form().RegisterProfile();
        registered = clientSettings(dry);
    }
    const Operation registration{
        started, [](Harness& h) { h.form().RegisterProfile(); }, told, "alice", true, ""};
    runWithEveryCallFailing(registration, [&registered](Harness& h, bool told) {
        // Settings that did not all reach the client are never passed off as registered.
        EXPECT_TRUE(told || clientSettings(h) == registered);
    });
}

TEST(FaultInjectionTest, AddingASharedFolder) {
    const Operation add{downloading,
                        [](Harness& h) {
                            pick(h, "Music");
                            h.form().AddFolder_Click();
                        },
                        [](Harness& h, bool told) {
                            const ui::ListBox& folders = h.form().list_Folders;
                            return told || folders.count() == 0 ||
                                   folders.items().back() != "C:\\Music";
                        },
                        "alice",
                        /*savesValuesBefore=*/false,
                        "",
                        0};
    runWithEveryCallFailing(add);
}

TEST(FaultInjectionTest, ChoosingTheDownloadFolder) {
    const Operation choose{downloading,
                           [](Harness& h) {
                               pick(h, "Films");
                               h.form().button_folderlist_Click();
                           },
                           [](Harness& h, bool told) {
                               return told || h.form().txt_Downloadfolder.text() != "C:\\Films";
                           },
                           "alice",
                           /*savesValuesBefore=*/false,
                           "",
                           0};
    runWithEveryCallFailing(choose, [](Harness& h, bool) {
        EXPECT_EQ(h.form().List_Downloads.count(), h.form().list_downloads2.count());
    });
}

TEST(FaultInjectionTest, ListingTheIncompleteDownloads) {
    const Operation listing{downloading,
                            [](Harness& h) { h.form().ListIncompleteDownloads(); },
                            [](Harness& h, bool) {
                                const ui::ListBox& shown = h.form().List_Downloads;
                                return shown.count() < 2 ||
                                       std::count(shown.items().begin(), shown.items().end(),
                                                  "UNKNOWN!") > 0;
                            },
                            "",
                            true,
                            "",
                            0};
    runWithEveryCallFailing(listing, [](Harness& h, bool) {
        // A file that could not be read is left out of both lists alike.
        const Form1& form = h.form();
        ASSERT_EQ(form.List_Downloads.count(), form.list_downloads2.count());
        for (int i = 0; i < form.list_downloads2.count(); ++i)
            EXPECT_EQ(form.List_Downloads.item(i),
                      form.list_downloads2.item(i) == "a1b2.dat" ? "song.mp3" : "film.avi");
    });
}

TEST(FaultInjectionTest, RenamingAnIncompleteDownload) {
    const Operation rename{
        downloading,    [](Harness& h) { renameDownload(h, "a1b2.dat"); }, told, "", true, "",
        /*questions=*/1};
    runWithEveryCallFailing(rename, [](Harness& h, bool told) {
        // Renamed, or the user was told it failed.
        const bool renamed = h.exists(kDownloads + "\\song.mp3");
        EXPECT_NE(renamed, h.exists(kDownloads + "\\a1b2.dat"));
        EXPECT_TRUE(renamed || told);
    });
    // The download named as an existing file is never renamed over it. Its one call fails
    // anyway, so a fault there cannot show.
    const Operation clash{
        downloading, [](Harness& h) { renameDownload(h, "c3d4.dat"); }, {}, "", true, "", 1};
    runWithEveryCallFailing(clash, [](Harness& h, bool) {
        EXPECT_EQ(h.readFile(kDownloads + "\\film.avi"), "a finished download of that name");
    });
}

TEST(FaultInjectionTest, StartingTheFilter) {
    const Operation start{filtering,
                          [](Harness& h) { h.form().StartFilter(); },
                          leftWaiting({"done.mp3", "film.avi"}),
                          "",
                          true,
                          "",
                          0};
    runWithEveryCallFailing(start, [](Harness& h, bool) { filterAccountedFor(h); });
}

TEST(FaultInjectionTest, AFilterPass) {
    const Operation pass{[](Harness& h) {
                             filtering(h);
                             h.form().StartFilter();
                             h.writeFile(kDownloads + "\\later.mp3", "a later download");
                             h.writeFile(kDownloads + "\\later.avi", "another one");
                         },
                         [](Harness& h) { h.form().timer_filter_Timer(); },
                         leftWaiting({"later.mp3", "later.avi"}),
                         "",
                         true,
                         "",
                         0};
    runWithEveryCallFailing(pass, [](Harness& h, bool) {
        filterAccountedFor(h);
        EXPECT_EQ(h.readFile("C:\\Music\\clash.mp3"), "the old clash.mp3");
    });
}

} // namespace
} // namespace morvane::test
