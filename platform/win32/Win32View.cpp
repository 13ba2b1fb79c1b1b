#include "platform/win32/Win32View.h"

#include <algorithm>

#include "platform/win32/Win32Peers.h"

namespace morvane {

using namespace win32;

namespace {

std::unique_ptr<Peer> makePeer(Win32View& view, ui::Control& control, UINT_PTR timerId) {
    switch (control.kind()) {
    case ui::Kind::Window:
        return std::make_unique<WindowPeer>(view, static_cast<ui::Window&>(control));
    case ui::Kind::Frame:
    case ui::Kind::PictureBox:
        return std::make_unique<ContainerPeer>(view, static_cast<ui::Container&>(control));
    case ui::Kind::Image:
        return std::make_unique<ImagePeer>(view, static_cast<ui::Image&>(control));
    case ui::Kind::Label:
        return std::make_unique<LabelPeer>(view, static_cast<ui::Label&>(control));
    case ui::Kind::TextBox:
        return std::make_unique<TextBoxPeer>(view, static_cast<ui::TextBox&>(control));
    case ui::Kind::ListBox:
        return std::make_unique<ListBoxPeer>(view, static_cast<ui::ListBox&>(control));
    case ui::Kind::Button:
        return std::make_unique<ButtonPeer>(view, static_cast<ui::Button&>(control));
    case ui::Kind::Timer:
        return std::make_unique<TimerPeer>(view, static_cast<ui::Timer&>(control), timerId);
    case ui::Kind::DriveList:
        return std::make_unique<DriveListPeer>(view, static_cast<ui::DriveListBox&>(control));
    case ui::Kind::DirList:
        return std::make_unique<DirListPeer>(view, static_cast<ui::DirListBox&>(control));
    }
    return nullptr;
}

bool isContainer(const ui::Control& control) {
    return control.kind() == ui::Kind::Window || control.kind() == ui::Kind::Frame ||
           control.kind() == ui::Kind::PictureBox;
}

// Whether a shown container stacked above the window, beside it, holds its middle.
bool coveredFromAbove(HWND hwnd) {
    RECT mine;
    GetWindowRect(hwnd, &mine);
    const POINT middle{(mine.left + mine.right) / 2, (mine.top + mine.bottom) / 2};
    for (HWND above = GetWindow(hwnd, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        const Peer* other = Peer::of(above);
        RECT theirs;
        if (other && isContainer(other->control()) && other->control().visible() &&
            GetWindowRect(above, &theirs) && PtInRect(&theirs, middle))
            return true;
    }
    return false;
}

} // namespace

Win32View::Win32View(ui::Window& window, HINSTANCE instance, int dpi)
    : window_(window), instance_(instance), scale_(dpi), gdi_(scale_) {
    Peer& top = adopt(makePeer(*this, window, 0));
    top.create(nullptr);
    if (!top.hwnd())
        return;
    build(window, top.hwnd());
    centre();
    updateCovering();
    hideCovered();
    if (window.visible())
        top.sync(ui::Aspect::Visible); // shown by the model before it had a window
}

Win32View::~Win32View() {
    live_ = false;
    for (auto& peer : peers_)
        peer->control().onViewSync = nullptr;
    // Timers go before the window they run on; the children go with their window.
    for (TimerPeer* timer : timers_)
        std::erase_if(peers_, [timer](const auto& peer) { return peer.get() == timer; });
    timers_.clear();
    if (HWND top = handle())
        DestroyWindow(top);
}

Peer& Win32View::adopt(std::unique_ptr<Peer> peer) {
    Peer& adopted = *peer;
    byControl_[&adopted.control()] = &adopted;
    adopted.control().onViewSync = [&adopted](ui::Aspect aspect) { adopted.sync(aspect); };
    peers_.push_back(std::move(peer));
    return adopted;
}

void Win32View::build(ui::Container& container, HWND parent) {
    std::vector<RECT> placed; // the siblings made so far, in screen coordinates
    for (ui::Control* child : container.children()) {
        UINT_PTR timerId = timers_.size() + 1;
        Peer& peer = adopt(makePeer(*this, *child, timerId));
        if (child->kind() == ui::Kind::Timer)
            timers_.push_back(static_cast<TimerPeer*>(&peer));
        peer.create(parent);
        if (!peer.hwnd())
            continue;
        // Later controls lie on top of earlier ones where they overlap. Where a new child
        // window starts among its siblings differs between systems, so one that overlaps
        // an earlier sibling is raised; the others (most of them) are left where they are:
        // each raise is a trip to the window server before the window can be shown.
        RECT place, common;
        GetWindowRect(peer.hwnd(), &place);
        for (const RECT& earlier : placed) {
            if (IntersectRect(&common, &place, &earlier)) {
                SetWindowPos(peer.hwnd(), HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
        }
        placed.push_back(place);
        if (isContainer(*child))
            build(static_cast<ui::Container&>(*child), peer.hwnd());
    }
    // Containers the model brought to the front before the windows existed keep that order.
    std::vector<ui::Container*> raised;
    for (ui::Control* child : container.children())
        if (isContainer(*child) && static_cast<ui::Container*>(child)->z() > 0)
            raised.push_back(static_cast<ui::Container*>(child));
    std::sort(raised.begin(), raised.end(),
              [](const ui::Container* a, const ui::Container* b) { return a->z() < b->z(); });
    for (ui::Container* c : raised)
        if (HWND hwnd = handleOf(*c))
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND Win32View::handle() const {
    return peers_.empty() ? nullptr : peers_.front()->hwnd();
}

HWND Win32View::handleOf(const ui::Control& control) const {
    auto found = byControl_.find(&control);
    return found == byControl_.end() ? nullptr : found->second->hwnd();
}

void Win32View::centre(HWND over) {
    HWND top = handle();
    if (!top)
        return;
    RECT frame;
    GetWindowRect(top, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (over && IsWindowVisible(over) && !IsIconic(over))
        GetWindowRect(over, &area);
    int left =
        std::min<int>((area.left + area.right - width) / 2, GetSystemMetrics(SM_CXSCREEN) - width);
    int top_ = std::min<int>((area.top + area.bottom - height) / 2,
                             GetSystemMetrics(SM_CYSCREEN) - height);
    SetWindowPos(top, nullptr, std::max(0, left), std::max(0, top_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32View::takesFocus(HWND hwnd) const {
    HWND top = handle();
    if (!hwnd || !top || !IsWindowVisible(hwnd))
        return false;
    for (HWND h = hwnd; h && h != top; h = GetParent(h))
        if (!IsWindowEnabled(h))
            return false;
    // A control lying under a page of its own window (the command bar under the running
    // filter) is out of reach as a covered page is.
    return !coveredFromAbove(hwnd);
}

void Win32View::settleInputLater() {
    updateCovering();
    HWND top = handle();
    if (!top || settlePending_)
        return;
    settlePending_ = PostMessageA(top, kSettleInput, 0, 0) != FALSE;
}

void Win32View::settleInput() {
    settlePending_ = false;
    settleFocus();
    hideCovered();
}

void Win32View::hideCovered() {
    for (const auto& peer : peers_)
        if (peer.get() != peers_.front().get() && isContainer(peer->control()))
            static_cast<ContainerPeer&>(*peer).hideIfCovered();
}

void Win32View::updateCovering() {
    for (const auto& peer : peers_) {
        if (peer.get() == peers_.front().get() || !peer->hwnd() || !isContainer(peer->control()))
            continue;
        static_cast<ContainerPeer&>(*peer).setCovered(coveredFromAbove(peer->hwnd()));
    }
}

void Win32View::settleFocus() {
    HWND top = handle();
    HWND focus = GetFocus();
    if (!top || !focus || !IsChild(top, focus))
        return;
    if ((GetWindowLongA(focus, GWL_STYLE) & WS_TABSTOP) && takesFocus(focus))
        return;
    // The focus goes to the first control that can take it inside whatever holds the part that
    // went away: from a page sent behind, to the page now in front.
    HWND gone = focus;
    for (HWND h = focus; h && h != top; h = GetParent(h))
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(h))
            gone = h;
    HWND area = gone == top ? top : GetParent(gone);
    // A command (a section item) is not a place the focus moves to by itself: it goes to the
    // page's controls before them.
    HWND next = nullptr;
    for (bool commands : {false, true})
        for (const auto& peer : peers_) {
            HWND hwnd = peer->hwnd();
            if (!next && hwnd && IsChild(area, hwnd) && isCommand(peer->control()) == commands &&
                (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) && takesFocus(hwnd))
                next = hwnd;
        }
    if (!next)
        next = nextTabStop(nullptr, false);
    SetFocus(next ? next : top);
}

HWND Win32View::nextTabStop(HWND from, bool backwards) const {
    std::vector<HWND> stops;
    for (const auto& peer : peers_) {
        HWND hwnd = peer->hwnd();
        if (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) && takesFocus(hwnd))
            stops.push_back(hwnd);
    }
    if (stops.empty())
        return nullptr;
    auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end())
        return backwards ? stops.back() : stops.front();
    std::size_t index = static_cast<std::size_t>(at - stops.begin());
    return stops[(index + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

std::optional<ui::Colour> Win32View::fixedBackground(const ui::Control& control) const {
    for (const ui::Control* c = &control; c; c = c->parent()) {
        if (c->background)
            return c->background;
        if (isContainer(*c))
            break;
    }
    return std::nullopt;
}

int Win32View::systemBackground(const ui::Control& control) const {
    switch (control.kind()) {
    case ui::Kind::ListBox:
    case ui::Kind::DriveList:
    case ui::Kind::DirList:
        return COLOR_WINDOW;
    case ui::Kind::TextBox:
        return control.enabled() || static_cast<const ui::TextBox&>(control).readOnly
                   ? COLOR_WINDOW
                   : COLOR_BTNFACE;
    default:
        break;
    }
    // White areas (the pages, the menu items' bands) are the window's; the grey ones a dialog's.
    const std::optional<ui::Colour> fixed = fixedBackground(control);
    return fixed && *fixed == ui::kWhite ? COLOR_WINDOW : COLOR_BTNFACE;
}

COLORREF Win32View::background(const ui::Control& control) const {
    if (highContrast_)
        return GetSysColor(systemBackground(control));
    const std::optional<ui::Colour> fixed = fixedBackground(control);
    return fixed ? colorRef(*fixed) : GetSysColor(COLOR_BTNFACE);
}

COLORREF Win32View::textColour(const ui::Control& control, ui::Colour fore) const {
    // A colour of the model's own is never paired with one of the system's, which the user may
    // have set to anything: a fixed background takes fixed text.
    if (!highContrast_ && fixedBackground(control))
        return control.enabled() ? colorRef(fore) : RGB(128, 128, 128);
    if (!control.enabled())
        return GetSysColor(COLOR_GRAYTEXT);
    const bool window = systemBackground(control) == COLOR_WINDOW;
    if (window && fore != ui::kBlack)
        return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
}

bool Win32View::systemHighContrast() {
    if (highContrastForTests)
        return *highContrastForTests;
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void Win32View::coloursChanged(bool repaint) {
    const bool was = highContrast_;
    highContrast_ = systemHighContrast();
    HWND top = handle();
    if (top && (repaint || was != highContrast_))
        RedrawWindow(top, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32View::keyPressed(int key) {
    const bool moves =
        key == VK_TAB || key == VK_MENU || key == VK_F10 || (key >= VK_LEFT && key <= VK_DOWN);
    if (showsFocus_ || !moves)
        return;
    showsFocus_ = true;
    HWND top = handle();
    if (!top)
        return;
    // Windows keeps the same in the window's UI state: controls that draw their own focus
    // (our commands among them) show it again.
    SendMessageA(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    HWND focus = GetFocus();
    if (focus && IsChild(top, focus))
        InvalidateRect(GetParent(focus), nullptr, TRUE);
}

TimerPeer* Win32View::timer(UINT_PTR id) const {
    if (id == 0 || id > timers_.size())
        return nullptr;
    return timers_[id - 1];
}

void Win32View::endSession() {
    if (live_ && onEndSession)
        onEndSession();
}

void Win32View::leaveFocus() {
    HWND top = handle();
    HWND focus = GetFocus();
    if (!live_ || !top || !focus || !IsChild(top, focus))
        return;
    for (const auto& peer : peers_)
        if (peer->hwnd() == focus && peer->control().kind() == ui::Kind::TextBox)
            return static_cast<ui::TextBox&>(peer->control()).userLeft();
}

void Win32View::closeBox() {
    if (!live_)
        return;
    if (onClose && onClose())
        return;
    closed_ = true;
    window_.setVisible(false);
}

} // namespace morvane
