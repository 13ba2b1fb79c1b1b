#pragma once
// Message boxes and pop-up menus, owned by the innermost window of ours.

#include "platform/Services.h"

namespace morvane {

class Win32WindowManager;

class Win32Dialogs : public Dialogs {
public:
    explicit Win32Dialogs(Win32WindowManager& windows) : windows_(windows) {}

    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    int popupMenu(const ui::Menu& menu) override;

private:
    Win32WindowManager& windows_;
};

} // namespace morvane
