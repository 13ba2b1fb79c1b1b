#pragma once
// The FastTrack clients the program can serve, one fixed row each.

#include <array>
#include <string_view>

namespace morvane {

struct TargetApplication {
    std::string_view displayName;
    std::string_view markerFile;
    std::string_view localContent;
    std::string_view userDetails;
    std::string_view transfer;
    std::string_view advanced;
};

// In the order of the marker probe: a later row found overrides an earlier one.
inline constexpr std::array<TargetApplication, 3> kTargetApplications{{
    {"Grokster", "c:\\FastTrackProfiles\\grokster.id", "Software\\Grokster\\LocalContent",
     "Software\\Grokster\\UserDetails", "Software\\Grokster\\Transfer",
     "Software\\Grokster\\Advanced"},
    {"Kazaa", "c:\\FastTrackProfiles\\kazaa.id", "Software\\Kazaa\\LocalContent",
     "Software\\Kazaa\\UserDetails", "Software\\Kazaa\\Transfer", "Software\\Kazaa\\Advanced"},
    {"Fileshare", "c:\\FastTrackProfiles\\fileshare.id", "Software\\Fileshare\\LocalContent",
     "Software\\Fileshare\\UserDetails", "Software\\Fileshare\\Transfer",
     "Software\\Fileshare\\Advanced"},
}};

} // namespace morvane
