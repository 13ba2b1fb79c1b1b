// The incomplete downloads: the .dat reader on a 4 GiB sparse file against the same reader on
// a 4 KiB file (the size of the file must not matter), and listing 5,000 .dat files against a
// plain loop that lists the folder's .dat files and reads the last 4 KiB of each.

#include <memory>

#include "app/MainWindow.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"
#include "downloads/DatFileReader.h"
#include "platform/emulated/TestData.h"

namespace morvane::bench {
namespace {

constexpr int kDatFiles = 5000;
const std::string kSparseFolder = "MorvaneBenchDat";
const std::string kListFolder = "MorvaneBenchDownloads";

// Opaque data without a colon, then a client's file holding the stored path.
std::string datBytes(std::size_t size, const std::string& stored) {
    const std::string tail = DatFileBytes(stored);
    std::string bytes(size - tail.size(), '\x5a');
    return bytes + tail;
}

struct ReaderState {
    std::unique_ptr<BenchDrive> drive;
    std::string big, small, stored;
};

BenchPair readSparse() {
    auto state = std::make_shared<ReaderState>();
    BenchPair pair;
    pair.name = "GetDatFileName.4GiB_sparse_vs_4KiB";
    pair.limit = 1.5;
    pair.setup = [state] {
        state->drive = std::make_unique<BenchDrive>();
        Require(state->drive->makeFolder(kSparseFolder), "C:\\" + kSparseFolder + " exists");
        state->stored = state->drive->windowsPath(kSparseFolder) + "\\song.mp3";
        const std::string host = state->drive->hostPath(kSparseFolder) + HostSeparator();
        const std::string tail = datBytes(64, state->stored);
        Require(MakeSparseFile(host + "big.dat", 4ull << 30, tail), "cannot make the 4 GiB file");
        Require(WriteFile(host + "small.dat", datBytes(4096, state->stored)),
                "cannot write the 4 KiB file");
        state->big = state->drive->windowsPath(kSparseFolder) + "\\big.dat";
        state->small = state->drive->windowsPath(kSparseFolder) + "\\small.dat";
    };
    pair.product = [state] {
        Require(GetDatFileName(state->drive->services().files, state->big) == state->stored,
                "the 4 GiB file read wrong");
    };
    pair.baseline = [state] {
        Require(GetDatFileName(state->drive->services().files, state->small) == state->stored,
                "the 4 KiB file read wrong");
    };
    pair.teardown = [state] { state->drive.reset(); };
    return pair;
}

struct ListingState {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<MainWindow> form;
};

BenchPair listDownloads() {
    auto state = std::make_shared<ListingState>();
    BenchPair pair;
    pair.name = "ListIncompleteDownloads.5000_files";
    pair.limit = 1.3;
    pair.setup = [state] {
        state->drive = std::make_unique<BenchDrive>();
        Require(state->drive->makeFolder(kListFolder), "C:\\" + kListFolder + " exists");
        const std::string folder = state->drive->windowsPath(kListFolder);
        const std::string host = state->drive->hostPath(kListFolder) + HostSeparator();
        for (int i = 0; i < kDatFiles; ++i) {
            const std::string name = "download_" + std::to_string(i);
            Require(WriteFile(host + name + ".dat", datBytes(8192, folder + "\\" + name + ".mp3")),
                    "cannot write the .dat files");
        }
        state->form = std::make_unique<MainWindow>(state->drive->services());
        state->form->downloadFolderBox.setText(folder);
    };
    pair.product = [state] {
        state->form->downloadsView.ListIncompleteDownloads();
        Require(state->form->downloadNameList.count() == kDatFiles &&
                    state->form->downloadNameList.item(0).ends_with(".mp3"),
                "the listing missed files");
    };
    pair.baseline = [state] {
        const std::string folder = state->drive->hostPath(kListFolder);
        std::size_t read = 0;
        // The same listing and the same read of each file's last block.
        for (const std::string& name : ListFolder(folder, "*.dat"))
            read +=
                ReadTail(folder + HostSeparator() + name, kDatReadBlock).size() == kDatReadBlock;
        Require(read == kDatFiles, "the plain loop missed files");
    };
    pair.teardown = [state] {
        state->form.reset();
        state->drive.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(readSparse);
MORVANE_BENCH_PAIR(listDownloads);

} // namespace
} // namespace morvane::bench
