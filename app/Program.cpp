// The program: one per session (a later start hands its request to the running one), the
// main window over the host's services, start-up, then the message loop.

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "platform/ProgramHost.h"

namespace morvane {

namespace {

// A failed request's one sentence (the usage for bad arguments), unless /quiet; then its code.
int answer(ProgramHost& host, const Request& request, int code) {
    if (code != kExitDone && !request.quiet)
        host.tell(FailureText(request, code),
                  code == kExitBadArguments ? MessageIcon::Information : MessageIcon::Stop);
    return code;
}

} // namespace

int ProgramMain(ProgramHost& host, const std::string& commandLine) {
    const Request request = ParseArguments(SplitCommandLine(commandLine));
    if (request.action == RequestAction::Usage)
        return answer(host, request, kExitBadArguments);
    int code = kExitDone;
    switch (host.claim(RequestMessage(request), code)) {
    case ProgramHost::Claim::First:
        break;
    case ProgramHost::Claim::Answered:
        return answer(host, request, code);
    case ProgramHost::Claim::NoAnswer:
        if (!request.quiet)
            host.tell("Morvane is running already but does not answer.", MessageIcon::Stop);
        return kExitNoClient;
    }

    Services& system = host.start();
    RequestDialogs dialogs(system.dialogs);
    Services services{system.registry, system.files, system.shell,
                      dialogs,         system.clock, system.windows};
    int exitCode = 0;
    {
        MainWindow form(services);
        host.setMainWindow(form.window);
        // Later starts' requests. While start-up runs (its chooser may be open), or a dialog
        // or message box of ours waits for the user, the request would act under it: that
        // window comes to the front instead, and a request other than Show is asked again
        // once it has closed. A /register without the window takes none: they wait for its
        // end, and the next start is the first again.
        bool started = false;
        host.listen([&](const std::string& message) -> int {
            const std::optional<Request> handed = RequestOfMessage(message);
            if (!handed)
                return kExitBadArguments;
            const Request& later = *handed;
            if (request.action == RequestAction::Register)
                return ProgramHost::kBusy;
            if (!started || !host.mainWindowFree(form.window)) {
                host.bringToFront(form.window);
                return later.action == RequestAction::Show ? static_cast<int>(kExitDone)
                                                           : ProgramHost::kBusy;
            }
            if (later.action != RequestAction::Show)
                return CarryOut(form, dialogs, later);
            if (!form.window.visible())
                form.RestoreWindow_Click();
            host.bringToFront(form.window);
            return kExitDone;
        });

        if (request.action == RequestAction::Register) {
            // Done without the window, and without the chooser: no marked client, no request.
            dialogs.quiet = request.quiet;
            exitCode = StartWithoutWindow(form) ? CarryOut(form, dialogs, request) : kExitNoClient;
            host.releaseAll();
            return answer(host, request, exitCode);
        }

        if (form.Form_Load()) {
            form.window.setState(ui::WindowState::Normal);
            form.window.setVisible(true);
            started = true;
            if (request.action == RequestAction::Filter)
                CarryOut(form, dialogs, request);
            exitCode = host.run();
        }
        host.releaseAll();
    }
    return exitCode;
}

} // namespace morvane
