// The real window: a click on DOWNLOAD FOLDER with 3,000 incomplete downloads in the folder,
// until the page is shown and painted with both lists full, against a plain loop that lists
// the folder's .dat files and reads the last 4 KiB of each. What the lists cost on top of the
// files' own work is the measure: a repaint per row made this take half a minute.

#include <windows.h>

#include <memory>

#include "app/MainWindow.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"
#include "downloads/DatFileReader.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane::bench {
namespace {

constexpr int kDatFiles = 3000;
const std::string kFolder = "MorvaneBenchPage";

struct PageState {
    std::unique_ptr<BenchDrive> drive;
    EmulatedRegistry registry;
    Win32FileSystem files;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    std::unique_ptr<Win32WindowManager> windows;
    std::unique_ptr<Services> services;
    std::unique_ptr<MainWindow> form;

    HWND h(const ui::Control& control) const {
        return windows->viewOf(form->window)->handleOf(control);
    }
    void click(const ui::Label& item) const {
        SendMessageA(h(item), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(h(item), WM_LBUTTONUP, 0, 0);
        RedrawWindow(windows->viewOf(form->window)->handle(), nullptr, nullptr,
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
        state->drive = std::make_unique<BenchDrive>();
        Require(state->drive->makeFolder(kFolder), "C:\\" + kFolder + " exists");
        const std::string folder = state->drive->windowsPath(kFolder);
        for (int i = 0; i < kDatFiles; ++i) {
            const std::string name = "download_" + std::to_string(i);
            Require(WriteFile(state->drive->hostPath(kFolder) + "\\" + name + ".dat",
                              datBytes(folder + "\\" + name + ".mp3")),
                    "cannot write the .dat files");
        }
        state->windows = std::make_unique<Win32WindowManager>(GetModuleHandleA(nullptr), 0);
        state->services = std::make_unique<Services>(state->registry, state->files, state->shell,
                                                     state->dialogs, state->clock, *state->windows);
        state->form = std::make_unique<MainWindow>(*state->services);
        state->windows->setMainWindow(state->form->window);
        Require(state->h(state->form->window) != nullptr, "no window: the bench needs a display");
        state->form->downloadFolderBox.setText(folder);
        state->form->window.setVisible(true);
        state->windows->doEvents();
    };
    pair.reset = [state] {
        state->click(state->form->sectionMenu[GeneralItem]); // GENERAL
        state->form->downloadNameList.clear();
        state->form->datFileList.clear();
        state->windows->doEvents();
    };
    pair.product = [state] {
        state->click(state->form->sectionMenu[DownloadFolderItem]); // DOWNLOAD FOLDER
        Require(IsWindowVisible(state->h(state->form->downloadFolderPage)) &&
                    SendMessageA(state->h(state->form->datFileList), LB_GETCOUNT, 0, 0) ==
                        kDatFiles &&
                    SendMessageA(state->h(state->form->downloadNameList), LB_GETCOUNT, 0, 0) ==
                        kDatFiles,
                "the page does not show every incomplete download");
    };
    pair.baseline = [state] {
        const std::string folder = state->drive->hostPath(kFolder);
        std::size_t read = 0;
        for (const std::string& name : ListFolder(folder, "*.dat"))
            read += ReadTail(folder + "\\" + name, kDatReadBlock).size() == kDatReadBlock;
        Require(read == kDatFiles, "the plain loop missed files");
    };
    pair.teardown = [state] {
        state->windows->releaseAll();
        state->form.reset();
        state->services.reset();
        state->windows.reset();
        state->drive.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(downloadFolderPage);

} // namespace
} // namespace morvane::bench
