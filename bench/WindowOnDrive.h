#pragma once
// What the measurements run on: a bench drive with the measurement's folders of C:, and the
// main window on the drive's services or on services the measurement puts together from
// them. close() ends the window before the drive removes its folders.

#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"

namespace morvane::bench {

struct WindowOnDrive {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<MainWindow> form;

    // The drive, with each of these folders of C: made empty; the run ends when one of them
    // exists already.
    BenchDrive& makeDrive(const std::vector<std::string>& folders) {
        drive = std::make_unique<BenchDrive>();
        for (const std::string& folder : folders)
            Require(drive->makeFolder(folder), "C:\\" + folder + " exists already");
        return *drive;
    }
    // The window, on the drive's own services unless others are given.
    MainWindow& makeWindow(Services* services = nullptr) {
        form = std::make_unique<MainWindow>(services ? *services : drive->services());
        return *form;
    }
    void close() {
        form.reset();
        drive.reset();
    }
};

} // namespace morvane::bench
