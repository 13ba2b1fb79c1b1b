// The folder picker's drive list and directory list. Windows has neither control: the drive
// list is an owner-drawn drop-down list, the directory list an owner-drawn list box, each
// with the system's icons for drives and folders.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32ShellLibrary.h"
#include "platform/win32/Win32View.h"

namespace morvane::win32 {

namespace {

// The shell's small icon for a path; nullptr when it has none. Folder icons come from the
// attributes alone, so no disk is touched for them.
HICON smallIcon(const char* path, DWORD attributes, UINT flags) {
    using GetFileInfo = DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
    static const auto getInfo = shellFunction<GetFileInfo>("SHGetFileInfoA");
    if (!getInfo)
        return nullptr;
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    SHFILEINFOA info{};
    DWORD_PTR ok =
        getInfo(path, attributes, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | flags);
    SetErrorMode(previous);
    return ok ? info.hIcon : nullptr;
}

HICON folderIcon(bool open) {
    return smallIcon("folder", FILE_ATTRIBUTE_DIRECTORY,
                     SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0));
}

void destroy(HICON& icon) {
    if (icon)
        DestroyIcon(icon);
    icon = nullptr;
}

// Room for a small icon or a line of text, whichever is taller, with a pixel either side.
int rowHeight(HWND control) {
    HDC dc = GetDC(control);
    TEXTMETRICA metrics{};
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return std::max<int>(metrics.tmHeight, GetSystemMetrics(SM_CYSMICON)) + 2;
}

// One row: highlight, icon and text from the left edge given.
void drawRow(const DRAWITEMSTRUCT& item, int left, HICON icon, const std::string& text) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int size = GetSystemMetrics(SM_CXSMICON);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size) / 2;
    if (icon)
        DrawIconEx(dc, item.rcItem.left + left, top, icon, size, size, 0, nullptr, DI_NORMAL);
    RECT textRect = item.rcItem;
    textRect.left += left + size + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                 : selected ? COLOR_HIGHLIGHTTEXT
                                            : COLOR_WINDOWTEXT));
    const std::wstring wide = wideText(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(dc, &item.rcItem);
}

} // namespace

// ---- Drive list.

DriveListPeer::~DriveListPeer() {
    for (HICON& icon : icons_)
        destroy(icon);
}

void DriveListPeer::create(HWND parent) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    if (!createControl(parent, "COMBOBOX", style, 0, nullptr))
        return;
    subclass(); // for its accessible name
    // The model's height is the closed box; the list drops below it.
    RECT place = view_.scale().rect(control_.rect);
    SetWindowPos(hwnd_, nullptr, 0, 0, place.right - place.left,
                 place.bottom - place.top + view_.scale().px(3000), SWP_NOMOVE | SWP_NOZORDER);
    const int height = rowHeight(hwnd_);
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 std::max<int>(height, place.bottom - place.top - 6));
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, height);
    showItems();
}

void DriveListPeer::showItems() {
    syncing_ = true;
    for (HICON& icon : icons_)
        destroy(icon);
    icons_.clear();
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const ui::DriveItem& item : drives().items()) {
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.caption.c_str()));
        icons_.push_back(smallIcon(item.root.c_str(), 0, 0));
    }
    syncing_ = false;
    showSelection();
}

void DriveListPeer::showSelection() {
    syncing_ = true;
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(drives().listIndex()), 0);
    syncing_ = false;
}

void DriveListPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    if (aspect == ui::Aspect::Items)
        showItems();
    else if (aspect == ui::Aspect::Selection)
        showSelection();
    else
        Peer::sync(aspect);
}

void DriveListPeer::command(UINT code) {
    if (code != CBN_SELCHANGE || syncing_ || !live())
        return;
    LRESULT chosen = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR)
        return;
    drives().userChose(static_cast<int>(chosen));
    showSelection(); // the model may have gone back to C:
}

bool DriveListPeer::draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= drives().items().size())
        return false;
    drawRow(item, 2, icons_[item.itemID], drives().items()[item.itemID].caption);
    return true;
}

// ---- Directory list.

DirListPeer::~DirListPeer() {
    destroy(openIcon_);
    destroy(closedIcon_);
    destroy(driveIcon_);
}

void DirListPeer::create(HWND parent) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_NOINTEGRALHEIGHT;
    if (!createControl(parent, "LISTBOX", style, WS_EX_CLIENTEDGE, nullptr))
        return;
    subclass();
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, rowHeight(hwnd_));
    openIcon_ = folderIcon(true);
    closedIcon_ = folderIcon(false);
    showItems();
}

void DirListPeer::showItems() {
    syncing_ = true;
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    const std::vector<ui::FolderItem>& items = dir().items();
    for (const ui::FolderItem& item : items)
        SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.caption.c_str()));
    destroy(driveIcon_);
    if (!items.empty())
        driveIcon_ = smallIcon(items.front().path.c_str(), 0, 0);
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(dir().listIndex()), 0);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    syncing_ = false;
}

void DirListPeer::sync(ui::Aspect aspect) {
    if (!hwnd_)
        return;
    if (aspect == ui::Aspect::Items) {
        showItems();
    } else if (aspect == ui::Aspect::Selection) {
        syncing_ = true;
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(dir().listIndex()), 0);
        syncing_ = false;
    } else {
        Peer::sync(aspect);
    }
}

void DirListPeer::command(UINT code) {
    if (syncing_ || !live() || (code != LBN_SELCHANGE && code != LBN_DBLCLK))
        return;
    LRESULT index = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    if (code == LBN_SELCHANGE)
        dir().userHighlighted(static_cast<int>(index));
    else
        dir().userOpened(static_cast<int>(index));
}

// Space opens the highlighted folder as a double click does (Enter belongs to the dialog).
LRESULT DirListPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && wParam == ' ')
        return 0; // no search for a row starting with a space
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        LRESULT index = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
        if (index != LB_ERR && live())
            dir().userOpened(static_cast<int>(index));
        return 0;
    }
    return callOriginal(message, wParam, lParam);
}

bool DirListPeer::draw(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= dir().items().size())
        return false;
    const ui::FolderItem& folder = dir().items()[item.itemID];
    const int indent = view_.scale().px(180) * folder.level + 2;
    HICON icon = folder.level == 0 && driveIcon_ ? driveIcon_
                 : folder.opened                 ? openIcon_
                                                 : closedIcon_;
    drawRow(item, indent, icon, folder.caption);
    return true;
}

} // namespace morvane::win32
