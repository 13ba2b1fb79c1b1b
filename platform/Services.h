#pragma once
// What the program needs from the system, as small interfaces. Each has a Win32
// implementation (platform/win32) and an emulated one (platform/emulated).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

namespace ui {
class Window;
struct Menu;
} // namespace ui

// ---- Registry: the advapi32 calls the program uses, with their Win32 return codes.

using RegKey = std::uintptr_t;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorKeyDeleted = 1018;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

class Registry {
public:
    virtual ~Registry() = default;
    // RegOpenKeyA: an existing key only.
    virtual long openKey(std::uint32_t root, const std::string& path, RegKey& key) = 0;
    // RegCreateKeyA: creates the key and every missing key on its path.
    virtual long createKey(std::uint32_t root, const std::string& path, RegKey& key) = 0;
    // RegQueryValueExA: size is the buffer's size in, the data's size out. A buffer too small
    // for the data gives kErrorMoreData and leaves the buffer untouched.
    virtual long queryValue(RegKey key, const std::string& name, std::uint8_t* buffer,
                            std::uint32_t& size) = 0;
    // RegSetValueExA.
    virtual long setValue(RegKey key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
    // RegDeleteKeyA: a key with subkeys is not deleted.
    virtual long deleteKey(std::uint32_t root, const std::string& path) = 0;
    // RegDeleteValueA.
    virtual long deleteValue(RegKey key, const std::string& name) = 0;
    // RegCloseKey.
    virtual long closeKey(RegKey key) = 0;
};

// ---- File system: Windows paths ("C:\dir\file"), names compared without regard to case.

// One drive of the system: its root ("C:\") and its volume label, if known.
struct DriveInfo {
    std::string root;
    std::string label;
};

// A file held open for reading bytes, so that one operation sees one file. Other programs may
// go on writing, renaming and deleting it meanwhile.
class ByteFile {
public:
    virtual ~ByteFile() = default;
    // The length when the file was opened.
    virtual std::uint64_t length() const = 0;
    // Up to count bytes from a 0-based position; none when the read fails.
    virtual std::optional<std::string> read(std::uint64_t position, std::size_t count) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool directoryExists(const std::string& path) = 0;
    virtual bool makeDirectory(const std::string& path) = 0;
    // Names (not paths) of the ordinary files matching a pattern such as "C:\dir\*.dat":
    // no directories, no hidden or system files. Empty when the folder cannot be listed.
    virtual std::vector<std::string> listFiles(const std::string& pattern) = 0;
    // Writes the whole file, each line ended by CR LF; creates or truncates it.
    virtual bool writeLines(const std::string& path, const std::vector<std::string>& lines) = 0;
    // Reads the whole file as lines (ended by CR LF, CR or LF); none when it cannot be opened.
    virtual std::optional<std::vector<std::string>> readLines(const std::string& path) = 0;
    // The file's length in bytes; none when it cannot be opened for reading.
    virtual std::optional<std::uint64_t> fileLength(const std::string& path) = 0;
    // Up to count bytes from a 0-based position; none when the file cannot be read.
    virtual std::optional<std::string> readBytes(const std::string& path, std::uint64_t position,
                                                 std::size_t count) = 0;
    // Moves a file, also into another folder of the same drive; never over an existing file.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Moves a file over another one, replacing it (used to finish a safe save).
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool deleteFile(const std::string& path) = 0;

    // Opens a file for reading bytes; nullptr when it cannot be opened. The default goes
    // through fileLength and readBytes, reopening the file for every read.
    virtual std::unique_ptr<ByteFile> openBytes(const std::string& path);
    // The system's drives in letter order. The default knows drive C: only.
    virtual std::vector<DriveInfo> drives();
    // Names of the ordinary subfolders of a folder (no hidden or system ones); none when the
    // folder cannot be read, for instance on a drive that is not ready.
    virtual std::optional<std::vector<std::string>> listFolders(const std::string& folder);
    // The current folder of a drive ("D:\" or "D:"), or of the process for an empty drive:
    // a full path, ending in "\" only for a root.
    virtual std::string currentFolder(const std::string& drive);
    // Text that a program wrote in the system's legacy code page (a file from an earlier
    // version, or from a system without UTF-8), in this process's code page. Unchanged where
    // the two are the same. The default takes Windows-1252 to UTF-8.
    virtual std::string fromLegacyCodePage(const std::string& text);
};

// ---- Shell: notification icon and starting a process.

// The notification-icon record in its first (88-byte on 32-bit Windows) form.
struct NotifyIconRecord {
    std::uint32_t cbSize = 0;
    std::uintptr_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uintptr_t hIcon = 0;
    char szTip[64] = {};
};

inline constexpr std::uint32_t kNotifyAdd = 0;
inline constexpr std::uint32_t kNotifyDelete = 2;

class Shell {
public:
    virtual ~Shell() = default;
    // Shell_NotifyIconA with NIM_ADD or NIM_DELETE.
    virtual bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
    // Runs a command line as a separate process with a hidden window; does not wait.
    virtual void runHidden(const std::string& commandLine) = 0;
};

// ---- Dialogs: message boxes and pop-up menus.

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Stop, Information };
enum class MessageAnswer { Ok, Yes, No };

// The caption of the program's own message boxes.
inline constexpr const char* kProgramTitle = "Morvane";

// The one way the program's operations tell the user something or ask a question: the window
// shows a message box, a request from the command line may keep it quiet.
class Messages {
public:
    virtual ~Messages() = default;
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;
};

// The window's dialogs: its messages and its pop-up menus.
class Dialogs : public Messages {
public:
    // Shows a pop-up menu at the pointer; the chosen item's index, or -1 for none.
    virtual int popupMenu(const ui::Menu& menu) = 0;
};

// ---- Clock and screen.

class Clock {
public:
    virtual ~Clock() = default;
    // The time of day in the system's format.
    virtual std::string timeOfDay() = 0;
    virtual void setWaitPointer(bool wait) = 0;
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
};

// ---- The view's side of windows: modal shows, yielding, the end of the program.

class WindowManager {
public:
    virtual ~WindowManager() = default;
    // Shows the window and returns once it has been hidden or closed.
    virtual void showModal(ui::Window& window) = 0;
    // Lets the window system handle what is waiting.
    virtual void doEvents() = 0;
    // The same from inside a long loop, once per item: a view for which looking at its queue
    // is costly may look less often, as long as the user cannot tell.
    virtual void doEventsInLoop() { doEvents(); }
    // Ends the program at once. The emulation records it and returns.
    virtual void endProgram() = 0;
    // What leaving the window's focused control does (its LostFocus), while the focus stays
    // where it is: for the ends of the program, which move no focus. Nothing when no control
    // of the window has the focus.
    virtual void leaveFocusedControl(ui::Window& window) = 0;
    virtual bool ended() const = 0;
    // The system's handle of a window and of its own icon, for the notification icon's record;
    // 0 where there is none.
    virtual std::uintptr_t windowHandle(const ui::Window&) const { return 0; }
    virtual std::uintptr_t windowIcon(const ui::Window&) const { return 0; }
};

struct Services {
    Registry& registry;
    FileSystem& files;
    Shell& shell;
    Dialogs& dialogs;
    Clock& clock;
    WindowManager& windows;
};

} // namespace morvane
