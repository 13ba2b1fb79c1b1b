#pragma once
// The profile file's pieces that other profile code shares with SaveProfile and the loads.

#include <string>

namespace morvane {

class Form1;

// Writes the controls into the profile's file. The new contents go to a file beside the old
// one and replace it only once complete, so a failed save leaves the old file as it was.
// False, after telling the user, when the file could not be written; true for the empty
// name, for which nothing is written by design.
bool WriteProfileFile(Form1& form, const std::string& name);

// The default step: an empty extension list gets its category's default, an empty
// destination folder the download folder.
void FillFilterDefaults(Form1& form);

} // namespace morvane
