// Accessibility: one IAccessible class for every control. It wraps the system's
// standard client object of the window (location, parent, navigation, the name
// from a preceding label) and answers role, value, name, state and default
// action from the control's table. The window is held weakly: once it is gone
// (or the handle names another class) every call fails with RPC_E_DISCONNECTED.
#include "access.h"

#include <new>

namespace {

typedef LRESULT(WINAPI *LresultFromObjectFn)(REFIID, WPARAM, LPUNKNOWN);
typedef HRESULT(WINAPI *CreateStdAccessibleObjectFn)(HWND, LONG, REFIID, void **);
typedef BSTR(WINAPI *SysAllocStringLenFn)(const OLECHAR *, UINT);
typedef void(WINAPI *NotifyWinEventFn)(DWORD, HWND, LONG, LONG);
typedef BOOL(WINAPI *IsWinEventHookInstalledFn)(DWORD);
typedef HRESULT(WINAPI *AccessibleObjectFromWindowFn)(HWND, DWORD, REFIID, void **);

// The interface identifiers, here so that no import library is needed.
const IID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidOleWindow = {
    0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

const HRESULT kGone = RPC_E_DISCONNECTED;

// Binding state: 0 not tried, 1 binding, 2 done (the pointers may still be NULL).
struct OleBinding {
    LONG state;
    LresultFromObjectFn lresultFromObject;
    CreateStdAccessibleObjectFn createStdAccessibleObject;
    SysAllocStringLenFn sysAllocStringLen;
    AccessibleObjectFromWindowFn accessibleObjectFromWindow;
};
struct EventBinding {
    LONG state;
    NotifyWinEventFn notifyWinEvent;
    IsWinEventHookInstalledFn isWinEventHookInstalled;
};
OleBinding ole;
EventBinding events;

// While a client holds one of our objects the library stays loaded, even if the
// host frees it meanwhile: the object's code lives here. The first object takes a
// reference on the module; the last one to go hands it to a short thread that
// frees it, since code in the module cannot free it and then return.
typedef BOOL(WINAPI *GetModuleHandleExWFn)(DWORD, LPCWSTR, HMODULE *);
LONG holdLock;
LONG liveObjects;
HMODULE heldModule;

void LockHold()
{
    while (InterlockedExchange(&holdLock, 1) != 0)
        Sleep(0);
}

void UnlockHold()
{
    InterlockedExchange(&holdLock, 0);
}

HMODULE ReferenceThisModule()
{
    HMODULE module = NULL;
    const GetModuleHandleExWFn getModuleHandleEx = ProcAs<GetModuleHandleExWFn>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetModuleHandleExW"));
    if (getModuleHandleEx)
        getModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&ReferenceThisModule), &module);
    if (!module) {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(libInstance, path, sizeof path);
        if (length > 0 && length < sizeof path)
            module = LoadLibraryA(path);
    }
    return module;
}

DWORD WINAPI FreeHeldModule(LPVOID module)
{
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    return 0;
}

void ObjectCreated()
{
    LockHold();
    if (liveObjects++ == 0)
        heldModule = ReferenceThisModule();
    UnlockHold();
}

void ObjectFreed()
{
    HMODULE release = NULL;
    LockHold();
    if (--liveObjects == 0) {
        release = heldModule;
        heldModule = NULL;
    }
    UnlockHold();
    if (!release)
        return;
    // Without a thread the reference stays: the library then stays loaded, which
    // is safe.
    DWORD id;
    if (HANDLE thread = CreateThread(NULL, 0, FreeHeldModule, release, 0, &id))
        CloseHandle(thread);
}

// Runs bind once; a second thread arriving meanwhile waits for the first.
template <class Binding>
const Binding &BindOnce(Binding *binding, void (*bind)(Binding *))
{
    if (InterlockedCompareExchange(&binding->state, 1, 0) == 0) {
        bind(binding);
        InterlockedExchange(&binding->state, 2);
    }
    while (InterlockedCompareExchange(&binding->state, 2, 2) != 2)
        Sleep(0);
    return *binding;
}

