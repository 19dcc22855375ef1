// Registry storage of MRU lists: a list's key holds one REG_SZ value per item,
// named by its letter "A" to "Z", and the order value (string resource IDS_MRU_ORDER)
// with the items' letters, most recent first. Every routine opens the key
// itself, closes it before returning and leaves its result as the last error.
#pragma once

#include "library.h"

// String resource with the name of the order value.
const UINT kMruOrderNameId = IDS_MRU_ORDER;

// One value as EnumMruValues hands it to its callback.
template <class C>
struct MruValue {
    const C *name;
    DWORD nameLength;  // characters
    DWORD type;
    const BYTE *data;
    DWORD dataSize;  // bytes
    void *context;
};

// Returns FALSE to stop the enumeration.
template <class C>
using MruValueProc = BOOL (*)(const MruValue<C> *value);

// operation KEY_READ: zero-fills buffer over *size bytes and reads the value
// into it (*size becomes the stored size; another stored type than type gives
// ERROR_INVALID_DATATYPE). KEY_WRITE: writes *size bytes of buffer. The key is
// created when missing, also for reading.
template <class C>
BOOL ReadWriteMruValue(HKEY key, const C *path, DWORD operation, const C *name, void *buffer,
                       DWORD *size, DWORD type);

// Deletes one value of an existing key.
template <class C>
BOOL DeleteMruValue(HKEY key, const C *path, const C *name);

// Calls proc for every value of the key, the last value first.
template <class C>
BOOL EnumMruValues(HKEY key, const C *path, MruValueProc<C> proc, void *context);

// The upper-case letter an item value is named by, or 0 when the name names no item.
template <class C>
C MruItemLetter(const C *name, DWORD nameLength);

// The name of the order value.
template <class C>
void LoadMruOrderName(C (&name)[16]);
