// The profile reader on any bytes as the file (CR, LF and NUL included, any length, UTF-8 or
// not): it never fails on a readable file, never touches the registry, never shows "EOF!" as a
// folder, shows what the codec reads (a file that is not UTF-8 converted from the legacy code
// page, so every value is UTF-8), and what it shows survives a save and a second load
// unchanged; the codec's writer and reader agree on whatever the reader made of the bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "fuzz/FuzzPlatform.h"
#include "platform/Characters.h"
#include "profiles/NumberFields.h"
#include "profiles/ProfileFile.h"

using morvane::MainWindow;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using morvane::fuzz::Check;
    const std::string path = "C:\\FastTrackProfiles\\fuzzed.profile";
    morvane::fuzz::FuzzPlatform platform;
    platform.writeFile(path, std::string(reinterpret_cast<const char*>(data), size));
    const std::optional<morvane::ProfileRead> loaded =
        morvane::LoadProfileFile(*platform.files, path);
    Check(loaded.has_value(), "a written profile file could not be read");
    const morvane::ProfileRead& read = *loaded;
    for (const std::string& line : morvane::ProfileLines(read.profile))
        Check(morvane::IsUtf8(line), "a value was read in neither UTF-8 nor converted");
    Check(morvane::ReadProfileBytes(morvane::ProfileBytes(read.profile)).profile == read.profile,
          "the codec's writer and reader disagree");
    MainWindow form(platform.services);
    form.profiles.setCurrentName("fuzzed");

    form.profileView.LoadProfile("fuzzed");
    Check(platform.dialogs.messages.empty(), "a readable profile gave a message");
    for (const std::string& folder : form.sharedFolderList.items())
        Check(folder != "EOF!", "the end marker was shown as a folder");
    for (std::size_t i = 0; i < form.filterRows.size(); ++i)
        Check((!form.filterRows[i].extensions.text().empty() &&
               !form.filterRows[i].folder.text().empty()) ||
                  form.downloadFolderBox.text().empty(),
              "a filter category was left without its default");
    morvane::Profile expected = read.profile;
    morvane::FillFilterDefaults(expected);
    // The number boxes hold digits only, whatever the file says.
    for (std::string* number : {&expected.downloads, &expected.uploads, &expected.searchResults})
        *number = morvane::DigitsOf(*number);
    Check(form.profiles.values() == expected && form.profileNameBox.text() == "fuzzed",
          "the window shows other values than the codec reads");

    form.profileView.SaveProfile("fuzzed");
    Check(platform.dialogs.messages.empty(), "saving a loaded profile failed");
    form.profileView.LoadProfile("fuzzed");
    Check(form.profiles.values() == expected && form.profileNameBox.text() == "fuzzed",
          "a saved profile reads back differently");
    Check(platform.registry.calls() == 0, "loading a profile touched the registry");
    return 0;
}
