// The command line's requests: parsing them, and carrying them out through the window's own
// handlers (a left press on the profile list, the registration, START FILTER, GO TO TRAY).

#include "app/CommandLine.h"

#include "app/MainWindow.h"
#include "platform/PathRules.h"
#include "profiles/ProfileFile.h"
#include "profiles/Profiles.h"

namespace morvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The option an argument names, lower-cased without its "/" or "-"; empty for a plain word.
std::string OptionName(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return {};
    return LowerCase(argument.substr(1));
}

bool IsOption(const std::string& argument) {
    const std::string option = OptionName(argument);
    return option == "register" || option == "filter" || option == "quiet";
}

// Chooses the entry with a left press and registers it, as the user would; any write the
// registry refused fails the request.
int ChooseAndRegister(MainWindow& form, int entry) {
    form.profileList.setListIndex(entry);
    form.profileView.profileList_MouseDown(ui::kLeftButton, 0, 0, 0);
    // A profile that could not be loaded does not become current: the one shown is not it.
    if (form.profiles.currentName() != form.profiles.names()[static_cast<std::size_t>(entry)])
        return kExitNoProfile;
    return form.profileView.RegisterProfile().failed > 0 ? kExitRegistryFailed : kExitDone;
}

int RegisterByName(MainWindow& form, const std::string& name) {
    if (!ProfilePath(name))
        return kExitNoProfile;
    if (!form.profiles.TargetInstalled())
        return kExitNoClient;
    // A current profile whose name box holds no usable name is listed under its file's name.
    form.profileView.leaveUnstorableName();
    int entry = form.profiles.FindProfileEntry(name);
    if (entry < 0) {
        entry = form.profiles.ListStoredProfile(name);
        form.profileView.showProfileNames();
    }
    if (entry < 0)
        return kExitNoProfile;
    if (!form.profiles.filterRun().running())
        return ChooseAndRegister(form, entry);
    // The filter runs on the profile shown: the profile is changed under it as the user would,
    // STOP FILTER first and START FILTER last, whose check keeps the new profile's destinations
    // on its download folder's drive. A refused start leaves the window up with its message.
    const bool inTray = !form.window.visible();
    if (inTray)
        form.RestoreWindow_Click();
    form.filterView.StopFilter();
    const int code = ChooseAndRegister(form, entry);
    form.filterView.StartFilter();
    if (inTray && form.profiles.filterRun().running() && !form.sys.windows.ended())
        form.GoToTray();
    return code;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (true) {
        while (at < commandLine.size() && IsBlank(commandLine[at]))
            ++at;
        if (at == commandLine.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        while (at < commandLine.size() && (quoted || !IsBlank(commandLine[at]))) {
            std::size_t slashes = 0;
            while (at < commandLine.size() && commandLine[at] == '\\') {
                ++slashes;
                ++at;
            }
            if (at < commandLine.size() && commandLine[at] == '"') {
                argument.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && at + 1 < commandLine.size() && commandLine[at + 1] == '"') {
                    argument += '"'; // "" inside quotes
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(slashes, '\\');
                if (slashes == 0 && at < commandLine.size())
                    argument += commandLine[at++];
            }
        }
        arguments.push_back(argument);
    }
}

Request ParseArguments(const std::vector<std::string>& arguments) {
    Request request;
    for (const std::string& argument : arguments)
        request.quiet = request.quiet || OptionName(argument) == "quiet";
    bool acted = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string option = OptionName(arguments[i]);
        if (option == "quiet")
            continue;
        const bool named =
            i + 1 < arguments.size() && !arguments[i + 1].empty() && !IsOption(arguments[i + 1]);
        if (acted || (option != "register" && option != "filter") ||
            (option == "register" && !named)) {
            request.action = RequestAction::Usage;
            request.name.clear();
            return request;
        }
        acted = true;
        request.action = option == "filter" ? RequestAction::Filter : RequestAction::Register;
        if (option == "register")
            request.name = arguments[++i];
    }
    return request;
}

std::string RequestMessage(const Request& request) {
    std::string data;
    data += static_cast<char>('0' + static_cast<int>(request.action));
    data += request.quiet ? 'q' : '-';
    return data + request.name;
}

std::optional<Request> RequestOfMessage(const std::string& message) {
    if (message.size() < 2)
        return std::nullopt;
    const int action = message[0] - '0';
    if (action < static_cast<int>(RequestAction::Show) ||
        action > static_cast<int>(RequestAction::Filter))
        return std::nullopt;
    Request request;
    request.action = static_cast<RequestAction>(action);
    request.quiet = message[1] == 'q';
    request.name = message.substr(2);
    return request;
}

std::string UsageText() {
    return "Usage: morvane.exe [/register NAME] [/filter] [/quiet]\n"
           "/register NAME\tregisters the stored profile NAME into the client's settings\n"
           "/filter\tstarts the download filter and goes to the tray\n"
           "/quiet\tshows no message; the exit code alone tells the result";
}

std::string FailureText(const Request& request, int code) {
    switch (code) {
    case kExitNoProfile:
        return "There is no profile named \"" + ShortenMiddle(request.name) + "\".";
    case kExitNoClient:
        return "No FastTrack client is set up for Morvane, so no profile can be registered.";
    case kExitRegistryFailed:
        return "The profile \"" + ShortenMiddle(request.name) +
               "\" could not be written completely into the client's settings.";
    case kExitBadArguments:
        return UsageText();
    default:
        return {};
    }
}

bool StartWithoutWindow(MainWindow& form) {
    if (!form.FindMarkedTarget() || !form.profiles.TargetInstalled())
        return false;
    form.TakeInClientSettings();
    return true;
}

int CarryOut(MainWindow& form, RequestDialogs& dialogs, const Request& request) {
    if (request.action == RequestAction::Register) {
        const bool wasQuiet = dialogs.quiet;
        dialogs.quiet = request.quiet;
        const int code = RegisterByName(form, request.name);
        dialogs.quiet = wasQuiet;
        return code;
    }
    if (request.action == RequestAction::Filter && !form.profiles.filterRun().running()) {
        form.filterView.StartFilter();
        // A start refused by the same-drive check keeps the window up with its message.
        if (form.profiles.filterRun().running() && !form.sys.windows.ended())
            form.GoToTray();
    }
    return kExitDone;
}

MessageAnswer RequestDialogs::messageBox(const std::string& text, const std::string& caption,
                                         MessageButtons buttons, MessageIcon icon) {
    if (quiet)
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return shown_.messageBox(text, caption, buttons, icon);
}

} // namespace morvane
