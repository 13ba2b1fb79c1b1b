// PLACEHOLDER until the profile list lands.
#include "app/Form1.h"
namespace morvane {
void Form1::ListProfiles(const std::string&) {}
void Form1::DeleteProfileFile(const std::string&) {}
void Form1::list_Profiles_MouseDown(int, int, float, float) {}
void Form1::AddProfile_Click() {}
void Form1::DeleteProfile_Click() {}
void Form1::txt_profilename_KeyPress(int&) {}
void Form1::txt_profilename_Change() {}
void Form1::txt_Downloads_KeyPress(int&) {}
void Form1::txt_Uploads_KeyPress(int&) {}
void Form1::txt_Searchresults_KeyPress(int&) {}
void Form1::txt_Downloads_LostFocus() {}
void Form1::txt_Uploads_LostFocus() {}
void Form1::txt_Searchresults_LostFocus() {}
} // namespace morvane