void BindOle(OleBinding *binding)
{
    HMODULE oleacc = LoadLibraryA("oleacc.dll");
    HMODULE oleaut = oleacc ? LoadLibraryA("oleaut32.dll") : NULL;
    if (!oleacc || !oleaut)
        return;
    binding->lresultFromObject =
        ProcAs<LresultFromObjectFn>(GetProcAddress(oleacc, "LresultFromObject"));
    binding->createStdAccessibleObject =
        ProcAs<CreateStdAccessibleObjectFn>(GetProcAddress(oleacc, "CreateStdAccessibleObject"));
    binding->sysAllocStringLen =
        ProcAs<SysAllocStringLenFn>(GetProcAddress(oleaut, "SysAllocStringLen"));
    binding->accessibleObjectFromWindow =
        ProcAs<AccessibleObjectFromWindowFn>(GetProcAddress(oleacc, "AccessibleObjectFromWindow"));
}

void BindEvents(EventBinding *binding)
{
    HMODULE user = GetModuleHandleA("user32.dll");
    if (!user)
        return;
    binding->notifyWinEvent = ProcAs<NotifyWinEventFn>(GetProcAddress(user, "NotifyWinEvent"));
    binding->isWinEventHookInstalled =
        ProcAs<IsWinEventHookInstalledFn>(GetProcAddress(user, "IsWinEventHookInstalled"));
}

const OleBinding &Ole()
{
    return BindOnce(&ole, BindOle);
}

const EventBinding &Events()
{
    return BindOnce(&events, BindEvents);
}

bool IsSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

BSTR MakeString(const WCHAR *text, UINT length)
{
    return Ole().sysAllocStringLen(text, length);
}

// A string answer: a copy of text in *out.
HRESULT AnswerString(const WCHAR *text, BSTR *out)
{
    if (!out)
        return E_POINTER;
    *out = MakeString(text, lstrlenW(text));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The window text, wide, on the process heap; NULL when it is empty or there is
// no memory. *length receives its length.
WCHAR *WindowTextCopy(HWND hwnd, int *length)
{
    *length = 0;
    if (platformIsNT) {
        const int size = GetWindowTextLengthW(hwnd);
        WCHAR *text =
            size > 0
                ? static_cast<WCHAR *>(HeapAlloc(GetProcessHeap(), 0, (size + 1) * sizeof(WCHAR)))
                : NULL;
        if (text)
            *length = GetWindowTextW(hwnd, text, size + 1);
        if (text && *length <= 0) {
            HeapFree(GetProcessHeap(), 0, text);
            return NULL;
        }
        return text;
    }
    const int size = GetWindowTextLengthA(hwnd);
    char *narrow = size > 0 ? static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, size + 1)) : NULL;
    if (!narrow)
        return NULL;
    const int got = GetWindowTextA(hwnd, narrow, size + 1);
    const int wide = got > 0 ? MultiByteToWideChar(CP_ACP, 0, narrow, got, NULL, 0) : 0;
    WCHAR *text =
        wide > 0 ? static_cast<WCHAR *>(HeapAlloc(GetProcessHeap(), 0, (wide + 1) * sizeof(WCHAR)))
                 : NULL;
    if (text) {
        *length = MultiByteToWideChar(CP_ACP, 0, narrow, got, text, wide);
        text[*length] = 0;
    }
    HeapFree(GetProcessHeap(), 0, narrow);
    return text;
}

// The window text as a string; NULL when it is empty or there is no memory.
BSTR WindowTextString(HWND hwnd)
{
    int length = 0;
    WCHAR *text = WindowTextCopy(hwnd, &length);
    BSTR result = text ? MakeString(text, length) : NULL;
    HeapFree(GetProcessHeap(), 0, text);
    return result;
}

// The object a client gets for a child window (its window object).
HRESULT ChildWindowObject(HWND window, IDispatch **object)
{
    const OleBinding &api = Ole();
    if (!api.accessibleObjectFromWindow)
        return E_NOTIMPL;
    if (!IsWindow(window))
        return E_INVALIDARG;
    return api.accessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch,
                                          reinterpret_cast<void **>(object));
}

