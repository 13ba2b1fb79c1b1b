// The three number fields: digits only, and a value of their own when left empty.

#include "profiles/NumberFields.h"

#include "app/Form1.h"

namespace morvane {

std::string DigitsOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

void Form1::NumberField_Change(ui::TextBox& field) {
    // Pasted or dropped text never passes the key filter; every route ends in a change.
    field.setText(DigitsOf(field.text()));
}

namespace {

void digitsOnly(int& keyAscii) {
    constexpr int kBackspace = 8;
    if (keyAscii != kBackspace && (keyAscii < '0' || keyAscii > '9'))
        keyAscii = 0;
}

} // namespace

void Form1::txt_Downloads_KeyPress(int& keyAscii) {
    digitsOnly(keyAscii);
}

void Form1::txt_Uploads_KeyPress(int& keyAscii) {
    digitsOnly(keyAscii);
}

void Form1::txt_Searchresults_KeyPress(int& keyAscii) {
    digitsOnly(keyAscii);
}

void Form1::txt_Downloads_LostFocus() {
    if (txt_Downloads.text().empty())
        txt_Downloads.setText("1");
    SaveProfile(txt_profilename.text());
}

void Form1::txt_Uploads_LostFocus() {
    if (txt_Uploads.text().empty())
        txt_Uploads.setText("1");
    SaveProfile(txt_profilename.text());
}

void Form1::txt_Searchresults_LostFocus() {
    if (txt_Searchresults.text().empty())
        txt_Searchresults.setText("50");
    SaveProfile(txt_profilename.text());
}

} // namespace morvane
