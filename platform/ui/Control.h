#pragma once
// The control model's base: geometry, colours and fonts, and the control and container every
// control of platform/ui/Controls.h is. Controls hold their state and raise their events;
// views (Win32 or headless) mirror the state through onViewSync and feed user actions back
// through the user* members.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane::ui {

// Positions and sizes in twips, relative to the containing control.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kLightGrey{224, 224, 224};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kBlack{0, 0, 0};

enum class Font {
    SansSerif,      // MS Sans Serif 8.25 pt
    SansSerifBold,  // MS Sans Serif 8.25 pt bold
    ArialBold,      // Arial 8.25 pt bold
    ArialSmallBold, // Arial 6 pt bold
};

enum class Kind {
    Window,
    Frame,
    PictureBox,
    Image,
    Label,
    TextBox,
    ListBox,
    Button,
    Timer,
    DriveList,
    DirList
};

// What changed in the model, so a view can mirror just that.
enum class Aspect {
    Text,
    Visible,
    Enabled,
    Colour,
    Items,
    Selection,
    TopIndex,
    ZOrder,
    Timer,
    State,
    Updating
};

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// The shift state a handler receives, and the keys the program acts on (Windows' key codes).
enum ShiftState { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };
enum KeyCode { kKeyTab = 0x09, kKeyPageUp = 0x21, kKeyPageDown = 0x22 };

class Container;

class Control {
public:
    // Windows start hidden; every other control starts visible.
    explicit Control(Kind kind) : kind_(kind), visible_(kind != Kind::Window) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Kind kind() const { return kind_; }
    Container* parent() const { return parent_; }

    // The program's own name for the control, "profileNameBox" or "commandBar(1)".
    std::string name;
    Rect rect;
    Font font = Font::SansSerif;
    std::optional<Colour> background; // none: the system's colour for this kind
    // What assistive technology reads as the control's name: the caption a sighted person
    // reads beside or above it. Empty: the system's own (a button's caption, a label's text).
    std::string accessibleName;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible itself and every container up to the window.
    bool shownOnScreen() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Set by a view: called after the model changed an aspect of this control.
    std::function<void(Aspect)> onViewSync;

protected:
    void sync(Aspect aspect) {
        if (onViewSync)
            onViewSync(aspect);
    }

private:
    friend class Container;
    Kind kind_;
    Container* parent_ = nullptr;
    bool visible_;
    bool enabled_ = true;
};

// A drawn outline (a shape): lines only, no input.
struct Outline {
    std::string name;
    Rect rect;
};

class Container : public Control {
public:
    using Control::Control;

    void add(Control& child, std::string childName, Rect childRect);
    const std::vector<Control*>& children() const { return children_; }

    std::vector<Outline> outlines;

    // Raises the container above its siblings; z() tells the stacking order.
    void bringToFront();
    std::uint64_t z() const { return z_; }

    MouseHandler MouseMove;

private:
    std::vector<Control*> children_;
    std::uint64_t z_ = 0;
};

// A frame or a picture box: a container without behaviour of its own.
class Frame : public Container {
public:
    explicit Frame(Kind kind = Kind::Frame) : Container(kind) {}
};

} // namespace morvane::ui