// Navigation among a control's own child windows: first and last child from
// the object itself, next and previous from a child; the object's siblings
// come from the standard object.
HRESULT NavigateChildWindows(const AccessAnswers &answers, LONG direction, VARIANT start,
                             VARIANT *end, IAccessible *standard)
{
    if (start.vt != VT_I4)
        return E_INVALIDARG;
    const LONG count = answers.childWindowCount;
    LONG target = 0;
    if (start.lVal == CHILDID_SELF) {
        if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
            return standard->accNavigate(direction, start, end);
        target = direction == NAVDIR_FIRSTCHILD ? 1 : count;
    } else if (start.lVal < 1 || start.lVal > count) {
        return E_INVALIDARG;
    } else if (direction == NAVDIR_NEXT) {
        target = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
        target = start.lVal - 1;
    } else if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
        return E_INVALIDARG;  // a child window's own object navigates inside it
    }
    if (!end)
        return E_POINTER;
    end->vt = VT_EMPTY;
    if (target < 1 || target > count)
        return S_FALSE;
    IDispatch *object = NULL;
    const HRESULT hr = ChildWindowObject(answers.childWindows[target - 1], &object);
    if (FAILED(hr))
        return hr;
    end->vt = VT_DISPATCH;
    end->pdispVal = object;
    return S_OK;
}

// The control's answers, all fields cleared first.
bool DescribeWindow(HWND hwnd, const AccessClass *table, AccessAnswers *answers)
{
    ZeroMemory(answers, sizeof *answers);
    return table->describe(hwnd, answers);
}

