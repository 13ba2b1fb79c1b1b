// The real window: a click on DOWNLOAD FOLDER with 3,000 incomplete downloads in the folder,
// until the page is shown and painted with both lists full, against a plain loop that lists
// the folder's .dat files and reads the last 4 KiB of each. What the lists cost on top of the
// files' own work is the measure: a repaint per row made this take half a minute.

#include <windows.h>

#include <memory>

#include "bench/WindowOnDrive.h"
#include "downloads/DatFileReader.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane::bench {
namespace {

constexpr int kDatFiles = 3000;
const std::string kFolder = "MorvaneBenchPage";

// The real window on the real file system; the drive only makes and removes the folder.
struct PageState {
    EmulatedRegistry registry;
    Win32FileSystem files;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    std::unique_ptr<Win32WindowManager> windows;
    std::unique_ptr<Services> services;
    WindowOnDrive fixture;

    HWND h(const ui::Control& control) const {
        return windows->viewOf(fixture.form->window)->handleOf(control);
    }
    void click(const ui::Label& item) const {
        SendMessageA(h(item), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(h(item), WM_LBUTTONUP, 0, 0);
        RedrawWindow(windows->viewOf(fixture.form->window)->handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        windows->doEvents();
    }
};

std::string datBytes(const std::string& stored) {
    return std::string(8192 - stored.size() - 5, '\x5a') + stored + std::string(1, '\0') + "tail";
}

BenchPair downloadFolderPage() {
    auto state = std::make_shared<PageState>();
    BenchPair pair;
    pair.name = "DownloadFolderPage.3000_dat";
    pair.limit = 1.5;
    pair.setup = [state] {
        BenchDrive& drive = state->fixture.makeDrive({kFolder});
        const std::string folder = drive.windowsPath(kFolder);
        for (int i = 0; i < kDatFiles; ++i) {
            const std::string name = "download_" + std::to_string(i);
            Require(WriteFile(drive.hostPath(kFolder) + "\\" + name + ".dat",
                              datBytes(folder + "\\" + name + ".mp3")),
                    "cannot write the .dat files");
        }
        state->windows = std::make_unique<Win32WindowManager>(GetModuleHandleA(nullptr), 0);
        state->services = std::make_unique<Services>(state->registry, state->files, state->shell,
                                                     state->dialogs, state->clock, *state->windows);
        MainWindow& form = state->fixture.makeWindow(state->services.get());
        state->windows->setMainWindow(form.window);
        Require(state->h(form.window) != nullptr, "no window: the bench needs a display");
        form.downloadFolderBox.setText(folder);
        form.window.setVisible(true);
        state->windows->doEvents();
    };
    pair.reset = [state] {
        MainWindow& form = *state->fixture.form;
        state->click(form.sectionMenu[GeneralItem]); // GENERAL
        form.downloadNameList.clear();
        form.datFileList.clear();
        state->windows->doEvents();
    };
    pair.product = [state] {
        MainWindow& form = *state->fixture.form;
        state->click(form.sectionMenu[DownloadFolderItem]); // DOWNLOAD FOLDER
        Require(IsWindowVisible(state->h(form.downloadFolderPage)) &&
                    SendMessageA(state->h(form.datFileList), LB_GETCOUNT, 0, 0) == kDatFiles &&
                    SendMessageA(state->h(form.downloadNameList), LB_GETCOUNT, 0, 0) == kDatFiles,
                "the page does not show every incomplete download");
    };
    pair.baseline = [state] {
        const std::string folder = state->fixture.drive->hostPath(kFolder);
        std::size_t read = 0;
        for (const std::string& name : ListFolder(folder, "*.dat"))
            read += ReadTail(folder + "\\" + name, kDatReadBlock).size() == kDatReadBlock;
        Require(read == kDatFiles, "the plain loop missed files");
    };
    pair.teardown = [state] {
        state->windows->releaseAll();
        state->fixture.close();
        state->services.reset();
        state->windows.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(downloadFolderPage);

} // namespace
} // namespace morvane::bench
