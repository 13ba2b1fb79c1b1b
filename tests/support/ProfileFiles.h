#pragma once
// A profile as tests write and expect it: the lines of its file, which are also the values of
// the main window's controls in the same order (4 values, folders, "EOF!", then extension
// list and destination folder of the 5 categories).

#include "profiles/ProfilePath.h"
#include "support/Harness.h"

namespace morvane::test {

using Lines = std::vector<std::string>;

inline constexpr const char* kProfileFolder = "C:\\FastTrackProfiles";

inline std::string profileFile(const std::string& name) {
    return std::string(kProfileFolder) + "\\" + name + ".profile";
}

inline Lines storedProfiles(FileSystem& files) {
    return files.listFiles(std::string(kProfileFolder) + "\\*");
}

// Each line followed by CR LF, as profile files end every line.
inline std::string crlf(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline Lines operator+(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The profile with one line changed.
inline Lines with(Lines profile, std::size_t line, const std::string& value) {
    profile[line] = value;
    return profile;
}

inline void show(Form1& form, const Lines& profile) {
    std::size_t next = 0;
    for (ui::TextBox* box : {&form.txt_Downloadfolder, &form.txt_Downloads, &form.txt_Uploads,
                             &form.txt_Searchresults})
        box->setText(profile[next++]);
    form.list_Folders.clear();
    while (profile[next] != "EOF!")
        form.list_Folders.addItem(profile[next++]);
    for (std::size_t c = 0; c < 5; ++c) {
        form.txt_filterext[c].setText(profile[++next]);
        form.txt_filterfolder[c].setText(profile[++next]);
    }
}

inline Lines shown(const Form1& form) {
    Lines out = Lines{form.txt_Downloadfolder.text(), form.txt_Downloads.text(),
                      form.txt_Uploads.text(), form.txt_Searchresults.text()} +
                form.list_Folders.items() + Lines{"EOF!"};
    for (std::size_t c = 0; c < 5; ++c)
        out = out + Lines{form.txt_filterext[c].text(), form.txt_filterfolder[c].text()};
    return out;
}

// Where the current name stands: the name box, the variable and the list's entries.
inline std::string nameState(const Form1& form) {
    std::string out = form.txt_profilename.text() + "|" + form.str_currentprofilename + "|";
    for (const std::string& entry : form.list_Profiles.items())
        out += entry + ",";
    return out;
}

// Two complete profiles that differ in every value; alice's hold the awkward characters.
inline const Lines kAlice = {
    "D:\\Alice dl", "4",      "2",    "250",    "C:\\Music", "D:\\Films, old; \"best\"",
    "  E:\\lead",   "EOF!",   "ogg;", "D:\\a0", "mkv;",      "D:\\a1",
    "png;",         "D:\\a2", "txt;", "D:\\a3", "msi;",      "D:\\a4"};
inline const Lines kBob = {"E:\\Bob", "9",      "8",    "7",      "E:\\Share", "EOF!",
                           "flac;",   "E:\\b0", "avi;", "E:\\b1", "gif;",      "E:\\b2",
                           "rtf;",    "E:\\b3", "cab;", "E:\\b4"};

// `name` is current, stored and shown with alice's values, listed first and selected; each of
// `others` is stored with bob's values and listed after it.
inline void current(Harness& h, Form1& f, const std::string& name, const Lines& others = {"bob"}) {
    if (std::optional<std::string> path = ProfilePath(name))
        h.writeFile(*path, crlf(kAlice));
    for (const std::string& entry : Lines{name} + others) {
        f.list_Profiles.addItem(entry);
        if (entry != name)
            h.writeFile(profileFile(entry), crlf(kBob));
    }
    f.list_Profiles.setListIndex(0);
    show(f, kAlice);
    f.str_currentprofilename = name;
    f.txt_profilename.setText(name);
}

// The emulated drive on a full disk: each write stores two lines, then fails. Deleting works.
struct FullDisk : EmulatedFileSystem {
    using EmulatedFileSystem::EmulatedFileSystem;
    bool writeLines(const std::string& path, const Lines& lines) override {
        EmulatedFileSystem::writeLines(path, Lines(lines.begin(), lines.begin() + 2));
        return false;
    }
};

} // namespace morvane::test
