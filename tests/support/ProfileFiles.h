#pragma once
// Profiles as tests write and expect them: a set of values that can be put into the main
// window's controls, read back from them, and spelled as the bytes of a profile file.

#include <array>
#include <string>
#include <vector>

#include "app/Form1.h"

namespace morvane::test {

inline constexpr const char* kProfileFolder = "C:\\FastTrackProfiles";

inline std::string profileFile(const std::string& name) {
    return std::string(kProfileFolder) + "\\" + name + ".profile";
}

// Each line followed by CR LF, as profile files end every line.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

struct ProfileValues {
    std::string downloadFolder;
    std::string downloads;
    std::string uploads;
    std::string searchResults;
    std::vector<std::string> sharedFolders;
    std::array<std::string, 5> extensions;
    std::array<std::string, 5> destinations;

    // The profile's file, line by line.
    std::vector<std::string> lines() const {
        std::vector<std::string> out = {downloadFolder, downloads, uploads, searchResults};
        out.insert(out.end(), sharedFolders.begin(), sharedFolders.end());
        out.push_back("EOF!");
        for (std::size_t i = 0; i < 5; ++i) {
            out.push_back(extensions[i]);
            out.push_back(destinations[i]);
        }
        return out;
    }
    std::string bytes() const { return crlf(lines()); }

    void putInto(Form1& form) const {
        form.txt_Downloadfolder.setText(downloadFolder);
        form.txt_Downloads.setText(downloads);
        form.txt_Uploads.setText(uploads);
        form.txt_Searchresults.setText(searchResults);
        form.list_Folders.clear();
        for (const std::string& folder : sharedFolders)
            form.list_Folders.addItem(folder);
        for (std::size_t i = 0; i < 5; ++i) {
            form.txt_filterext[i].setText(extensions[i]);
            form.txt_filterfolder[i].setText(destinations[i]);
        }
    }

    static ProfileValues readFrom(const Form1& form) {
        ProfileValues v{form.txt_Downloadfolder.text(),
                        form.txt_Downloads.text(),
                        form.txt_Uploads.text(),
                        form.txt_Searchresults.text(),
                        form.list_Folders.items(),
                        {},
                        {}};
        for (std::size_t i = 0; i < 5; ++i) {
            v.extensions[i] = form.txt_filterext[i].text();
            v.destinations[i] = form.txt_filterfolder[i].text();
        }
        return v;
    }

    friend bool operator==(const ProfileValues&, const ProfileValues&) = default;
};

// Two complete profiles that differ in every field.
inline ProfileValues aliceValues() {
    return {"D:\\Alice dl",
            "4",
            "2",
            "250",
            {"C:\\Music", "D:\\Films, old; \"best\"", "  E:\\lead"},
            {"ogg;", "mkv;", "png;", "txt;", "msi;"},
            {"D:\\a0", "D:\\a1", "D:\\a2", "D:\\a3", "D:\\a4"}};
}

inline ProfileValues bobValues() {
    return {"E:\\Bob",
            "9",
            "8",
            "7",
            {"E:\\Share"},
            {"flac;", "avi;", "gif;", "rtf;", "cab;"},
            {"E:\\b0", "E:\\b1", "E:\\b2", "E:\\b3", "E:\\b4"}};
}

} // namespace morvane::test
