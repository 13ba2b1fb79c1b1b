#pragma once
// The control model: controls as plain objects that hold their state and raise their events.
// Views (Win32 or headless) mirror the state through onViewSync and feed user actions back
// through the user* members; behaviour code only ever talks to these objects.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/FolderLists.h"

namespace morvane::ui {

class Image : public Control {
public:
    Image() : Control(Kind::Image) {}
    std::string picture; // resource name of the bitmap
};

class Label : public Control {
public:
    Label() : Control(Kind::Label) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    Colour foreColour() const { return foreColour_; }
    void setForeColour(Colour colour);
    bool centred = false;
    // A label that runs something when clicked (a menu item): the keyboard reaches it by Tab
    // and presses it with Space or Enter, and assistive technology reads it as a button.
    bool command = false;
    // A command that stands for what is in front now (the section whose page is shown).
    bool selected() const { return selected_; }
    void setSelected(bool selected);

    std::function<void()> Click;
    MouseHandler MouseMove;

    void click() {
        if (Click)
            Click();
    }

private:
    std::string caption_;
    Colour foreColour_ = kBlack;
    bool selected_ = false;
};

class TextBox : public Control {
public:
    TextBox() : Control(Kind::TextBox) {}

    const std::string& text() const { return text_; }
    // From code: mirrors into the view and raises Change at once (when the text differs).
    void setText(std::string text);

    int maxLength = 0; // characters; 0: no limit on typing
    bool readOnly = false;

    std::function<void()> Change;
    // A typed character: its code (for a character outside ASCII, its Unicode code point, so
    // a character is always one key, however many bytes it takes). Set it to 0 to discard.
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void()> LostFocus;

    // Called by a view for what the user did in the real control.
    bool userKey(int& keyAscii); // false when the handler discarded the key
    void userEdited(std::string text);
    void userLeft() {
        if (LostFocus)
            LostFocus();
    }

private:
    std::string text_;
};

class ListBox : public Control {
public:
    ListBox() : Control(Kind::ListBox) {}

    int count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& items() const { return items_; }
    void addItem(std::string text);
    void removeItem(int index);
    void setItem(int index, std::string text);
    void clear();
    // Replaces every row at once, so a view can show them in one go; no row is selected.
    void setItems(std::vector<std::string>&& items);
    // The same from rows kept elsewhere: copied into the rows the list has, which keep their
    // storage where it fits (a profile loaded again costs no allocation).
    void setItems(const std::vector<std::string>& items);

    // Between these a view need not show each change as it comes: rows added one by one
    // appear together at the end (a long filter pass). Pairs nest.
    void beginUpdate();
    void endUpdate();
    bool updating() const { return updating_ > 0; }

    int listIndex() const { return listIndex_; }
    // From code: selects (or -1 for none) and raises Click when the selection changes.
    void setListIndex(int index);
    int topIndex() const { return topIndex_; }
    void setTopIndex(int index);
    // A log read as it grows: a view keeps its newest row in sight as rows come, in ones or at
    // an update's end, unless the user has scrolled away from the end (their place is kept).
    bool followsEnd = false;

    std::function<void()> Click;
    std::function<void()> Scroll;
    MouseHandler MouseDown;

    // Called by a view: the user selected a row, or clicked the selected one (raises Click).
    void userSelected(int index);
    void userScrolled(int topIndex);
    void userMouseDown(int button, int shift, float x, float y) {
        if (MouseDown)
            MouseDown(button, shift, x, y);
    }

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
    int updating_ = 0;
};

// A list's update for as long as this lives.
class ListUpdate {
public:
    explicit ListUpdate(ListBox& list) : list_(list) { list_.beginUpdate(); }
    ~ListUpdate() { list_.endUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    ListBox& list_;
};

class Button : public Control {
public:
    Button() : Control(Kind::Button) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    std::string picture; // resource name for a picture button, empty for a text button

    std::function<void()> Click;
    void click() {
        if (Click && enabled())
            Click();
    }

private:
    std::string caption_;
};

class Timer : public Control {
public:
    Timer() : Control(Kind::Timer) {}
    int interval = 0; // milliseconds
    std::function<void()> Tick;
    void tick() {
        if (Tick && enabled())
            Tick();
    }
};

struct MenuItem {
    std::string name;
    std::string caption;
    bool enabled = true;
    std::function<void()> Click;
};

// A menu that is only ever shown as a pop-up.
struct Menu {
    std::string name;
    std::string caption;
    std::vector<MenuItem> items;
};

enum class WindowState { Normal = 0, Minimised = 1 };

class Window : public Container {
public:
    Window() : Container(Kind::Window) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    int clientWidth = 0; // twips
    int clientHeight = 0;
    bool toolWindow = true;
    bool centredOnOwner = false; // else centred on the screen
    std::string icon;            // resource name
    // The buttons that Enter and Esc press, if any.
    Button* defaultButton = nullptr;
    Button* cancelButton = nullptr;

    WindowState state() const { return state_; }
    void setState(WindowState state);

    std::function<void()> Resize;
    std::function<void()> Unload;
    // A key pressed anywhere in the window, before the control with the focus sees it; true
    // takes the key (the control never sees it).
    std::function<bool(int keyCode, int shift)> KeyDown;
    // The shell's task bar was made afresh; a notification icon must be added again.
    std::function<void()> TaskbarCreated;

private:
    std::string caption_;
    WindowState state_ = WindowState::Normal;
};

} // namespace morvane::ui
