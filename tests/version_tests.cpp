// DllGetVersion through the library loaded by name, as a host does it.
#include <gtest/gtest.h>

#include "orvcc32.h"

#include <string.h>

namespace {

typedef HRESULT(WINAPI *GetVersionFn)(DLLVERSIONINFO *);

class DllGetVersionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA("ORVCC32.DLL");
        ASSERT_NE(module_, nullptr);
        query_ = reinterpret_cast<GetVersionFn>(
            reinterpret_cast<void (*)(void)>(GetProcAddress(module_, "DllGetVersion")));
        ASSERT_NE(query_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
    GetVersionFn query_ = nullptr;
};

TEST_F(DllGetVersionTest, BasicRecord)
{
    DLLVERSIONINFO info;
    memset(&info, 0xCC, sizeof info);
    info.cbSize = sizeof info;
    ASSERT_EQ(query_(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 1u);
    EXPECT_EQ(info.dwMinorVersion, 12u);
    EXPECT_EQ(info.dwBuildNumber, 0u);
    EXPECT_EQ(info.dwPlatformID, static_cast<DWORD>(DLLVER_PLATFORM_WINDOWS));
    EXPECT_EQ(info.cbSize, 20u);
}

TEST_F(DllGetVersionTest, ExtendedRecord)
{
    DLLVERSIONINFO2 info;
    memset(&info, 0xCC, sizeof info);
    info.info1.cbSize = sizeof info;
    ASSERT_EQ(query_(&info.info1), S_OK);
    EXPECT_EQ(info.info1.dwMajorVersion, 1u);
    EXPECT_EQ(info.info1.dwMinorVersion, 12u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.ullVersion, 0x0001000C00000000ull);
}

TEST_F(DllGetVersionTest, BetweenSizesFillsOnlyTheBasicFields)
{
    unsigned char record[40];
    memset(record, 0xAB, sizeof record);
    DWORD size = 24;
    memcpy(record, &size, 4);
    ASSERT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(record)), S_OK);
    DWORD fields[5];
    memcpy(fields, record, sizeof fields);
    EXPECT_EQ(fields[1], 1u);
    EXPECT_EQ(fields[2], 12u);
    EXPECT_EQ(fields[4], 1u);
    for (int i = 20; i < 40; ++i)
        EXPECT_EQ(record[i], 0xAB) << i;
}

TEST_F(DllGetVersionTest, BadRecordsAreRejectedUntouched)
{
    EXPECT_EQ(query_(NULL), E_INVALIDARG);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(16)), E_INVALIDARG);

    unsigned char record[40];
    memset(record, 0xAB, sizeof record);
    DWORD size = 19;
    memcpy(record, &size, 4);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(record)), E_INVALIDARG);
    for (int i = 4; i < 40; ++i)
        EXPECT_EQ(record[i], 0xAB);

    size = 0;
    memcpy(record, &size, 4);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(record)), E_INVALIDARG);
}

TEST_F(DllGetVersionTest, UnwritableOrShortMemoryIsRejected)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    // Two pages: the first writable, the second not.
    unsigned char *base = static_cast<unsigned char *>(
        VirtualAlloc(NULL, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(base + page, page, PAGE_READONLY, &old));

    // A record of 32 bytes claimed, only 20 writable before the read-only page.
    unsigned char *tail = base + page - 20;
    DWORD size = 32;
    memcpy(tail, &size, 4);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(tail)), E_INVALIDARG);
    size = 20;
    memcpy(tail, &size, 4);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(tail)), S_OK);

    // A read-only record.
    unsigned char *readOnly = base + page;
    ASSERT_TRUE(VirtualProtect(readOnly, page, PAGE_READWRITE, &old));
    memcpy(readOnly, &size, 4);
    ASSERT_TRUE(VirtualProtect(readOnly, page, PAGE_READONLY, &old));
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(readOnly)), E_INVALIDARG);

    // A huge size on a small record.
    unsigned char record[32];
    size = 0x7FFFFFF0;
    memcpy(record, &size, 4);
    EXPECT_EQ(query_(reinterpret_cast<DLLVERSIONINFO *>(record)), E_INVALIDARG);
    VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace
