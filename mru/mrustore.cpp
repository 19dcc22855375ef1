// Registry routines of the MRU lists, built once per character width.
#include "mrustore.h"

#include <string.h>

namespace {

const REGSAM kReadAccess = READ_CONTROL | KEY_QUERY_VALUE;
const REGSAM kWriteAccess = READ_CONTROL | KEY_SET_VALUE;

template <class C>
LONG QueryOrSet(HKEY key, DWORD operation, const C *name, void *buffer, DWORD *size, DWORD type)
{
    BYTE *bytes = static_cast<BYTE *>(buffer);
    if (operation == KEY_WRITE)
        return Win<C>::RegSetValueEx(key, name, type, bytes, *size);
    memset(bytes, 0, *size);
    DWORD storedType = REG_NONE;
    LONG result = Win<C>::RegQueryValueEx(key, name, &storedType, bytes, size);
    if (result == ERROR_SUCCESS && storedType != type)
        result = ERROR_INVALID_DATATYPE;
    return result;
}

// Frees the enumeration buffers (either may be null).
void FreeBuffers(void *name, void *data)
{
    if (name)
        HeapFree(GetProcessHeap(), 0, name);
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
}

// Walks the values of an open key from the last to the first.
template <class C>
LONG WalkValues(HKEY key, DWORD count, C *name, DWORD nameCapacity, BYTE *data, DWORD dataCapacity,
                MruValueProc<C> proc, void *context)
{
    for (DWORD index = count; index-- > 0;) {
        DWORD nameLength = nameCapacity;
        DWORD dataSize = dataCapacity;
        DWORD type = REG_NONE;
        LONG result = Win<C>::RegEnumValue(key, index, name, &nameLength, &type, data, &dataSize);
        if (result != ERROR_SUCCESS)
            return result;
        const MruValue<C> value = {name, nameLength, type, data, dataSize, context};
        if (!proc(&value))
            return ERROR_OPERATION_ABORTED;
    }
    return ERROR_SUCCESS;
}

template <class C>
LONG EnumValues(HKEY key, const C *path, MruValueProc<C> proc, void *context)
{
    HKEY opened;
    LONG result = Win<C>::RegOpenKeyEx(key, path, KEY_QUERY_VALUE, &opened);
    if (result != ERROR_SUCCESS)
        return result;
    DWORD count = 0, longestName = 0, longestData = 0;
    result = Win<C>::RegQueryInfoKey(opened, &count, &longestName, &longestData);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return result;

    C *name = static_cast<C *>(HeapAlloc(GetProcessHeap(), 0, (longestName + 1) * sizeof(C)));
    BYTE *data = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, longestData));
    if (!name || !data) {
        FreeBuffers(name, data);
        return ERROR_OUTOFMEMORY;
    }
    result = Win<C>::RegOpenKeyEx(key, path, KEY_READ, &opened);
    if (result == ERROR_SUCCESS) {
        result = WalkValues(opened, count, name, longestName + 1, data, longestData, proc, context);
        RegCloseKey(opened);
    }
    FreeBuffers(name, data);
    return result;
}

}  // namespace

template <class C>
BOOL ReadWriteMruValue(HKEY key, const C *path, DWORD operation, const C *name, void *buffer,
                       DWORD *size, DWORD type)
{
    LONG result = ERROR_INVALID_PARAMETER;
    if (operation == KEY_READ || operation == KEY_WRITE) {
        HKEY opened;
        const REGSAM access = operation == KEY_READ ? kReadAccess : kWriteAccess;
        result = Win<C>::RegCreateKeyEx(key, path, access, &opened);
        if (result == ERROR_SUCCESS) {
            result = QueryOrSet(opened, operation, name, buffer, size, type);
            RegCloseKey(opened);
        }
    }
    SetLastError(result);
    return result == ERROR_SUCCESS;
}

template <class C>
BOOL DeleteMruValue(HKEY key, const C *path, const C *name)
{
    HKEY opened;
    LONG result = Win<C>::RegOpenKeyEx(key, path, kWriteAccess, &opened);
    if (result == ERROR_SUCCESS) {
        result = Win<C>::RegDeleteValue(opened, name);
        RegCloseKey(opened);
    }
    SetLastError(result);
    return result == ERROR_SUCCESS;
}

template <class C>
BOOL EnumMruValues(HKEY key, const C *path, MruValueProc<C> proc, void *context)
{
    const LONG result = EnumValues(key, path, proc, context);
    SetLastError(result);
    return result == ERROR_SUCCESS;
}

template <class C>
C MruItemLetter(const C *name, DWORD nameLength)
{
    if (nameLength != 1)
        return 0;
    C letter[2] = {name[0], 0};
    Win<C>::CharUpper(letter);
    return letter[0] >= 'A' && letter[0] <= 'Z' ? letter[0] : 0;
}

template <class C>
void LoadMruOrderName(C (&name)[16])
{
    name[0] = 0;
    Win<C>::LoadString(libInstance, kMruOrderNameId, name, 16);
}

#define ORVCC_MRU_STORE(C)                                                                         \
    template BOOL ReadWriteMruValue<C>(HKEY, const C *, DWORD, const C *, void *, DWORD *, DWORD); \
    template BOOL DeleteMruValue<C>(HKEY, const C *, const C *);                                   \
    template BOOL EnumMruValues<C>(HKEY, const C *, MruValueProc<C>, void *);                      \
    template C MruItemLetter<C>(const C *, DWORD);                                                 \
    template void LoadMruOrderName<C>(C(&)[16]);
ORVCC_MRU_STORE(char)
ORVCC_MRU_STORE(WCHAR)