class ControlAccessible : public IAccessible, public IOleWindow {
public:
    ControlAccessible(HWND hwnd, const AccessClass *table, IAccessible *inner)
        : refs_(1), hwnd_(hwnd), atom_(GetClassWord(hwnd, GCW_ATOM)), table_(table), inner_(inner)
    {
        ObjectCreated();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) ||
            IsEqualIID(iid, kIidAccessible))
            *object = static_cast<IAccessible *>(this);
        else if (IsEqualIID(iid, kIidOleWindow))
            *object = static_cast<IOleWindow *>(this);
        else {
            *object = NULL;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) {
            inner_->Release();
            this->~ControlAccessible();
            HeapFree(GetProcessHeap(), 0, this);
            ObjectFreed();
        }
        return refs;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND *hwnd) override
    {
        if (!hwnd)
            return E_POINTER;
        *hwnd = Alive() ? hwnd_ : NULL;
        return *hwnd ? S_OK : kGone;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch: the typed interface only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override
    {
        if (info)
            *info = NULL;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: the control's own answers.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (IsSelf(child) && answers.name[0] && name)
            return AnswerString(answers.name, name);
        if (IsSelf(child) && answers.nameFromText && name) {
            if (BSTR text = WindowTextString(hwnd_)) {
                *name = text;
                return S_OK;
            }
        }
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!IsSelf(child) || !answers.hasValue)
            return inner_->get_accValue(child, value);
        return AnswerString(answers.value, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!IsSelf(child))
            return inner_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = answers.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!IsSelf(child))
            return inner_->get_accState(child, state);
        if (!state)
            return E_POINTER;
        VARIANT standard;
        standard.vt = VT_EMPTY;
        const HRESULT hr = inner_->get_accState(child, &standard);
        const DWORD base = SUCCEEDED(hr) && standard.vt == VT_I4 ? standard.lVal : 0;
        state->vt = VT_I4;
        state->lVal =
            static_cast<LONG>((base & ~answers.stateMask) | (answers.state & answers.stateMask));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!IsSelf(child) || !answers.defaultAction)
            return inner_->get_accDefaultAction(child, action);
        return AnswerString(answers.defaultAction, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (IsSelf(child) && table_->doDefaultAction)
            return table_->doDefaultAction(hwnd_);
        return inner_->accDoDefaultAction(child);
    }

    // IAccessible: the standard object's answers while the window lives.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return Alive() ? inner_->get_accParent(parent) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!answers.ownChildren)
            return inner_->get_accChildCount(count);
        if (!count)
            return E_POINTER;
        *count = answers.childWindowCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!answers.ownChildren)
            return inner_->get_accChild(child, object);
        if (!object)
            return E_POINTER;
        *object = NULL;
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > answers.childWindowCount)
            return E_INVALIDARG;
        return ChildWindowObject(answers.childWindows[child.lVal - 1], object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!IsSelf(child) || !answers.description[0])
            return inner_->get_accDescription(child, text);
        return AnswerString(answers.description, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *text) override
    {
        return Alive() ? inner_->get_accHelp(child, text) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override
    {
        return Alive() ? inner_->get_accHelpTopic(file, child, topic) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *text) override
    {
        return Alive() ? inner_->get_accKeyboardShortcut(child, text) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override
    {
        return Alive() ? inner_->get_accFocus(child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override
    {
        return Alive() ? inner_->get_accSelection(children) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return Alive() ? inner_->accSelect(flags, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG *x, LONG *y, LONG *w, LONG *h,
                                          VARIANT child) override
    {
        return Alive() ? inner_->accLocation(x, y, w, h, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override
    {
        AccessAnswers answers;
        if (!Describe(&answers))
            return kGone;
        if (!answers.ownChildren)
            return inner_->accNavigate(direction, start, end);
        return NavigateChildWindows(answers, direction, start, end, inner_);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *child) override
    {
        return Alive() ? inner_->accHitTest(x, y, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return Alive() ? inner_->put_accName(child, name) : kGone;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return Alive() ? inner_->put_accValue(child, value) : kGone;
    }

private:
    ~ControlAccessible() = default;

    // The window still exists and is still of the class it had.
    bool Alive() const { return IsWindow(hwnd_) && GetClassWord(hwnd_, GCW_ATOM) == atom_; }
    bool Describe(AccessAnswers *answers) const
    {
        return Alive() && DescribeWindow(hwnd_, table_, answers);
    }

    LONG refs_;
    HWND hwnd_;
    WORD atom_;
    const AccessClass *table_;
    IAccessible *inner_;
};

LRESULT DefaultGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, WM_GETOBJECT, wParam, lParam)
                                 : DefWindowProcA(hwnd, WM_GETOBJECT, wParam, lParam);
}

}  // namespace

LRESULT AccessGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessClass *table)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return DefaultGetObject(hwnd, wParam, lParam);
    const OleBinding &api = Ole();
    AccessAnswers answers;
    if (!api.lresultFromObject || !api.createStdAccessibleObject || !api.sysAllocStringLen ||
        !DescribeWindow(hwnd, table, &answers))
        return DefaultGetObject(hwnd, wParam, lParam);
    IAccessible *inner = NULL;
    if (FAILED(api.createStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible,
                                             reinterpret_cast<void **>(&inner))) ||
        !inner)
        return DefaultGetObject(hwnd, wParam, lParam);
    void *memory = HeapAlloc(GetProcessHeap(), 0, sizeof(ControlAccessible));
    if (!memory) {
        inner->Release();
        return DefaultGetObject(hwnd, wParam, lParam);
    }
    ControlAccessible *object = new (memory) ControlAccessible(hwnd, table, inner);
    const LRESULT result =
        api.lresultFromObject(kIidAccessible, wParam, static_cast<IAccessible *>(object));
    object->Release();
    // Without COM on this thread the object cannot be handed out; the standard
    // answer is better than none.
    if (FAILED(static_cast<HRESULT>(result)))
        return DefaultGetObject(hwnd, wParam, lParam);
    return result;
}

void AccessNotify(HWND hwnd, DWORD event)
{
    AccessNotifyObject(hwnd, event, OBJID_CLIENT, CHILDID_SELF);
}

namespace {

bool Hooked(const EventBinding &api, DWORD event)
{
    return !api.isWinEventHookInstalled || api.isWinEventHookInstalled(event);
}

// The window text while it names the control.
WCHAR *NameCopy(HWND hwnd, const AccessAnswers &answers)
{
    int length;
    return answers.nameFromText ? WindowTextCopy(hwnd, &length) : NULL;
}

// The selection, description and children events a watch sends as well. A
// description that follows the selection changes with it: the selection event
// tells clients, a description event would repeat it.
void NotifyMoreChanges(HWND hwnd, const AccessAnswers &before, const AccessAnswers &after)
{
    const bool selection = after.textSelection[0] != before.textSelection[0] ||
                           after.textSelection[1] != before.textSelection[1];
    if (selection)
        AccessNotify(hwnd, EVENT_OBJECT_TEXTSELECTIONCHANGED);
    else if (lstrcmpW(after.description, before.description) != 0)
        AccessNotify(hwnd, EVENT_OBJECT_DESCRIPTIONCHANGE);
    bool children = after.ownChildren != before.ownChildren ||
                    after.childWindowCount != before.childWindowCount;
    for (int i = 0; !children && i < after.childWindowCount; ++i)
        children = after.childWindows[i] != before.childWindows[i];
    if (children)
        AccessNotify(hwnd, EVENT_OBJECT_REORDER);
}

}  // namespace

AccessWatch::AccessWatch(HWND hwnd, const AccessClass *table, bool nameMayChange)
    : hwnd_(hwnd), table_(table), valid_(false), nameBefore_(NULL), nameWatched_(false)
{
    const EventBinding &api = Events();
    if (!api.notifyWinEvent)
        return;
    nameWatched_ = nameMayChange && Hooked(api, EVENT_OBJECT_NAMECHANGE);
    if (!nameWatched_ && !Hooked(api, EVENT_OBJECT_VALUECHANGE) &&
        !Hooked(api, EVENT_OBJECT_STATECHANGE) && !Hooked(api, EVENT_OBJECT_TEXTSELECTIONCHANGED) &&
        !Hooked(api, EVENT_OBJECT_DESCRIPTIONCHANGE) && !Hooked(api, EVENT_OBJECT_REORDER))
        return;
    valid_ = DescribeWindow(hwnd, table, &before_);
    if (valid_ && nameWatched_)
        nameBefore_ = NameCopy(hwnd, before_);
}

AccessWatch::~AccessWatch()
{
    AccessAnswers after;
    if (valid_ && IsWindow(hwnd_) && DescribeWindow(hwnd_, table_, &after)) {
        if (after.hasValue != before_.hasValue || lstrcmpW(after.value, before_.value) != 0)
            AccessNotify(hwnd_, EVENT_OBJECT_VALUECHANGE);
        if ((after.state & after.stateMask) != (before_.state & before_.stateMask))
            AccessNotify(hwnd_, EVENT_OBJECT_STATECHANGE);
        NotifyMoreChanges(hwnd_, before_, after);
        if (nameWatched_) {
            // A switch between the text and the standard label counts as a change.
            WCHAR *nameAfter = NameCopy(hwnd_, after);
            if (after.nameFromText != before_.nameFromText ||
                lstrcmpW(nameAfter ? nameAfter : L"", nameBefore_ ? nameBefore_ : L"") != 0)
                AccessNotify(hwnd_, EVENT_OBJECT_NAMECHANGE);
            HeapFree(GetProcessHeap(), 0, nameAfter);
        }
    }
    HeapFree(GetProcessHeap(), 0, nameBefore_);
}

LONG AccessLiveObjects(void)
{
    LockHold();
    const LONG count = liveObjects;
    UnlockHold();
    return count;
}

void AccessSetValue(AccessAnswers *answers, const char *text)
{
    int i = 0;
    for (; text[i] && i < static_cast<int>(sizeof answers->value / sizeof(WCHAR)) - 1; ++i)
        answers->value[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
    answers->value[i] = 0;
    answers->hasValue = true;
}

void AccessNotifyObject(HWND hwnd, DWORD event, LONG object, LONG child)
{
    const EventBinding &api = Events();
    if (api.notifyWinEvent)
        api.notifyWinEvent(event, hwnd, object, child);
}

void AccessCopyText(WCHAR *to, int size, const WCHAR *text)
{
    int i = 0;
    for (; text[i] && i < size - 1; ++i)
        to[i] = text[i];
    to[i] = 0;
}
