// The profile file: one value per line, CR LF after every line. Four values, the shared
// folders, "EOF!", then extension list and destination folder of the five categories.

#include "profiles/ProfileFile.h"

#include <optional>
#include <vector>

#include "app/Form1.h"
#include "profiles/DefaultExtensions.h"
#include "profiles/ProfilePath.h"
#include "profiles/ProfileText.h"

namespace morvane {

namespace {

constexpr const char* kEndOfFolders = "EOF!";
constexpr std::size_t kFirstFolderLine = 4; // 0-based: after the four single values
constexpr const char* kNameRule =
    "a profile name must not be blank, start with a dot, be a device name such as \"con\" "
    "or hold any of \\ / : * ? \" < > |.";

std::vector<std::string> profileLines(const Form1& form) {
    std::vector<std::string> lines = {form.txt_Downloadfolder.text(), form.txt_Downloads.text(),
                                      form.txt_Uploads.text(), form.txt_Searchresults.text()};
    for (const std::string& folder : form.list_Folders.items())
        lines.push_back(folder);
    lines.push_back(kEndOfFolders);
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i) {
        lines.push_back(form.txt_filterext[i].text());
        lines.push_back(form.txt_filterfolder[i].text());
    }
    return lines;
}

std::optional<std::vector<std::string>> readProfile(Form1& form, const std::string& name) {
    std::optional<std::string> path = ProfilePath(name);
    if (!path)
        return std::nullopt;
    std::optional<std::vector<std::string>> lines = form.sys.files.readLines(*path);
    if (lines)
        *lines = ProfileText(std::move(*lines), form.sys.files);
    return lines;
}

void clearFilterControls(Form1& form) {
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i) {
        form.txt_filterext[i].setText("");
        form.txt_filterfolder[i].setText("");
    }
}

// A category takes its two lines only when both are there; the file's end stops the reading.
void readFilterSection(Form1& form, const std::vector<std::string>& lines, std::size_t next) {
    for (std::size_t i = 0; i < form.txt_filterext.size() && next + 1 < lines.size();
         ++i, next += 2) {
        form.txt_filterext[i].setText(lines[next]);
        form.txt_filterfolder[i].setText(lines[next + 1]);
    }
}

} // namespace

bool WriteProfileFile(Form1& form, const std::string& name) {
    if (name.empty())
        return true;
    const std::optional<std::string> path = ProfilePath(name);
    if (!path) {
        form.MsgBox("Could not save the profile \"" + ShortenMiddle(name) + "\": " + kNameRule);
        return false;
    }
    FileSystem& files = form.sys.files;
    bool saved = files.directoryExists(kProfileDirectory) || files.makeDirectory(kProfileDirectory);
    if (saved) {
        // Never truncate the only copy: a save cut short must not cost the profile.
        const std::string temporary = *path + ".tmp";
        saved = files.writeLines(temporary, profileLines(form)) && files.replace(temporary, *path);
        if (!saved)
            files.deleteFile(temporary);
    }
    if (!saved)
        form.MsgBox("Could not save the profile file " + ShortenMiddle(*path) +
                    ". The file was left as it was.");
    return saved;
}

void FillFilterDefaults(Form1& form) {
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i) {
        if (form.txt_filterext[i].text().empty())
            form.txt_filterext[i].setText(kDefaultExtensionLists[i]);
        if (form.txt_filterfolder[i].text().empty())
            form.txt_filterfolder[i].setText(form.txt_Downloadfolder.text());
    }
}

void Form1::SaveProfile(const std::string& name) {
    WriteProfileFile(*this, name);
}

void Form1::LoadProfile(const std::string& name) {
    // The whole file is read before anything else happens, so nothing that the name box's
    // rename step does below can disturb the reading.
    const std::optional<std::vector<std::string>> lines = readProfile(*this, name);
    if (lines) {
        // A file cut short reads as if its missing lines were empty.
        auto line = [&lines](std::size_t index) {
            return index < lines->size() ? (*lines)[index] : std::string();
        };
        txt_Downloadfolder.setText(line(0));
        txt_Downloads.setText(line(1));
        txt_Uploads.setText(line(2));
        txt_Searchresults.setText(line(3));
        list_Folders.clear();
        std::size_t next = kFirstFolderLine;
        for (; next < lines->size() && (*lines)[next] != kEndOfFolders; ++next)
            list_Folders.addItem((*lines)[next]);
        clearFilterControls(*this);
        readFilterSection(*this, *lines, next + 1);
    } else if (!name.empty()) {
        // The values shown stay: they are the profile just stored, so nothing is lost, and
        // the user learns why they did not change.
        const std::optional<std::string> path = ProfilePath(name);
        MsgBox(path ? "Could not read the profile file " + ShortenMiddle(*path) +
                          ". The values shown were kept."
                    : "Could not read the profile \"" + ShortenMiddle(name) + "\": " + kNameRule);
    }
    FillFilterDefaults(*this);
    // The name goes in last. A file name with capitals makes the box's rename step store the
    // profile under the lower-case name, and it must store the values just read.
    txt_profilename.setText(name);
}

void Form1::LoadFilterSettings(const std::string& name) {
    const std::optional<std::vector<std::string>> lines = readProfile(*this, name);
    if (lines) {
        std::size_t marker = kFirstFolderLine;
        while (marker < lines->size() && (*lines)[marker] != kEndOfFolders)
            ++marker;
        // Without the marker there is no filter section: the controls keep what they hold.
        if (marker < lines->size()) {
            clearFilterControls(*this);
            readFilterSection(*this, *lines, marker + 1);
        }
    }
    FillFilterDefaults(*this);
}

} // namespace morvane
