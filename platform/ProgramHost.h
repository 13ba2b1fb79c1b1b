#pragma once
// What the program needs of the system to run as a process: the services behind its windows,
// the one program per session (a later start hands its request to the running one), its
// messages before or without a window, and the message loop. The system's entry point makes a
// host and runs the program's ProgramMain on it.

#include <functional>
#include <string>

#include "platform/Services.h"

namespace morvane {

class ProgramHost {
public:
    virtual ~ProgramHost() = default;

    enum class Claim {
        First,    // this is the session's first program: it holds the session until it ends
        Answered, // the running program has carried out the request; `answer` is its code
        NoAnswer, // a program holds the session but does not take requests
    };
    // Becomes the session's program, or hands the request (bytes the program makes of it) to
    // the running one.
    virtual Claim claim(const std::string& request, int& answer) = 0;
    // An answer that is no exit code: the running program is in the middle of a dialog, and
    // the request is to be handed over again once the dialog has closed.
    static constexpr int kBusy = 0x4D00;

    // The services, once the process is ready for windows; their dialogs show every message.
    virtual Services& start() = 0;
    // Later starts' requests, each answered by `carryOut` from within the message loop.
    virtual void listen(std::function<int(const std::string&)> carryOut) = 0;
    // A message box of the program's own, over no window.
    virtual void tell(const std::string& text, MessageIcon icon) = 0;

    // The main window: the one whose end ends the loop.
    virtual void setMainWindow(ui::Window& window) = 0;
    // False while a dialog or message box of ours waits for the user (the main window is
    // disabled under it), so that a request would act under it.
    virtual bool mainWindowFree(const ui::Window& window) = 0;
    // Brings the window the user is to deal with to the front: the one waiting, or the main.
    virtual void bringToFront(const ui::Window& window) = 0;
    // Runs the message loop until the program ends; the exit code.
    virtual int run() = 0;
    // The windows go before the controls they show.
    virtual void releaseAll() = 0;
};

// The program itself, run on a host with the command line's arguments (after the program's
// name): its exit code.
int ProgramMain(ProgramHost& host, const std::string& commandLine);

} // namespace morvane
