#pragma once
// The notification icon through shell32 and hidden command lines through cmd.exe.

#include "platform/Services.h"

namespace morvane {

class Win32Shell : public Shell {
public:
    bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
    // Runs "cmd.exe /c <commandLine>" with its window hidden; a failure to start is silent.
    void runHidden(const std::string& commandLine) override;
};

} // namespace morvane
