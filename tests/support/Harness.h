#pragma once
// A main window on the emulated platform bundle: in-memory registry, a private C: drive in a
// temporary folder, and the headless view. Tests act as the user and look at the results.

#include <memory>
#include <string>
#include <vector>

#include "app/ClientChooser.h"
#include "app/MainWindow.h"
#include "platform/emulated/EmulatedPlatform.h"
#include "support/RegistryValues.h"

namespace morvane::test {

// The profile folder, and the file of a profile in it.
const std::string kProfileFolder = "C:\\FastTrackProfiles";
inline std::string profileFile(const std::string& name) {
    return kProfileFolder + "\\" + name + ".profile";
}

// Each line followed by CR LF, as profile files end every line.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Two complete profiles that differ in every value; alice's hold the awkward characters.
const std::vector<std::string> kAlice = {
    "D:\\Alice dl", "4",      "2",    "250",    "C:\\Music", "D:\\Films, old; \"best\"",
    "  E:\\lead",   "EOF!",   "ogg;", "D:\\a0", "mkv;",      "D:\\a1",
    "png;",         "D:\\a2", "txt;", "D:\\a3", "msi;",      "D:\\a4"};
const std::vector<std::string> kBob = {"E:\\Bob", "9",      "8",    "7",      "E:\\Share", "EOF!",
                                       "flac;",   "E:\\b0", "avi;", "E:\\b1", "gif;",      "E:\\b2",
                                       "rtf;",    "E:\\b3", "cab;", "E:\\b4"};

// Entries added at the end of the profile list, as a listing adds them; the shared folders
// shown as a loaded profile's are.
inline void listEntries(MainWindow& form, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        form.profiles.AddEntry(name);
    form.profileView.showProfileNames();
}
inline void showFolders(MainWindow& form, std::vector<std::string> folders) {
    form.sharedFolderList.setItems(folders);
    form.profiles.values().sharedFolders = std::move(folders);
}

class Harness : public EmulatedPlatform {
public:
    // The window under test, made on first use so a test can prepare the system first.
    MainWindow& form();

    // A value below HKEY_CURRENT_USER, its key created; its stored bytes ("<missing>": none).
    void put(const std::string& key, const std::string& name, const std::string& bytes,
             std::uint32_t type = kRegSz) {
        putValue(registry, key, name, bytes, type);
    }
    std::string stored(const std::string& key, const std::string& name) {
        return storedValue(registry, key, name);
    }

    // The Kazaa client's keys, as an installed client leaves them.
    void installKazaa(const std::string& userName = "alice");

    // Files on the emulated C: drive, by Windows path (writeFile is the bundle's).
    std::string readFile(const std::string& path) {
        return EmulatedPlatform::readFile(path).value_or("");
    }
    bool exists(const std::string& path);

    // Answers each folder picker from now on as the user: opens the folder's parent,
    // highlights the folder and selects it. An empty folder cancels.
    void pickFolder(const std::string& folder);
    // Presses the row of that .dat file in the incomplete downloads, queues the answer to the
    // question and clicks RENAME FILE.
    void renameDownload(const std::string& datName, MessageAnswer answer = MessageAnswer::Yes);

    // Messages shown so far, as "caption|text".
    std::vector<std::string> messageLog() const;

private:
    std::unique_ptr<MainWindow> form_;
};

} // namespace morvane::test
