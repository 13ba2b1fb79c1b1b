// What assistive technology reads of a control: the system's own accessible object for its
// window (role, value, children, actions), with the name the model gives it
// (ui::Control::accessibleName) and, for a command that stands selected, that state. The
// system's object names a box after the static text just before it, and only on some systems;
// a list, a "..." button or a picture button it cannot name at all.

#include <windows.h>

#include <oleacc.h>

#include <new>

#include "platform/win32/Win32Peers.h"

namespace morvane::win32 {

namespace {

// Spelled here: the toolchain's import library resolves IID_IAccessible to a stub.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID kIidDispatch = {0x00020400, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kIidUnknown = {0, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object with the model's name and state. The model is read at each call (a
// reader keeps the object while the section in front changes); once the window is gone the
// system's object answers alone.
class ModelAccessible final : public IAccessible {
public:
    ModelAccessible(HWND hwnd, IAccessible* system) : hwnd_(hwnd), system_(system) {}
    ModelAccessible(const ModelAccessible&) = delete;
    ModelAccessible& operator=(const ModelAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(riid, kIidUnknown) || IsEqualIID(riid, kIidDispatch) ||
            IsEqualIID(riid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The children's enumerator and the window, as the system's object has them.
        return system_->QueryInterface(riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            system_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return system_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return system_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        return system_->Invoke(id, riid, locale, flags, params, result, exception, badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const ui::Control* control = model();
        if (!name || !isSelf(child) || !control || control->accessibleName.empty())
            return system_->get_accName(child, name);
        const std::wstring wide = wideText(control->accessibleName);
        *name = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = system_->get_accState(child, state);
        const ui::Control* control = model();
        if (SUCCEEDED(result) && state && state->vt == VT_I4 && isSelf(child) && control &&
            isCommand(*control) && static_cast<const ui::Label&>(*control).selected())
            state->lVal |= STATE_SYSTEM_SELECTED;
        return result;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return system_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return system_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return system_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return system_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return system_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return system_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return system_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return system_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return system_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return system_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return system_->put_accValue(child, value);
    }

private:
    ~ModelAccessible() = default;
    const ui::Control* model() const {
        const Peer* peer = IsWindow(hwnd_) ? Peer::of(hwnd_) : nullptr;
        return peer ? &peer->control() : nullptr;
    }

    HWND hwnd_;
    IAccessible* system_;
    LONG references_ = 1;
};

} // namespace

LRESULT accessibleObject(HWND hwnd, WPARAM wParam, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT)
        return 0;
    const Peer* peer = Peer::of(hwnd);
    if (!peer || (peer->control().accessibleName.empty() && !isCommand(peer->control())))
        return 0;
    // The object reaches the reader's process through COM: the window's thread joins an
    // apartment the first time anything asks, and stays in it (a program nobody reads never
    // joins one). A thread in one already only had its count raised: that is given back.
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (joined == S_FALSE)
        CoUninitialize();
    else if (FAILED(joined) && joined != RPC_E_CHANGED_MODE)
        return 0;
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible,
                                         reinterpret_cast<void**>(&system))) ||
        !system)
        return 0;
    auto* object = new (std::nothrow) ModelAccessible(hwnd, system);
    if (!object) {
        system->Release();
        return 0;
    }
    const LRESULT result = LresultFromObject(kIidAccessible, wParam, object);
    object->Release(); // the result holds its own reference
    return result > 0 ? result : 0;
}

} // namespace morvane::win32
