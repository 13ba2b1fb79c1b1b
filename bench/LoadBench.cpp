// Load: a profile with 1,000 shared folders loaded, saved and registered, each against the
// plain calls that read the file, write it, or set the client's values; and one listing of
// 10,000 .dat files in a download folder of 100,000 files against a plain loop.

#include <filesystem>
#include <memory>

#include "app/MainWindow.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"
#include "downloads/DatFileReader.h"
#include "platform/emulated/TestData.h"
#include "profiles/ProfileFile.h"
#include "registry/TargetApplication.h"

namespace morvane::bench {
namespace {

constexpr int kFolders = 1000;
const std::string kFolder = "FastTrackProfiles";
const std::string kLocalContent = "Software\\Kazaa\\LocalContent";

std::string folderName(int i) {
    return "C:\\Shared\\folder_" + std::to_string(10000 + i);
}

std::string bigProfile() {
    // name, download folder, the three numbers, shared folders, filter rows
    Profile profile{"", "C:\\Downloads", "3", "3", "100", {}, {}};
    for (int i = 0; i < kFolders; ++i)
        profile.sharedFolders.push_back(folderName(i));
    profile.filters.fill({"mp3;", "C:\\Downloads"});
    return ProfileBytes(profile);
}

struct BigProfile {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<MainWindow> form;
    std::string file; // host path of the profile
    std::string bytes = bigProfile();

    void setUp() {
        drive = std::make_unique<BenchDrive>();
        Require(drive->makeFolder(kFolder), "C:\\" + kFolder + " exists already");
        file = drive->hostPath(kFolder) + HostSeparator() + "big.profile";
        Require(WriteFile(file, bytes), "cannot write the profile");
        form = std::make_unique<MainWindow>(drive->services());
        form->SetTarget(kTargetApplications[1]);
        form->profiles.setCurrentName("big");
        form->profileView.LoadProfile("big");
        Require(form->sharedFolderList.count() == kFolders, "the profile did not load");
    }
    void tearDown() {
        form.reset();
        drive.reset();
    }
};

BenchPair loadPair() {
    auto big = std::make_shared<BigProfile>();
    BenchPair pair;
    pair.name = "LoadProfile.1000_folders";
    pair.limit = 1.5;
    pair.setup = [big] { big->setUp(); };
    pair.product = [big] {
        big->form->profileView.LoadProfile("big");
        Require(big->form->sharedFolderList.count() == kFolders, "LoadProfile missed folders");
    };
    pair.baseline = [big] {
        // One open, read and close of the whole file, cut into its lines, as the load needs it.
        const std::string bytes = ReadTail(big->file, std::size_t{1} << 24);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos;
             at = end + 2)
            lines.push_back(bytes.substr(at, end - at));
        Require(lines.size() == kFolders + 15, "the plain read missed lines");
    };
    pair.teardown = [big] { big->tearDown(); };
    return pair;
}

BenchPair savePair() {
    auto big = std::make_shared<BigProfile>();
    BenchPair pair;
    pair.name = "SaveProfile.1000_folders";
    pair.limit = 1.5;
    pair.setup = [big] {
        big->setUp();
        big->form->profileView.SaveProfile("big");
        Require(ReadTail(big->file, std::size_t{1} << 24) == big->bytes,
                "SaveProfile wrote other bytes");
    };
    pair.product = [big] { big->form->profileView.SaveProfile("big"); };
    pair.baseline = [big] {
        // The same safe save in plain calls: the new bytes beside the file, then over it.
        const std::string beside = big->file + ".new";
        Require(WriteFile(beside, big->bytes) && MoveOverFile(beside, big->file),
                "the plain save failed");
    };
    pair.teardown = [big] { big->tearDown(); };
    return pair;
}

// One value set in plain calls as the registry helpers must set it: its key opened (made if
// missing), the value written, the key closed.
void plainSet(Registry& registry, const std::string& path, const std::string& name,
              std::uint32_t type, const std::string& data) {
    RegKey key = 0;
    Require(registry.createKey(kHkeyCurrentUser, path, key) == kErrorSuccess,
            "cannot open the client's key " + path);
    registry.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                      static_cast<std::uint32_t>(data.size()));
    registry.closeKey(key);
}

