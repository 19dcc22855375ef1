// MRU lists: the MRU_* exports, one source for the ANSI and the Unicode family.
//
// A list is a movable global block (MruList, followed by the slot letters, the
// order letters and the key path in the family's characters) plus a string area
// in virtual memory that holds the item strings packed in slot order. The area
// reserves its address space once and commits pages at its end as it grows, so
// it never moves.
#include "mrustore.h"

#include <string.h>

namespace {

const DWORD kSignature = 36;
// Address space reserved behind the strings loaded at open, for items added later.
const SIZE_T kGrowthReserve = 1024 * 1024;
const DWORD kLetters = 26;

struct MruList {
    DWORD signature;
    DWORD maxItems;
    DWORD itemCount;
    DWORD flags;
    DWORD pageSize;
    DWORD areaSize;
    HKEY hKey;
    BYTE *strings;
};

template <class C>
struct OpenParams;
template <>
struct OpenParams<char> {
    typedef MruOpenParamsA Type;
};
template <>
struct OpenParams<WCHAR> {
    typedef MruOpenParamsW Type;
};

// ---- block layout ----------------------------------------------------------

template <class C>
C *SlotLetters(MruList *list)
{
    return reinterpret_cast<C *>(list + 1);
}

template <class C>
C *Order(MruList *list)
{
    return SlotLetters<C>(list) + list->maxItems;
}

template <class C>
C *SubKey(MruList *list)
{
    return Order<C>(list) + list->maxItems;
}

template <class C>
C *Strings(MruList *list)
{
    return reinterpret_cast<C *>(list->strings);
}

// Index of letter among the first count letters, or -1.
template <class C>
int IndexOf(const C *letters, DWORD count, C letter)
{
    for (DWORD i = 0; i < count; ++i)
        if (letters[i] == letter)
            return static_cast<int>(i);
    return -1;
}

// The last slot holding letter, or -1.
template <class C>
int SlotOf(MruList *list, C letter)
{
    const C *slots = SlotLetters<C>(list);
    for (DWORD i = list->itemCount; i-- > 0;)
        if (slots[i] == letter)
            return static_cast<int>(i);
    return -1;
}

// Removes entry index of count letters; the entries behind move down, the last is 0.
template <class C>
void RemoveLetter(C *letters, DWORD count, DWORD index)
{
    memmove(letters + index, letters + index + 1, (count - index - 1) * sizeof(C));
    letters[count - 1] = 0;
}

// Puts letter first; the others move up by one and the last one drops off.
template <class C>
void InsertLetterFirst(C *letters, DWORD count, C letter)
{
    memmove(letters + 1, letters, (count - 1) * sizeof(C));
    letters[0] = letter;
}

// ---- string area -----------------------------------------------------------

// Characters taken by the strings of the first count slots, terminators included.
template <class C>
SIZE_T UsedChars(MruList *list, DWORD count)
{
    const C *strings = Strings<C>(list);
    SIZE_T used = 0;
    for (DWORD i = 0; i < count; ++i)
        used += Win<C>::lstrlen(strings + used) + 1;
    return used;
}

template <class C>
C *SlotString(MruList *list, DWORD slot)
{
    return Strings<C>(list) + UsedChars<C>(list, slot);
}

// Commits pages at the end of the area until it holds bytes. The area grows only
// into the address space reserved for it.
BOOL EnsureRoom(MruList *list, SIZE_T bytes)
{
    while (list->areaSize < bytes) {
        BYTE *end = list->strings + list->areaSize;
        MEMORY_BASIC_INFORMATION info;
        if (!VirtualQuery(end, &info, sizeof info) || info.AllocationBase != list->strings ||
            info.State != MEM_RESERVE) {
            SetLastError(ERROR_OUTOFMEMORY);
            return FALSE;
        }
        if (!VirtualAlloc(end, list->pageSize, MEM_COMMIT, PAGE_READWRITE))
            return FALSE;
        list->areaSize += list->pageSize;
    }
    return TRUE;
}

// Reserves room to grow and commits areaSize bytes of it.
BOOL AllocateArea(MruList *list)
{
    const SIZE_T growth = (kGrowthReserve + list->pageSize - 1) / list->pageSize * list->pageSize;
    void *base =
        VirtualAlloc(NULL, list->areaSize + growth, MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
    if (!base)
        return FALSE;
    if (!VirtualAlloc(base, list->areaSize, MEM_COMMIT, PAGE_READWRITE)) {
        const DWORD error = GetLastError();
        VirtualFree(base, 0, MEM_RELEASE);
        SetLastError(error);
        return FALSE;
    }
    list->strings = static_cast<BYTE *>(base);
    return TRUE;
}

void FreeArea(MruList *list)
{
    VirtualFree(list->strings, list->areaSize, MEM_DECOMMIT);
    VirtualFree(list->strings, 0, MEM_RELEASE);
}

// Appends chars characters and a terminator as the string of slot itemCount;
// the caller has made room.
template <class C>
void AppendString(MruList *list, const C *text, SIZE_T chars)
{
    C *end = Strings<C>(list) + UsedChars<C>(list, list->itemCount);
    memcpy(end, text, chars * sizeof(C));
    end[chars] = 0;
}

// Removes the string of slot; the strings behind it move down.
template <class C>
void RemoveString(MruList *list, DWORD slot)
{
    C *gone = SlotString<C>(list, slot);
    C *next = gone + Win<C>::lstrlen(gone) + 1;
    C *end = Strings<C>(list) + UsedChars<C>(list, list->itemCount);
    memmove(gone, next, (end - next) * sizeof(C));
}

// Puts text in place of the string of slot; the strings behind it move when the
// length differs.
template <class C>
BOOL ReplaceString(MruList *list, DWORD slot, const C *text)
{
    const SIZE_T used = UsedChars<C>(list, list->itemCount);
    C *old = SlotString<C>(list, slot);
    const SIZE_T oldChars = Win<C>::lstrlen(old) + 1;
    const SIZE_T newChars = Win<C>::lstrlen(text) + 1;
    if (!EnsureRoom(list, (used - oldChars + newChars) * sizeof(C)))
        return FALSE;
    C *next = old + oldChars;
    C *end = Strings<C>(list) + used;
    memmove(old + newChars, next, (end - next) * sizeof(C));
    memcpy(old, text, newChars * sizeof(C));
    return TRUE;
}

// ---- registry side ---------------------------------------------------------

bool WriteThrough(const MruList *list)
{
    return (list->flags & MRUF_WRITETHROUGH) != 0;
}

template <class C>
void WriteOrder(MruList *list)
{
    C letters[32];
    memset(letters, 0, sizeof letters);
    memcpy(letters, Order<C>(list), list->itemCount * sizeof(C));
    C name[16];
    LoadMruOrderName(name);
    DWORD size = (list->itemCount + 1) * sizeof(C);
    ReadWriteMruValue<C>(list->hKey, SubKey<C>(list), KEY_WRITE, name, letters, &size, REG_SZ);
}

template <class C>
void WriteItem(MruList *list, C letter)
{
    const int slot = SlotOf(list, letter);
    if (slot < 0)
        return;
    C *text = SlotString<C>(list, slot);
    const C name[2] = {letter, 0};
    DWORD size = (Win<C>::lstrlen(text) + 1) * sizeof(C);
    ReadWriteMruValue<C>(list->hKey, SubKey<C>(list), KEY_WRITE, name, text, &size, REG_SZ);
}

template <class C>
void DeleteItem(MruList *list, C letter)
{
    const C name[2] = {letter, 0};
    DeleteMruValue<C>(list->hKey, SubKey<C>(list), name);
}

// ---- opening ---------------------------------------------------------------

// What the first pass finds: the bytes of all item values and their letters.
struct StoredItems {
    SIZE_T bytes;
    DWORD letters;  // bit n: the value of letter 'A' + n exists
};

template <class C>
BOOL MeasureValue(const MruValue<C> *value)
{
    const C letter = MruItemLetter(value->name, value->nameLength);
    if (value->type == REG_SZ && letter) {
        StoredItems *stored = static_cast<StoredItems *>(value->context);
        stored->bytes += value->dataSize;
        stored->letters |= 1u << (letter - 'A');
    }
    return TRUE;
}

// Reads the order value into a zeroed heap buffer with room for a terminator
// behind the data, whatever its length; null when there is no memory.
template <class C>
C *ReadOrderValue(MruList *list)
{
    C name[16];
    LoadMruOrderName(name);
    DWORD size = 64 * sizeof(C);
    for (int attempt = 0; attempt < 2; ++attempt) {
        C *buffer =
            static_cast<C *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + sizeof(C)));
        if (!buffer)
            return NULL;
        const BOOL read = ReadWriteMruValue<C>(list->hKey, SubKey<C>(list), KEY_READ, name, buffer,
                                               &size, REG_SZ);
        if (read || GetLastError() != ERROR_MORE_DATA || attempt > 0)
            return buffer;
        HeapFree(GetProcessHeap(), 0, buffer);
    }
    return NULL;
}

