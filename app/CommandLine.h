#pragma once
// The command line: what a shortcut asks of the program, and the program's answer to it.
// A request is carried out by the running program (the first one started in the session)
// through the same operations the user's clicks use, and answered with an exit code.

#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane {

class MainWindow;

enum class RequestAction {
    Show,     // no arguments: the window comes to the front
    Register, // /register NAME
    Filter,   // /filter
    Usage,    // anything else: the usage is shown, nothing is done
};

struct Request {
    RequestAction action = RequestAction::Show;
    std::string name; // the profile for Register
    bool quiet = false;
};

// Exit codes of the program and answers of the running program.
enum ExitCode : int {
    kExitDone = 0,
    kExitNoProfile = 1,
    kExitNoClient = 2,
    kExitRegistryFailed = 3,
    kExitBadArguments = 4,
};

// Splits a command line as the C runtime does: blanks separate, double quotes group (a quote
// inside quotes written as two), backslashes count only before a quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Options are case-blind and start with "/" or "-"; /quiet may stand anywhere. One action at
// most; /register takes the next argument as its name.
Request ParseArguments(const std::vector<std::string>& arguments);

// A request as the bytes a later start hands to the running program (the action, the quiet
// flag, then the name), and back; none for bytes that are no request.
std::string RequestMessage(const Request& request);
std::optional<Request> RequestOfMessage(const std::string& message);

// The usage, one line per option.
std::string UsageText();

// The one sentence that tells a user why a request failed; empty for success.
std::string FailureText(const Request& request, int code);

// Start-up for a request that shows no window: the client from its marker file only (no
// chooser), its keys present, then the import and save as at every start. False (nothing
// written) when there is no client.
bool StartWithoutWindow(MainWindow& form);

// The program's message boxes while a request is carried out: with /quiet none shows (each
// gets its default answer).
class RequestDialogs : public Dialogs {
public:
    explicit RequestDialogs(Dialogs& shown) : shown_(shown) {}
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    int popupMenu(const ui::Menu& menu) override { return shown_.popupMenu(menu); }

    bool quiet = false;

private:
    Dialogs& shown_;
};

// Carries out Register or Filter in a started program whose message boxes go through
// `dialogs`, as the user's clicks would, and gives the exit code. Show is the view's business
// (bringing a window to the front) and gives 0.
int CarryOut(MainWindow& form, RequestDialogs& dialogs, const Request& request);

} // namespace morvane
