#include "platform/ui/Controls.h"

#include <algorithm>

namespace morvane::ui {

void Control::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    sync(Aspect::Visible);
}

bool Control::shownOnScreen() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    sync(Aspect::Enabled);
}

void Container::add(Control& child, std::string childName, Rect childRect) {
    child.name = std::move(childName);
    child.rect = childRect;
    child.parent_ = this;
    children_.push_back(&child);
}

void Container::bringToFront() {
    // One counter for the whole program: a later call is always in front.
    static std::uint64_t stacking = 0;
    z_ = ++stacking;
    sync(Aspect::ZOrder);
}

void Label::setCaption(std::string caption) {
    caption_ = std::move(caption);
    sync(Aspect::Text);
}

void Label::setForeColour(Colour colour) {
    if (foreColour_ == colour)
        return;
    foreColour_ = colour;
    sync(Aspect::Colour);
}

void Label::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    sync(Aspect::State);
}

void TextBox::setText(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    sync(Aspect::Text);
    if (Change)
        Change();
}

bool TextBox::userKey(int& keyAscii) {
    if (KeyPress)
        KeyPress(keyAscii);
    return keyAscii != 0;
}

void TextBox::userEdited(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    if (Change)
        Change();
}

void ListBox::addItem(std::string text) {
    items_.push_back(std::move(text));
    sync(Aspect::Items);
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= count())
        return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, count() - 1));
    sync(Aspect::Items);
}

void ListBox::setItem(int index, std::string text) {
    if (index < 0 || index >= count())
        return;
    items_[static_cast<std::size_t>(index)] = std::move(text);
    sync(Aspect::Items);
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    sync(Aspect::Items);
}

void ListBox::setItems(std::vector<std::string>&& items) {
    items_ = std::move(items);
    listIndex_ = -1;
    topIndex_ = 0;
    sync(Aspect::Items);
}

void ListBox::setItems(const std::vector<std::string>& items) {
    items_ = items;
    listIndex_ = -1;
    topIndex_ = 0;
    sync(Aspect::Items);
}

void ListBox::beginUpdate() {
    if (updating_++ == 0)
        sync(Aspect::Updating);
}

void ListBox::endUpdate() {
    if (updating_ > 0 && --updating_ == 0)
        sync(Aspect::Updating);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count())
        return;
    if (index == listIndex_)
        return;
    listIndex_ = index;
    sync(Aspect::Selection);
    if (Click)
        Click();
}

void ListBox::setTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, count() - 1));
    if (index == topIndex_)
        return;
    topIndex_ = index;
    sync(Aspect::TopIndex);
}

void ListBox::userSelected(int index) {
    if (index < -1 || index >= count())
        return;
    listIndex_ = index;
    if (Click)
        Click();
}

void ListBox::userScrolled(int topIndex) {
    if (topIndex == topIndex_)
        return;
    topIndex_ = topIndex;
    if (Scroll)
        Scroll();
}

void Button::setCaption(std::string caption) {
    caption_ = std::move(caption);
    sync(Aspect::Text);
}

void Window::setCaption(std::string caption) {
    caption_ = std::move(caption);
    sync(Aspect::Text);
}

void Window::setState(WindowState state) {
    if (state_ == state)
        return;
    state_ = state;
    sync(Aspect::State);
    if (Resize)
        Resize();
}

} // namespace morvane::ui