// Takes the stored order, upper-cased, keeping only letters that name a stored
// item, each once and at most maxItems of them.
template <class C>
void ReadOrder(MruList *list, DWORD storedLetters)
{
    C *stored = ReadOrderValue<C>(list);
    if (!stored)
        return;
    Win<C>::CharUpper(stored);
    C *order = Order<C>(list);
    DWORD count = 0;
    for (const C *letter = stored; *letter && count < list->maxItems; ++letter) {
        const bool isLetter = *letter >= 'A' && *letter <= 'Z';
        if (isLetter && (storedLetters & (1u << (*letter - 'A'))) &&
            IndexOf(order, count, *letter) < 0)
            order[count++] = *letter;
    }
    HeapFree(GetProcessHeap(), 0, stored);
}

// Second pass: every item value named in the order takes the next slot. Data
// without a terminator ends at its size.
template <class C>
BOOL LoadValue(const MruValue<C> *value)
{
    MruList *list = static_cast<MruList *>(value->context);
    if (list->itemCount >= list->maxItems)
        return FALSE;
    const C letter = value->type == REG_SZ ? MruItemLetter(value->name, value->nameLength) : 0;
    if (!letter || IndexOf(Order<C>(list), list->maxItems, letter) < 0 || SlotOf(list, letter) >= 0)
        return TRUE;
    const C *text = reinterpret_cast<const C *>(value->data);
    const SIZE_T limit = value->dataSize / sizeof(C);
    SIZE_T chars = 0;
    while (chars < limit && text[chars])
        ++chars;
    const SIZE_T used = UsedChars<C>(list, list->itemCount);
    if (!EnsureRoom(list, (used + chars + 1) * sizeof(C)))
        return FALSE;
    AppendString(list, text, chars);
    SlotLetters<C>(list)[list->itemCount++] = letter;
    return TRUE;
}

