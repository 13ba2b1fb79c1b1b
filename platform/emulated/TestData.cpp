#include "platform/emulated/TestData.h"

#include <regex>

namespace morvane {

std::string DatFileBytes(const std::string& stored, const std::string& after) {
    return std::string("KZ\x01\x00\x10\x27\xff\xfe", 8) + stored + after + "\x01\x02\x03";
}

bool IsOwnMessage(const ShownMessage& message) {
    // Caption, then text; "[^]" is any character, line ends included.
    static const std::pair<const char*, std::regex> kOwn[] = {
        {"Error", std::regex(R"(Could not (open|create|delete) the (key|Key|value): [^]+)")},
        {"Morvane",
         std::regex(R"(Could not save the profile file [^]+\. The file was left as it was\.)")},
        {"Morvane",
         std::regex(R"(Could not read the profile file [^]+\. The values shown were kept\.)")},
        {"Morvane", std::regex(R"(Could not (save|read) the profile "[^]*": a profile name )"
                               R"(must not be blank, [^]+)")},
        {"Morvane", std::regex("NO INSTALLED FASTTRACK APPLICATIONS")},
        {"Morvane", std::regex(R"(Rename [^\\]+\.dat to [^]+\?)")},
        {"Morvane", std::regex("File Rename Failed!")},
        {"Morvane", std::regex(R"(Delete profile [^]+\?)")},
        {"Morvane", std::regex("Filter Folders Are No Longer On The Same Drive As Download "
                               "Folder: Filter Folders Reset")},
        {"Morvane", std::regex("Choose A Download Folder On A Drive First")},
    };
    for (const auto& [caption, text] : kOwn)
        if (message.caption == caption && std::regex_match(message.text, text))
            return true;
    return false;
}

} // namespace morvane
