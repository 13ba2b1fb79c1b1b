// The profile reader on any bytes as the file (CR, LF and NUL included, any length, UTF-8 or
// not): it never fails on a readable file, never touches the registry, never shows "EOF!" as a
// folder, shows a file that is not UTF-8 converted from the legacy code page, and what it
// shows survives a save and a second load unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "fuzz/FuzzPlatform.h"
#include "platform/Characters.h"

namespace {

using morvane::Form1;

std::vector<std::string> shown(const Form1& form) {
    std::vector<std::string> values = {form.txt_Downloadfolder.text(), form.txt_Downloads.text(),
                                       form.txt_Uploads.text(), form.txt_Searchresults.text(),
                                       form.txt_profilename.text()};
    for (const std::string& folder : form.list_Folders.items())
        values.push_back("folder:" + folder);
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i) {
        values.push_back(form.txt_filterext[i].text());
        values.push_back(form.txt_filterfolder[i].text());
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using morvane::fuzz::Check;
    morvane::fuzz::FuzzPlatform platform;
    platform.writeFile("C:\\FastTrackProfiles\\fuzzed.profile",
                       std::string(reinterpret_cast<const char*>(data), size));
    Form1 form(platform.services);
    form.str_currentprofilename = "fuzzed";

    form.LoadProfile("fuzzed");
    Check(platform.dialogs.messages.empty(), "a readable profile gave a message");
    for (const std::string& folder : form.list_Folders.items())
        Check(folder != "EOF!", "the end marker was shown as a folder");
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i)
        Check((!form.txt_filterext[i].text().empty() && !form.txt_filterfolder[i].text().empty()) ||
                  form.txt_Downloadfolder.text().empty(),
              "a filter category was left without its default");
    const std::vector<std::string> first = shown(form);
    for (const std::string& value : first)
        Check(morvane::IsUtf8(value), "a value was shown in neither UTF-8 nor converted");

    form.SaveProfile("fuzzed");
    Check(platform.dialogs.messages.empty(), "saving a loaded profile failed");
    form.LoadProfile("fuzzed");
    Check(shown(form) == first, "a saved profile reads back differently");
    Check(platform.registry.calls() == 0, "loading a profile touched the registry");
    return 0;
}
