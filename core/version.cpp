// DllGetVersion: the version numbers come from the library's own version resource.
#include "library.h"

namespace {

// Reads the fixed file information of the library's own file into *fixed.
HRESULT ReadFixedFileInfo(VS_FIXEDFILEINFO *fixed)
{
    WCHAR pathW[520];
    char pathA[520];
    DWORD handle = 0;
    DWORD size;
    if (platformIsNT) {
        GetModuleFileNameW(libInstance, pathW, 520);
        size = GetFileVersionInfoSizeW(pathW, &handle);
    } else {
        GetModuleFileNameA(libInstance, pathA, 520);
        size = GetFileVersionInfoSizeA(pathA, &handle);
    }
    if (size == 0)
        return E_UNEXPECTED;
    void *block = HeapAlloc(GetProcessHeap(), 0, size);
    if (!block)
        return E_OUTOFMEMORY;

    HRESULT result = E_UNEXPECTED;
    void *value = NULL;
    UINT length = 0;
    BOOL read = platformIsNT ? GetFileVersionInfoW(pathW, 0, size, block)
                             : GetFileVersionInfoA(pathA, 0, size, block);
    BOOL found = read && (platformIsNT ? VerQueryValueW(block, L"\\", &value, &length)
                                       : VerQueryValueA(block, "\\", &value, &length));
    if (found && value && length >= sizeof(VS_FIXEDFILEINFO)) {
        *fixed = *static_cast<VS_FIXEDFILEINFO *>(value);
        result = S_OK;
    }
    HeapFree(GetProcessHeap(), 0, block);
    return result;
}

}  // namespace

extern "C" HRESULT WINAPI DllGetVersion(DLLVERSIONINFO *info)
{
    if (IsBadReadPtr(info, 4) || info->cbSize < sizeof(DLLVERSIONINFO) ||
        IsBadWritePtr(info, info->cbSize))
        return E_INVALIDARG;

    VS_FIXEDFILEINFO fixed;
    HRESULT result = ReadFixedFileInfo(&fixed);
    if (FAILED(result))
        return result;

    const DWORD major = HIWORD(fixed.dwFileVersionMS);
    const DWORD minor = LOWORD(fixed.dwFileVersionMS);
    const DWORD build = HIWORD(fixed.dwFileVersionLS);
    const DWORD fourth = LOWORD(fixed.dwFileVersionLS);
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    info->dwBuildNumber = build;
    info->dwPlatformID =
        fixed.dwFileOS == VOS__WINDOWS32 ? DLLVER_PLATFORM_WINDOWS : DLLVER_PLATFORM_NT;
    if (info->cbSize >= sizeof(DLLVERSIONINFO2)) {
        DLLVERSIONINFO2 *info2 = reinterpret_cast<DLLVERSIONINFO2 *>(info);
        info2->dwFlags = 0;
        info2->ullVersion = (static_cast<ULONGLONG>(major) << 48) |
                            (static_cast<ULONGLONG>(minor) << 32) |
                            (static_cast<ULONGLONG>(build) << 16) | fourth;
    }
    return S_OK;
}
