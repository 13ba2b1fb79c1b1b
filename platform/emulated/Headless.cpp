#include "platform/emulated/Headless.h"

#include <utility>

#include "platform/Characters.h"
#include "platform/ui/Controls.h"

namespace morvane {

MessageAnswer HeadlessDialogs::messageBox(const std::string& text, const std::string& caption,
                                          MessageButtons buttons, MessageIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (whileShowing)
        whileShowing();
    if (!answers.empty()) {
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

int HeadlessDialogs::popupMenu(const ui::Menu& menu) {
    ShownMenu shown{menu.name, {}, {}};
    for (const ui::MenuItem& item : menu.items) {
        shown.captions.push_back(item.caption);
        shown.enabled.push_back(item.enabled);
    }
    menus.push_back(std::move(shown));
    if (menuChoices.empty())
        return -1;
    int choice = menuChoices.front();
    menuChoices.pop_front();
    // A greyed item cannot be chosen.
    if (choice >= 0 && choice < static_cast<int>(menu.items.size()) &&
        !menu.items[static_cast<std::size_t>(choice)].enabled)
        return -1;
    return choice;
}

void HeadlessWindowManager::showModal(ui::Window& window) {
    modalShows.push_back(window.caption());
    window.setVisible(true);
    if (onModal)
        onModal(window);
    window.setVisible(false);
}

namespace {

ui::TextBox* textBox(ui::Control* control) {
    return control && control->kind() == ui::Kind::TextBox ? static_cast<ui::TextBox*>(control)
                                                           : nullptr;
}

} // namespace

void HeadlessWindowManager::focus(ui::Control* control) {
    ui::Control* left = std::exchange(focused_, control);
    if (left != control)
        if (ui::TextBox* box = textBox(left))
            box->userLeft();
}

void HeadlessWindowManager::leaveFocusedControl(ui::Window& window) {
    for (const ui::Control* at = focused_; at; at = at->parent())
        if (at == &window) {
            if (ui::TextBox* box = textBox(focused_))
                box->userLeft();
            return;
        }
}

bool RecordingShell::notifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
    notifyCalls.emplace_back(message, record);
    if (message == kNotifyAdd) {
        if (iconPresent || refuseAdd)
            return false;
        iconPresent = true;
        return true;
    }
    if (message == kNotifyDelete) {
        bool was = iconPresent;
        iconPresent = false;
        return was;
    }
    return false;
}

namespace {

void typeCharacter(ui::TextBox& box, const std::string& character) {
    if (box.readOnly || !box.enabled())
        return;
    const int typed = static_cast<int>(CharacterCode(character, 0));
    int key = typed;
    if (!box.userKey(key))
        return;
    std::string edited = box.text();
    if (key == 8) {
        if (edited.empty())
            return;
        std::size_t last = 0;
        for (std::size_t at = 0; at < edited.size(); at += CharacterLength(edited, at))
            last = at;
        edited.erase(last);
    } else if (key < 32) {
        return; // other control keys do not edit a single-line box
    } else {
        if (box.maxLength > 0 && static_cast<int>(CharacterCount(edited)) >= box.maxLength)
            return;
        edited += key == typed ? character : Utf8Of(static_cast<char32_t>(key));
    }
    // A typed edit is on screen at once: set as from code, so a view mirrors it, and Change
    // follows. The edit always differs from the text it was made from.
    box.setText(std::move(edited));
}

} // namespace

void Type(ui::TextBox& box, const std::string& characters) {
    for (std::size_t at = 0; at < characters.size();) {
        const std::size_t length = CharacterLength(characters, at);
        typeCharacter(box, characters.substr(at, length));
        at += length;
    }
}

void Press(ui::ListBox& list, int button, int row, int shift) {
    if (button == ui::kLeftButton && row >= 0 && row < list.count()) {
        if (row != list.listIndex())
            list.setListIndex(row); // selects, shows the selection and raises Click
        else
            list.userSelected(row); // the row already selected: Click again
    }
    list.userMouseDown(button, shift, 0, 0);
}

void MoveMouse(ui::Label& label) {
    if (label.MouseMove)
        label.MouseMove(0, 0, 0, 0);
}

bool PressKey(ui::Window& window, int keyCode, int shift) {
    return window.KeyDown && window.KeyDown(keyCode, shift);
}

} // namespace morvane