// Drops letters of the order that have no loaded item, so that the first
// itemCount entries are exactly the loaded letters.
template <class C>
void ReconcileOrder(MruList *list)
{
    C *order = Order<C>(list);
    for (DWORD i = 0; i < list->maxItems && order[i];) {
        if (SlotOf(list, order[i]) < 0)
            RemoveLetter(order, list->maxItems, i);
        else
            ++i;
    }
}

template <class Params>
bool ValidOpenParams(const Params *params)
{
    return params && params->cbSize == sizeof(Params) && params->hKey && params->subKey &&
           params->subKey[0] && params->maxItems >= 1 && params->maxItems <= kLetters;
}

DWORD PageSize(void)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

template <class C>
HANDLE OpenList(const typename OpenParams<C>::Type *params)
{
    if (!ValidOpenParams(params)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    StoredItems stored = {0, 0};
    EnumMruValues<C>(params->hKey, params->subKey, MeasureValue<C>, &stored);

    const SIZE_T pathChars = Win<C>::lstrlen(params->subKey);
    const SIZE_T blockSize = sizeof(MruList) + (2 * params->maxItems + pathChars) * sizeof(C) + 4;
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    if (!handle)
        return NULL;
    MruList *list = static_cast<MruList *>(GlobalLock(handle));
    if (!list) {
        const DWORD error = GetLastError();
        GlobalFree(handle);
        SetLastError(error);
        return NULL;
    }
    list->signature = kSignature;
    list->maxItems = params->maxItems;
    list->flags = params->flags;
    list->pageSize = PageSize();
    list->areaSize = static_cast<DWORD>((stored.bytes / list->pageSize + 1) * list->pageSize);
    list->hKey = params->hKey;
    memcpy(SubKey<C>(list), params->subKey, pathChars * sizeof(C));

    ReadOrder<C>(list, stored.letters);
    if (!AllocateArea(list)) {
        const DWORD error = GetLastError();
        GlobalUnlock(handle);
        GlobalFree(handle);
        SetLastError(error);
        return NULL;
    }
    EnumMruValues<C>(list->hKey, SubKey<C>(list), LoadValue<C>, list);
    ReconcileOrder<C>(list);
    GlobalUnlock(handle);
    return handle;
}

// ---- the calls on an open list ---------------------------------------------

// Locks the block of an open list; null (last error set) for anything else.
MruList *LockList(HANDLE handle)
{
    SetLastError(ERROR_INVALID_PARAMETER);
    if (!handle)
        return NULL;
    MruList *list = static_cast<MruList *>(GlobalLock(handle));
    if (!list)
        return NULL;
    if (list->signature != kSignature) {
        GlobalUnlock(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    return list;
}

// Unlocks without touching the last error (an unlock to count 0 clears it).
void UnlockList(HANDLE handle)
{
    const DWORD error = GetLastError();
    GlobalUnlock(handle);
    SetLastError(error);
}

// FALSE (last error set) unless index is the position of an item.
BOOL CheckIndex(const MruList *list, DWORD index)
{
    if (index < list->itemCount)
        return TRUE;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

template <class C>
int FindLocked(MruList *list, const C *text)
{
    if (!text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    const bool caseSensitive = (list->flags & MRUF_CASESENSITIVE) != 0;
    const C *item = Strings<C>(list);
    int found = -1;
    for (DWORD slot = 0; slot < list->itemCount; ++slot) {
        const int difference =
            caseSensitive ? Win<C>::lstrcmp(item, text) : Win<C>::lstrcmpi(item, text);
        if (difference == 0)
            found = static_cast<int>(slot);
        item += Win<C>::lstrlen(item) + 1;
    }
    if (found < 0)
        return -1;
    return IndexOf(Order<C>(list), list->itemCount, SlotLetters<C>(list)[found]);
}

template <class C>
BOOL MoveToTopLocked(MruList *list, DWORD index)
{
    if (index == 0)
        return TRUE;
    if (!CheckIndex(list, index))
        return FALSE;
    C *order = Order<C>(list);
    const C letter = order[index];
    RemoveLetter(order, list->maxItems, index);
    InsertLetterFirst(order, list->maxItems, letter);
    if (WriteThrough(list))
        WriteOrder<C>(list);
    return TRUE;
}

template <class C>
BOOL RemoveLocked(MruList *list, DWORD index)
{
    if (!CheckIndex(list, index))
        return FALSE;
    C *order = Order<C>(list);
    const C letter = order[index];
    RemoveLetter(order, list->maxItems, index);
    const int slot = SlotOf(list, letter);
    RemoveString<C>(list, slot);
    RemoveLetter(SlotLetters<C>(list), list->maxItems, slot);
    --list->itemCount;
    if (WriteThrough(list)) {
        DeleteItem(list, letter);
        WriteOrder<C>(list);
    }
    return TRUE;
}

// A found item: new spelling, moved to the top.
template <class C>
BOOL RespellLocked(MruList *list, DWORD index, const C *text)
{
    const C letter = Order<C>(list)[index];
    if (!ReplaceString(list, SlotOf(list, letter), text))
        return FALSE;
    MoveToTopLocked<C>(list, index);
    if (WriteThrough(list))
        WriteItem(list, letter);
    return TRUE;
}

// A new item under the first free letter; a full list drops its least recent
// item, but only once the new string is sure to fit.
template <class C>
BOOL InsertLocked(MruList *list, const C *text)
{
    const bool full = list->itemCount == list->maxItems;
    SIZE_T used = UsedChars<C>(list, list->itemCount);
    if (full) {
        const int leastRecent = SlotOf(list, Order<C>(list)[list->itemCount - 1]);
        used -= Win<C>::lstrlen(SlotString<C>(list, leastRecent)) + 1;
    }
    const SIZE_T chars = Win<C>::lstrlen(text);
    if (!EnsureRoom(list, (used + chars + 1) * sizeof(C)))
        return FALSE;
    if (full)
        RemoveLocked<C>(list, list->itemCount - 1);

    C letter = 'A';
    while (IndexOf(SlotLetters<C>(list), list->itemCount, letter) >= 0)
        ++letter;
    AppendString(list, text, chars);
    SlotLetters<C>(list)[list->itemCount] = letter;
    InsertLetterFirst(Order<C>(list), list->maxItems, letter);
    ++list->itemCount;
    if (WriteThrough(list)) {
        WriteOrder<C>(list);
        WriteItem(list, letter);
    }
    return TRUE;
}

template <class C>
BOOL AddLocked(MruList *list, const C *text)
{
    if (!text || !text[0]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int found = FindLocked(list, text);
    if (found >= 0)
        return RespellLocked(list, found, text);
    return InsertLocked(list, text);
}

template <class C>
int GetTextLocked(MruList *list, DWORD index, C *buffer, int size)
{
    if (!CheckIndex(list, index) || size <= 0 || !buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const C *text = SlotString<C>(list, SlotOf(list, Order<C>(list)[index]));
    Win<C>::lstrcpyn(buffer, text, size);
    buffer[size - 1] = 0;
    return Win<C>::lstrlen(buffer);
}

template <class C>
int MaxTextLocked(MruList *list)
{
    const C *item = Strings<C>(list);
    int longest = 0;
    for (DWORD slot = 0; slot < list->itemCount; ++slot) {
        const int chars = Win<C>::lstrlen(item) + 1;
        if (chars > longest)
            longest = chars;
        item += chars;
    }
    return longest;
}

template <class C>
BOOL CloseList(HANDLE handle)
{
    MruList *list = LockList(handle);
    if (!list)
        return FALSE;
    if (!WriteThrough(list)) {
        WriteOrder<C>(list);
        for (DWORD i = 0; i < list->itemCount; ++i)
            WriteItem(list, Order<C>(list)[i]);
    }
    FreeArea(list);
    list->signature = 0;
    UnlockList(handle);
    return GlobalFree(handle) == NULL;
}

// Runs one call on the locked list; fail is the result for a rejected handle.
template <class Result, class Call>
Result WithList(HANDLE handle, Result fail, Call call)
{
    MruList *list = LockList(handle);
    if (!list)
        return fail;
    const Result result = call(list);
    UnlockList(handle);
    return result;
}

template <class C>
BOOL AddItem(HANDLE handle, const C *text)
{
    return WithList<BOOL>(handle, FALSE, [=](MruList *list) { return AddLocked(list, text); });
}

template <class C>
int FindItem(HANDLE handle, const C *text)
{
    return WithList<int>(handle, -1, [=](MruList *list) { return FindLocked(list, text); });
}

template <class C>
BOOL MoveItemToTop(HANDLE handle, int index)
{
    if (index == 0)
        return TRUE;
    return WithList<BOOL>(handle, FALSE, [=](MruList *list) {
        return MoveToTopLocked<C>(list, static_cast<DWORD>(index));
    });
}

template <class C>
BOOL RemoveItem(HANDLE handle, int index)
{
    return WithList<BOOL>(handle, FALSE, [=](MruList *list) {
        return RemoveLocked<C>(list, static_cast<DWORD>(index));
    });
}

template <class C>
int GetItemText(HANDLE handle, int index, C *buffer, int size)
{
    return WithList<int>(handle, 0, [=](MruList *list) {
        return GetTextLocked(list, static_cast<DWORD>(index), buffer, size);
    });
}

template <class C>
int GetMaxItemTextLen(HANDLE handle)
{
    return WithList<int>(handle, 0, [](MruList *list) { return MaxTextLocked<C>(list); });
}

}  // namespace

extern "C" {

HANDLE WINAPI MRU_OpenListA(const MruOpenParamsA *params)
{
    return OpenList<char>(params);
}
HANDLE WINAPI MRU_OpenListW(const MruOpenParamsW *params)
{
    return OpenList<WCHAR>(params);
}
BOOL WINAPI MRU_CloseListA(HANDLE list)
{
    return CloseList<char>(list);
}
BOOL WINAPI MRU_CloseListW(HANDLE list)
{
    return CloseList<WCHAR>(list);
}
BOOL WINAPI MRU_AddItemA(HANDLE list, LPCSTR text)
{
    return AddItem(list, text);
}
BOOL WINAPI MRU_AddItemW(HANDLE list, LPCWSTR text)
{
    return AddItem(list, text);
}
int WINAPI MRU_FindItemA(HANDLE list, LPCSTR text)
{
    return FindItem(list, text);
}
int WINAPI MRU_FindItemW(HANDLE list, LPCWSTR text)
{
    return FindItem(list, text);
}
BOOL WINAPI MRU_MoveItemToTopA(HANDLE list, int index)
{
    return MoveItemToTop<char>(list, index);
}
BOOL WINAPI MRU_MoveItemToTopW(HANDLE list, int index)
{
    return MoveItemToTop<WCHAR>(list, index);
}
BOOL WINAPI MRU_RemoveItemA(HANDLE list, int index)
{
    return RemoveItem<char>(list, index);
}
BOOL WINAPI MRU_RemoveItemW(HANDLE list, int index)
{
    return RemoveItem<WCHAR>(list, index);
}
int WINAPI MRU_GetItemTextA(HANDLE list, int index, LPSTR buffer, int size)
{
    return GetItemText(list, index, buffer, size);
}
int WINAPI MRU_GetItemTextW(HANDLE list, int index, LPWSTR buffer, int size)
{
    return GetItemText(list, index, buffer, size);
}
int WINAPI MRU_GetMaxItemTextLenA(HANDLE list)
{
    return GetMaxItemTextLen<char>(list);
}
int WINAPI MRU_GetMaxItemTextLenW(HANDLE list)
{
    return GetMaxItemTextLen<WCHAR>(list);
}

DWORD WINAPI MRU_GetNumItems(HANDLE list)
{
    return WithList<DWORD>(list, 0, [](MruList *open) {
        return static_cast<DWORD>(MAKELONG(open->itemCount, open->maxItems));
    });
}

}  // extern "C"