std::string dword(std::uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

// The plain registration, in the calls its algorithm prescribes: the old shared folders
// deleted upwards from "Dir0" until one is missing, each with its own open, delete and close;
// then every value set with its own open, set and close (plainSet).
void plainRegister(Registry& registry, const MainWindow& form) {
    for (int i = 0;; ++i) {
        RegKey key = 0;
        if (registry.openKey(kHkeyCurrentUser, form.profiles.target().keys.localContent, key) !=
            kErrorSuccess)
            break; // no key yet (the first registration): nothing to delete
        const long deleted = registry.deleteValue(key, "Dir" + std::to_string(i));
        registry.closeKey(key);
        if (deleted != kErrorSuccess)
            break;
    }
    const std::string downloads = form.downloadFolderBox.text() + '\0';
    plainSet(registry, form.profiles.target().keys.localContent, "DownloadDir", kRegSz, downloads);
    plainSet(registry, form.profiles.target().keys.userDetails, "UserName", kRegSz,
             form.profileNameBox.text() + '\0');
    plainSet(registry, form.profiles.target().keys.transfer, "DlDir0", kRegSz, downloads);
    for (int i = 0; i < form.sharedFolderList.count(); ++i)
        plainSet(registry, form.profiles.target().keys.localContent, "Dir" + std::to_string(i),
                 kRegSz, "012345:" + form.sharedFolderList.item(i) + '\0');
    plainSet(registry, form.profiles.target().keys.transfer, "ConcurrentDownloads", kRegDword,
             dword(std::stoul(form.downloadsBox.text())));
    plainSet(registry, form.profiles.target().keys.transfer, "ConcurrentUploads", kRegDword,
             dword(std::stoul(form.uploadsBox.text())));
    plainSet(registry, form.profiles.target().keys.advanced, "MaxSearchResult", kRegDword,
             dword(std::stoul(form.searchResultsBox.text())));
}

BenchPair registerPair() {
    auto big = std::make_shared<BigProfile>();
    BenchPair pair;
    pair.name = "RegisterProfile.1000_folders";
    pair.limit = 1.5;
    pair.reportMemory = true;
    pair.setup = [big] {
        big->setUp();
        // Both sides find the client with the 1,000 values a registration leaves.
        plainRegister(big->drive->services().registry, *big->form);
    };
    pair.product = [big] { big->form->profileView.RegisterProfile(); };
    pair.baseline = [big] {
        // The profile saved first, safely, as the registration does.
        const std::string beside = big->file + ".new";
        Require(WriteFile(beside, big->bytes) && MoveOverFile(beside, big->file),
                "the plain save failed");
        plainRegister(big->drive->services().registry, *big->form);
    };
    pair.teardown = [big] {
        Registry& registry = big->drive->services().registry;
        RegKey key = 0;
        if (registry.openKey(kHkeyCurrentUser, kLocalContent, key) == kErrorSuccess) {
            for (int i = 0; registry.deleteValue(key, "Dir" + std::to_string(i)) == kErrorSuccess;
                 ++i) {
            }
            registry.closeKey(key);
        }
        big->tearDown();
    };
    return pair;
}

constexpr int kFolderFiles = 100000;
constexpr int kDatFiles = 10000;
const std::string kDownloads = kLoadFolder;

struct BigFolder {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<MainWindow> form;
};

BenchPair listBigFolder() {
    auto state = std::make_shared<BigFolder>();
    BenchPair pair;
    pair.name = "ListIncompleteDownloads.10000_dat_in_100000_files";
    pair.limit = 1.3;
    pair.reportMemory = true;
    pair.setup = [state] {
        state->drive = std::make_unique<BenchDrive>();
        const std::string folder = state->drive->windowsPath(kDownloads);
        const bool seeded = state->drive->useSeededFolder(kDownloads);
        Require(seeded || state->drive->makeFolder(kDownloads),
                "C:\\" + kDownloads + " exists already");
        Require(seeded || LayOutLoadFolder(state->drive->hostPath(kDownloads), folder, false),
                "cannot write the download folder");
        state->form = std::make_unique<MainWindow>(state->drive->services());
        state->form->downloadFolderBox.setText(folder);
    };
    pair.product = [state] {
        state->form->downloadsView.ListIncompleteDownloads();
        Require(state->form->datFileList.count() == kDatFiles, "the listing missed files");
    };
    pair.baseline = [state] {
        // The same listing and the same read of each file's last block.
        const std::string folder = state->drive->hostPath(kDownloads);
        int read = 0;
        for (const std::string& name : ListFolder(folder, "*.dat"))
            read += !ReadTail(folder + HostSeparator() + name, kDatReadBlock).empty();
        Require(read == kDatFiles, "the plain loop missed files");
    };
    pair.teardown = [state] {
        state->form.reset();
        state->drive.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(loadPair);
MORVANE_BENCH_PAIR(savePair);
MORVANE_BENCH_PAIR(registerPair);
MORVANE_BENCH_PAIR(listBigFolder);

} // namespace

// Every tenth file is incomplete; the others are finished downloads.
bool LayOutLoadFolder(const std::string& hostFolder, const std::string& windowsFolder,
                      bool markSeeded) {
    std::error_code ec;
    if (markSeeded &&
        (!RemoveTree(hostFolder) || !std::filesystem::create_directories(hostFolder, ec)))
        return false;
    const std::string into = hostFolder + HostSeparator();
    for (int i = 0; i < kFolderFiles; ++i) {
        const std::string name = "file_" + std::to_string(i);
        const bool incomplete = i % (kFolderFiles / kDatFiles) == 0;
        const std::string bytes =
            incomplete
                ? std::string(1000, '\x5a') + DatFileBytes(windowsFolder + "\\" + name + ".mp3")
                : "finished " + name;
        if (!WriteFile(into + name + (incomplete ? ".dat" : ".mp3"), bytes))
            return false;
    }
    return !markSeeded || WriteFile(into + ".seeded", "");
}

} // namespace morvane::bench
