// Faults: for each operation, every call it makes to the file system, and then every call it
// makes to the registry, is made to fail in turn. Whatever fails, the program goes on, no
// profile file is half-written or lost, a save or load that did not happen is reported, only
// the program's own messages are shown, and every registry key opened is closed again.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <regex>

#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kFolder = "C:\\FastTrackProfiles";

std::string profileFile(const std::string& name) {
    return kFolder + "\\" + name + ".profile";
}

// What a save of the form's present values writes.
std::string profileBytes(const Form1& form) {
    std::string bytes = form.txt_Downloadfolder.text() + "\r\n" + form.txt_Downloads.text() +
                        "\r\n" + form.txt_Uploads.text() + "\r\n" + form.txt_Searchresults.text() +
                        "\r\n";
    for (const std::string& folder : form.list_Folders.items())
        bytes += folder + "\r\n";
    bytes += "EOF!\r\n";
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i)
        bytes += form.txt_filterext[i].text() + "\r\n" + form.txt_filterfolder[i].text() + "\r\n";
    return bytes;
}

// A whole profile: every line ended, four values, the folders, the marker, ten filter lines.
bool complete(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
        return false;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    for (std::size_t i = 4; i < lines.size(); ++i)
        if (lines[i] == "EOF!")
            return lines.size() - i - 1 == 10;
    return false;
}

const std::string kAlice = "D:\\Alice\r\n4\r\n2\r\n250\r\nC:\\Music\r\nEOF!\r\n"
                           "ogg;\r\nD:\\a0\r\nmkv;\r\nD:\\a1\r\npng;\r\nD:\\a2\r\n"
                           "txt;\r\nD:\\a3\r\nmsi;\r\nD:\\a4\r\n";
const std::string kBob = "E:\\Bob\r\n9\r\n8\r\n7\r\nE:\\Share\r\nEOF!\r\n"
                         "flac;\r\nE:\\b0\r\navi;\r\nE:\\b1\r\ngif;\r\nE:\\b2\r\n"
                         "rtf;\r\nE:\\b3\r\ncab;\r\nE:\\b4\r\n";

// Every text the program itself shows, as "caption|text".
bool ownMessage(const std::string& shown) {
    static const std::regex kOwn[] = {
        std::regex(R"(Error\|Could not (open|create|delete) the (key|Key|value): .+)"),
        std::regex(
            R"(Morvane\|Could not save the profile file .+\. The file was left as it was\.)"),
        std::regex(R"(Morvane\|Could not read the profile file .+\. The values shown were kept\.)"),
        std::regex(R"(Morvane\|NO INSTALLED FASTTRACK APPLICATIONS)"),
    };
    for (const std::regex& own : kOwn)
        if (std::regex_match(shown, own))
            return true;
    return false;
}

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

struct Operation {
    std::function<void(Harness&)> prepare;
    std::function<void(Harness&)> run;
    // The profile the operation saves, and whether it saves the values shown before it runs
    // (otherwise those shown after it).
    std::string saved;
    bool savesValuesBefore = true;
    // A profile the operation may remove, once `saved` is stored complete.
    std::string replaced;
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
        }
        called += total;
        int toldRuns = 0;
        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE(std::string(layer.name) + " call " + std::to_string(n) + " of " +
                         std::to_string(total) + " fails");
            Harness h;
            op.prepare(h);
            const std::map<std::string, std::string> before = profileFiles(h);
            std::string intended = profileBytes(h.form());
            layer.failCall(h, n);
            op.run(h);
            layer.failCall(h, 0);
            if (!op.savesValuesBefore)
                intended = profileBytes(h.form());

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
            // Without a current profile (no user name could be read, or no client chosen
            // once the marker could not be listed) nothing is to be saved.
            const bool told = !h.dialogs.messages.empty();
            const bool nothingToSave = h.windows.ended() || h.form().str_currentprofilename.empty();
            EXPECT_TRUE(told || nothingToSave ||
                        (after.count(savedName) && after.at(savedName) == intended))
                << "the save of " << op.saved << " failed and nobody was told";
            for (const std::string& message : h.messageLog())
                EXPECT_TRUE(ownMessage(message)) << message;
            EXPECT_EQ(h.registry.openHandles(), 0);
            if (more)
                more(h, told);
            toldRuns += told ? 1 : 0;
        }
        // A fault that never shows anywhere would mean the injection did nothing.
        EXPECT_TRUE(total == 0 || toldRuns > 0) << layer.name << ": no failure was ever reported";
    }
    EXPECT_GT(called, 0) << "the operation made no call at all";
}

TEST(FaultInjectionTest, StartUpWithItsImportAndSave) {
    runWithEveryCallFailing({installed, [](Harness& h) { h.form().Form_Load(); }, "alice",
                             /*savesValuesBefore=*/false, ""});
}

TEST(FaultInjectionTest, LeftPressOnTheProfileList) {
    const Operation press{started,
                          [](Harness& h) {
                              h.form().list_Profiles.setListIndex(1);
                              h.form().list_Profiles.press(ui::kLeftButton, 1);
                          },
                          "alice", true, ""};
    runWithEveryCallFailing(press, [](Harness& h, bool told) {
        // Bob's values are shown, or the user learns why the old ones stayed.
        EXPECT_TRUE(told || profileBytes(h.form()) == kBob);
        EXPECT_EQ(h.readFile(profileFile("bob")), kBob);
    });
}

TEST(FaultInjectionTest, RenameStepOfTheNameBox) {
    const Operation rename{started, [](Harness& h) { h.form().txt_profilename.setText("carol"); },
                           "carol", true, "alice"};
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
    const Operation registration{started, [](Harness& h) { h.form().RegisterProfile(); }, "alice",
                                 true, ""};
    runWithEveryCallFailing(registration, [&registered](Harness& h, bool told) {
        // Settings that did not all reach the client are never passed off as registered.
        EXPECT_TRUE(told || clientSettings(h) == registered);
    });
}

} // namespace
} // namespace morvane::test
