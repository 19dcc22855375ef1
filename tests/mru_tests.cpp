// MRU lists through the library's exports, in both families (A and W in every
// run), with the registry side read back directly. The program also runs as a
// child that adds an item and waits to be killed (--mru-child=...).
#include <gtest/gtest.h>

#include "orvcc32.h"
#include "testing.h"

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

const char kRoot[] = "Software\\orvcc32-tests";

std::wstring Widen(const std::string &text)
{
    std::wstring wide(text.size(), L'\0');
    if (!text.empty())
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                            static_cast<int>(wide.size()));
    return wide;
}

std::string Narrow(const std::wstring &wide)
{
    std::string text(wide.size(), '\0');
    if (!wide.empty())
        WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), &text[0],
                            static_cast<int>(text.size()), NULL, NULL);
    return text;
}

// One family of exports, driven with 8-bit test strings (code page 1252).
struct Family {
    const char *name;
    DWORD charSize;
    HANDLE (*open)(DWORD cbSizeDelta, DWORD maxItems, DWORD flags, HKEY key, const char *path);
    BOOL (*close)(HANDLE);
    BOOL (*add)(HANDLE, const char *text);  // null text passes a null pointer
    int (*find)(HANDLE, const char *text);
    BOOL (*move)(HANDLE, int);
    BOOL (*remove)(HANDLE, int);
    // Reads into a buffer of size characters (null buffer when size < 0 is not wanted).
    int (*text)(HANDLE, int index, int size, bool nullBuffer, std::string *out);
    int (*maxLen)(HANDLE);
    // A value of the list's key in this family's width: type, text up to its terminator, size.
    bool (*query)(HKEY key, const char *name, DWORD *type, std::string *text, DWORD *size);
};

template <class C>
struct Api;

template <>
struct Api<char> {
    typedef MruOpenParamsA Params;
    static std::string Str(const char *text) { return text; }
    static std::string Back(const std::string &text) { return text; }
    static HANDLE Open(const Params *p) { return MRU_OpenListA(p); }
    static BOOL Close(HANDLE h) { return MRU_CloseListA(h); }
    static BOOL Add(HANDLE h, const char *t) { return MRU_AddItemA(h, t); }
    static int Find(HANDLE h, const char *t) { return MRU_FindItemA(h, t); }
    static BOOL Move(HANDLE h, int i) { return MRU_MoveItemToTopA(h, i); }
    static BOOL Remove(HANDLE h, int i) { return MRU_RemoveItemA(h, i); }
    static int Text(HANDLE h, int i, char *b, int n) { return MRU_GetItemTextA(h, i, b, n); }
    static int MaxLen(HANDLE h) { return MRU_GetMaxItemTextLenA(h); }
    static LONG Query(HKEY k, const char *n, DWORD *t, BYTE *d, DWORD *s)
    {
        return RegQueryValueExA(k, n, NULL, t, d, s);
    }
};

template <>
struct Api<WCHAR> {
    typedef MruOpenParamsW Params;
    static std::wstring Str(const char *text) { return Widen(text); }
    static std::string Back(const std::wstring &text) { return Narrow(text); }
    static HANDLE Open(const Params *p) { return MRU_OpenListW(p); }
    static BOOL Close(HANDLE h) { return MRU_CloseListW(h); }
    static BOOL Add(HANDLE h, const WCHAR *t) { return MRU_AddItemW(h, t); }
    static int Find(HANDLE h, const WCHAR *t) { return MRU_FindItemW(h, t); }
    static BOOL Move(HANDLE h, int i) { return MRU_MoveItemToTopW(h, i); }
    static BOOL Remove(HANDLE h, int i) { return MRU_RemoveItemW(h, i); }
    static int Text(HANDLE h, int i, WCHAR *b, int n) { return MRU_GetItemTextW(h, i, b, n); }
    static int MaxLen(HANDLE h) { return MRU_GetMaxItemTextLenW(h); }
    static LONG Query(HKEY k, const char *n, DWORD *t, BYTE *d, DWORD *s)
    {
        return RegQueryValueExW(k, Widen(n).c_str(), NULL, t, d, s);
    }
};

template <class C>
struct Driver {
    typedef std::basic_string<C> String;
    static HANDLE Open(DWORD cbSizeDelta, DWORD maxItems, DWORD flags, HKEY key, const char *path)
    {
        const String wide = Api<C>::Str(path ? path : "");
        typename Api<C>::Params params = {static_cast<DWORD>(sizeof params + cbSizeDelta), maxItems,
                                          flags, key, path ? wide.c_str() : NULL};
        return Api<C>::Open(&params);
    }
    static BOOL Add(HANDLE h, const char *text)
    {
        return text ? Api<C>::Add(h, Api<C>::Str(text).c_str()) : Api<C>::Add(h, NULL);
    }
    static int Find(HANDLE h, const char *text)
    {
        return text ? Api<C>::Find(h, Api<C>::Str(text).c_str()) : Api<C>::Find(h, NULL);
    }
    static int Text(HANDLE h, int index, int size, bool nullBuffer, std::string *out)
    {
        std::vector<C> buffer(size > 0 ? size + 4 : 4, C('#'));
        const int result = Api<C>::Text(h, index, nullBuffer ? NULL : buffer.data(), size);
        if (out) {
            size_t length = 0;
            while (length < buffer.size() && buffer[length] && buffer[length] != C('#'))
                ++length;
            *out = Api<C>::Back(String(buffer.data(), length));
            if (length < buffer.size() && buffer[length] == C('#'))
                *out += "#";  // no terminator was written
        }
        return result;
    }
    static bool Query(HKEY key, const char *name, DWORD *type, std::string *text, DWORD *size)
    {
        std::vector<BYTE> data(1 << 16, 0);
        *size = static_cast<DWORD>(data.size());
        if (Api<C>::Query(key, name, type, data.data(), size) != ERROR_SUCCESS)
            return false;
        const C *chars = reinterpret_cast<const C *>(data.data());
        *text = Api<C>::Back(String(chars));
        return true;
    }
};

template <class C>
Family MakeFamily(const char *name)
{
    return {name,
            sizeof(C),
            Driver<C>::Open,
            Api<C>::Close,
            Driver<C>::Add,
            Driver<C>::Find,
            Api<C>::Move,
            Api<C>::Remove,
            Driver<C>::Text,
            Api<C>::MaxLen,
            Driver<C>::Query};
}

const Family kAnsi = MakeFamily<char>("A");
const Family kWide = MakeFamily<WCHAR>("W");

struct Case {
    const Family *family;
    bool writeThrough;
};

void PrintTo(const Case &value, std::ostream *out)
{
    *out << value.family->name << (value.writeThrough ? " with write-through" : "");
}

std::string CaseName(const ::testing::TestParamInfo<Case> &info)
{
    return std::string(info.param.family->name) + (info.param.writeThrough ? "_WriteThrough" : "");
}

// A stored value as read back in the family's width.
struct Stored {
    bool exists;
    DWORD type;
    std::string text;
    DWORD size;
};

class MruBase : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char &c : name)
            if (c == '/')
                c = '-';
        char process[32];
        snprintf(process, sizeof process, "\\mru-%lu", GetCurrentProcessId());
        processKey_ = std::string(kRoot) + process;
        path_ = processKey_ + "\\" + name;
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    // Runs of the program in parallel share only kRoot, which stays.
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, processKey_.c_str());
    }

    const Family &F() const { return *GetParam().family; }
    DWORD Flags(DWORD extra = 0) const { return (GetParam().writeThrough ? MRUF_WRITETHROUGH : 0) | extra; }
    HANDLE Open(DWORD maxItems, DWORD flags) const
    {
        return F().open(0, maxItems, flags, HKEY_CURRENT_USER, path_.c_str());
    }
    std::string Text(HANDLE list, int index) const
    {
        std::string text;
        F().text(list, index, 4096, false, &text);
        return text;
    }
    std::vector<std::string> Items(HANDLE list) const
    {
        std::vector<std::string> items;
        const int count = LOWORD(MRU_GetNumItems(list));
        for (int i = 0; i < count; ++i)
            items.push_back(Text(list, i));
        return items;
    }
    void AddAll(HANDLE list, std::initializer_list<const char *> texts) const
    {
        for (const char *text : texts)
            ASSERT_TRUE(F().add(list, text)) << text;
    }

    bool KeyExists() const
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    Stored Value(const char *name) const
    {
        Stored stored = {false, REG_NONE, "", 0};
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return stored;
        stored.exists = F().query(key, name, &stored.type, &stored.text, &stored.size);
        RegCloseKey(key);
        return stored;
    }
    DWORD ValueCount() const
    {
        HKEY key;
        DWORD count = 0;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL);
        RegCloseKey(key);
        return count;
    }
    // Expects a REG_SZ value holding text, sized in the family's characters.
    void ExpectItemValue(const char *name, const std::string &text) const
    {
        const Stored stored = Value(name);
        ASSERT_TRUE(stored.exists) << name;
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(stored.text, text) << name;
        EXPECT_EQ(stored.size, (text.size() + 1) * F().charSize) << name;
    }

    // Stores a value as it is given (raw bytes, any type).
    void SeedRaw(const char *name, DWORD type, const void *data, DWORD size) const
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                  &key, NULL),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, Widen(name).c_str(), 0, type,
                                 static_cast<const BYTE *>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void Seed(const char *name, const char *text) const
    {
        const std::wstring wide = Widen(text);
        SeedRaw(name, REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(WCHAR)));
    }

    std::string processKey_;
    std::string path_;
};

class MruApi : public MruBase {};
class MruStorage : public MruBase {};

INSTANTIATE_TEST_SUITE_P(Families, MruApi,
                         ::testing::Values(Case{&kAnsi, false}, Case{&kWide, false}), CaseName);
INSTANTIATE_TEST_SUITE_P(Families, MruStorage,
                         ::testing::Values(Case{&kAnsi, false}, Case{&kWide, false},
                                           Case{&kAnsi, true}, Case{&kWide, true}),
                         CaseName);

typedef std::vector<std::string> Strings;

// The _win98 copy runs in the library's ANSI flavour; both families work in either.
TEST(MruFlavour, RunsInTheExpectedPlatform)
{
    EXPECT_EQ(orvtest::IsAnsiFlavour(), orvtest::ExpectedVersionName() == "win98");
}

// ---- opening ---------------------------------------------------------------

TEST_P(MruApi, OpenRejectsBadParameters)
{
    struct Bad {
        DWORD cbSizeDelta;
        DWORD maxItems;
        HKEY key;
        const char *path;
    } cases[] = {
        {4, 4, HKEY_CURRENT_USER, path_.c_str()},        // cbSize 24
        {static_cast<DWORD>(-1), 4, HKEY_CURRENT_USER, path_.c_str()},
        {0, 0, HKEY_CURRENT_USER, path_.c_str()},
        {0, 27, HKEY_CURRENT_USER, path_.c_str()},
        {0, 4, NULL, path_.c_str()},
        {0, 4, HKEY_CURRENT_USER, NULL},
        {0, 4, HKEY_CURRENT_USER, ""},
    };
    for (const Bad &bad : cases) {
        SetLastError(0);
        EXPECT_EQ(F().open(bad.cbSizeDelta, bad.maxItems, 0, bad.key, bad.path), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    SetLastError(0);
    EXPECT_EQ(F().charSize == 1 ? MRU_OpenListA(NULL) : MRU_OpenListW(NULL), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(KeyExists());
}

TEST_P(MruApi, MissingKeyOpensEmptyAndIsCreated)
{
    for (DWORD maxItems : {1u, 4u, 26u}) {
        HANDLE list = Open(maxItems, 0);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(MRU_GetNumItems(list), maxItems << 16);
        EXPECT_EQ(F().maxLen(list), 0);
        EXPECT_EQ(F().find(list, "x"), -1);
        EXPECT_TRUE(F().close(list));
        EXPECT_TRUE(KeyExists());
    }
}

// ---- order, finding, moving, removing, reading -----------------------------

TEST_P(MruApi, AddingKeepsMostRecentFirstAndDropsTheLeastRecent)
{
    HANDLE list = Open(3, 0);
    AddAll(list, {"a", "b", "c"});
    EXPECT_EQ(Items(list), (Strings{"c", "b", "a"}));
    EXPECT_EQ(MRU_GetNumItems(list), 0x00030003u);
    ASSERT_TRUE(F().add(list, "d"));
    EXPECT_EQ(Items(list), (Strings{"d", "c", "b"}));
    EXPECT_EQ(F().find(list, "a"), -1);
    // Adding a present item only moves it.
    ASSERT_TRUE(F().add(list, "b"));
    EXPECT_EQ(Items(list), (Strings{"b", "d", "c"}));
    // Removing keeps the other strings intact, down to an empty list.
    ASSERT_TRUE(F().remove(list, 1));
    EXPECT_EQ(Items(list), (Strings{"b", "c"}));
    ASSERT_TRUE(F().remove(list, 1));
    ASSERT_TRUE(F().add(list, "e"));
    EXPECT_EQ(Items(list), (Strings{"e", "b"}));
    ASSERT_TRUE(F().remove(list, 0));
    ASSERT_TRUE(F().remove(list, 0));
    EXPECT_EQ(MRU_GetNumItems(list), 0x00030000u);
    EXPECT_EQ(F().maxLen(list), 0);
    EXPECT_TRUE(F().close(list));
}

TEST_P(MruApi, FindGivesThePositionNotTheSlot)
{
    HANDLE list = Open(5, 0);
    AddAll(list, {"x", "y"});
    EXPECT_EQ(F().find(list, "x"), 1);
    EXPECT_EQ(F().find(list, "y"), 0);
    EXPECT_EQ(F().find(list, "X"), 1);
    EXPECT_EQ(F().find(list, "z"), -1);
    EXPECT_EQ(F().find(list, ""), -1);
    F().close(list);
}

TEST_P(MruApi, CaseInsensitiveListAdoptsTheNewSpelling)
{
    HANDLE list = Open(5, 0);
    AddAll(list, {"b", "other"});
    ASSERT_TRUE(F().add(list, "B"));
    EXPECT_EQ(Items(list), (Strings{"B", "other"}));
    F().close(list);

    HANDLE sensitive = Open(5, MRUF_CASESENSITIVE);
    ASSERT_NE(sensitive, nullptr);
    // The list above wrote B and other at close.
    EXPECT_EQ(Items(sensitive), (Strings{"B", "other"}));
    ASSERT_TRUE(F().add(sensitive, "b"));
    EXPECT_EQ(Items(sensitive), (Strings{"b", "B", "other"}));
    EXPECT_EQ(F().find(sensitive, "B"), 1);
    EXPECT_EQ(F().find(sensitive, "OTHER"), -1);
    F().close(sensitive);
}

// Texts that compare equal while their lengths differ (the soft hyphen is ignored
// by the comparison) take the found item's place without overwriting its neighbours.
TEST_P(MruApi, RespellingWithAnotherLengthRepacksTheStrings)
{
    for (DWORD flags : {DWORD(0), DWORD(MRUF_CASESENSITIVE)}) {
        HANDLE list = Open(5, flags);
        AddAll(list, {"first", "co\xADop", "last"});
        ASSERT_EQ(F().find(list, "coop"), 1) << "the comparison ignores the soft hyphen";
        ASSERT_TRUE(F().add(list, "coop"));
        EXPECT_EQ(Items(list), (Strings{"coop", "last", "first"}));
        EXPECT_EQ(F().maxLen(list), 6);
        ASSERT_TRUE(F().add(list, "c\xAD" "o\xAD" "o\xAD" "p"));
        EXPECT_EQ(Items(list), (Strings{"c\xAD" "o\xAD" "o\xAD" "p", "last", "first"}));
        EXPECT_EQ(F().maxLen(list), 8);
        ASSERT_TRUE(F().add(list, "new"));
        ASSERT_TRUE(F().remove(list, 1));
        EXPECT_EQ(Items(list), (Strings{"new", "last", "first"}));
        F().close(list);
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
}

TEST_P(MruApi, MoveItemToTop)
{
    EXPECT_TRUE(F().move(NULL, 0));
    HANDLE list = Open(4, 0);
    EXPECT_TRUE(F().move(list, 0));
    AddAll(list, {"a", "b", "c", "d"});
    ASSERT_TRUE(F().move(list, 3));
    EXPECT_EQ(Items(list), (Strings{"a", "d", "c", "b"}));
    ASSERT_TRUE(F().move(list, 2));
    EXPECT_EQ(Items(list), (Strings{"c", "a", "d", "b"}));
    ASSERT_TRUE(F().move(list, 0));
    EXPECT_EQ(Items(list), (Strings{"c", "a", "d", "b"}));
    F().close(list);
}

TEST_P(MruApi, GetItemTextTruncatesAndMeasures)
{
    HANDLE list = Open(4, 0);
    AddAll(list, {"abcdef"});
    std::string text;
    EXPECT_EQ(F().text(list, 0, 4, false, &text), 3);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(F().text(list, 0, 7, false, &text), 6);
    EXPECT_EQ(text, "abcdef");
    EXPECT_EQ(F().text(list, 0, 1, false, &text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(F().text(list, 0, 0, false, &text), 0);
    EXPECT_EQ(text, "#") << "size 0 writes nothing";
    F().remove(list, 0);
    AddAll(list, {"ab", "abcd"});
    EXPECT_EQ(F().maxLen(list), 5);
    F().close(list);
}

// ---- bad input --------------------------------------------------------------

// Every call on a handle that is no open list fails with its failure result and
// ERROR_INVALID_PARAMETER (or GlobalLock's ERROR_INVALID_HANDLE); moving index 0 succeeds.
void ExpectRejected(const Family &f, HANDLE handle)
{
    std::string text;
    const struct {
        const char *call;
        long result;
        long expected;
        DWORD error;
    } calls[] = {
        {"add", (SetLastError(0), f.add(handle, "x")), FALSE, GetLastError()},
        {"find", (SetLastError(0), f.find(handle, "x")), -1, GetLastError()},
        {"move", (SetLastError(0), f.move(handle, 1)), FALSE, GetLastError()},
        {"remove", (SetLastError(0), f.remove(handle, 0)), FALSE, GetLastError()},
        {"text", (SetLastError(0), f.text(handle, 0, 10, false, &text)), 0, GetLastError()},
        {"maxLen", (SetLastError(0), f.maxLen(handle)), 0, GetLastError()},
        {"count", (SetLastError(0), static_cast<long>(MRU_GetNumItems(handle))), 0, GetLastError()},
        {"close", (SetLastError(0), f.close(handle)), FALSE, GetLastError()},
    };
    for (const auto &call : calls) {
        EXPECT_EQ(call.result, call.expected) << call.call;
        EXPECT_TRUE(call.error == ERROR_INVALID_PARAMETER || call.error == ERROR_INVALID_HANDLE)
            << call.call << " " << call.error;
    }
    EXPECT_TRUE(f.move(handle, 0));
}

TEST_P(MruApi, NullForeignAndClosedHandlesAreRejected)
{
    ExpectRejected(F(), NULL);

    HGLOBAL zeroed = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 256);
    ExpectRejected(F(), zeroed);
    EXPECT_EQ(GlobalFlags(zeroed) & GMEM_LOCKCOUNT, 0u) << "unlocked again";
    GlobalFree(zeroed);

    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 256);
    memset(fixed, 0x24, 256);  // 0x24242424, not the signature
    ExpectRejected(F(), fixed);
    GlobalFree(fixed);

    HANDLE list = Open(4, 0);
    AddAll(list, {"a"});
    ASSERT_TRUE(F().close(list));
    ExpectRejected(F(), list);
}

TEST_P(MruApi, NullAndEmptyStringsAndBadIndexesFail)
{
    HANDLE list = Open(3, 0);
    AddAll(list, {"one", "two"});
    struct Check {
        const char *what;
        long result;
        long expected;
        DWORD error;
    };
    std::string text;
    const Check checks[] = {
        {"add null", (SetLastError(0), F().add(list, NULL)), FALSE, GetLastError()},
        {"add empty", (SetLastError(0), F().add(list, "")), FALSE, GetLastError()},
        {"find null", (SetLastError(0), F().find(list, NULL)), -1, GetLastError()},
        {"move 2", (SetLastError(0), F().move(list, 2)), FALSE, GetLastError()},
        {"move -1", (SetLastError(0), F().move(list, -1)), FALSE, GetLastError()},
        {"remove 2", (SetLastError(0), F().remove(list, 2)), FALSE, GetLastError()},
        {"remove -1", (SetLastError(0), F().remove(list, -1)), FALSE, GetLastError()},
        {"text 2", (SetLastError(0), F().text(list, 2, 10, false, &text)), 0, GetLastError()},
        {"text -1", (SetLastError(0), F().text(list, -1, 10, false, &text)), 0, GetLastError()},
        {"text null buffer", (SetLastError(0), F().text(list, 0, 10, true, NULL)), 0,
         GetLastError()},
        {"text size 0", (SetLastError(0), F().text(list, 0, 0, false, &text)), 0, GetLastError()},
        {"text size -5", (SetLastError(0), F().text(list, 0, -5, false, &text)), 0,
         GetLastError()},
    };
    for (const Check &check : checks) {
        EXPECT_EQ(check.result, check.expected) << check.what;
        EXPECT_EQ(check.error, static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << check.what;
    }
    EXPECT_EQ(Items(list), (Strings{"two", "one"}));
    F().close(list);
}

// ---- the string area -------------------------------------------------------

TEST_P(MruApi, StringAreaGrowsPageByPageAndKeepsEveryString)
{
    HANDLE list = Open(26, MRUF_WRITETHROUGH);
    std::vector<std::string> texts;
    for (int i = 0; i < 40; ++i) {
        texts.push_back(std::string(300 + 97 * i, static_cast<char>('a' + i % 26)) +
                        std::to_string(i));
        ASSERT_TRUE(F().add(list, texts.back().c_str())) << i;
    }
    std::vector<std::string> expected(texts.rbegin(), texts.rbegin() + 26);
    EXPECT_EQ(Items(list), expected);
    EXPECT_EQ(F().maxLen(list), static_cast<int>(texts.back().size() + 1));
    F().close(list);

    // Opening sizes the area from what is stored.
    HANDLE again = Open(26, 0);
    EXPECT_EQ(Items(again), expected);
    ASSERT_TRUE(F().add(again, std::string(5000, 'z').c_str()));
    EXPECT_EQ(Text(again, 1), expected[0]);
    EXPECT_EQ(Text(again, 25), expected[24]);
    F().close(again);
}

// A string larger than the area may ever grow fails; the list keeps every item,
// a full list its least recent one too.
TEST_P(MruApi, StringBeyondTheAreaFailsAndChangesNothing)
{
    HANDLE list = Open(2, MRUF_WRITETHROUGH);
    AddAll(list, {"x", "y"});
    const std::string huge(3 * 1024 * 1024, 'h');
    SetLastError(0);
    EXPECT_FALSE(F().add(list, huge.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_OUTOFMEMORY));
    EXPECT_EQ(Items(list), (Strings{"y", "x"}));
    EXPECT_EQ(Value("MRUList").text, "BA");
    EXPECT_TRUE(Value("A").exists);

    // A found item whose new spelling (equal but for soft hyphens) does not fit
    // stays where and as it was.
    const std::string respelled = "x" + std::string(2 * 1024 * 1024, '\xAD');
    ASSERT_EQ(F().find(list, respelled.c_str()), 1);
    SetLastError(0);
    EXPECT_FALSE(F().add(list, respelled.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_OUTOFMEMORY));
    EXPECT_EQ(Items(list), (Strings{"y", "x"}));
    EXPECT_EQ(Value("MRUList").text, "BA");
    F().close(list);
}

// ---- both families, one key ------------------------------------------------

TEST_P(MruApi, TheOtherFamilyReadsWhatOneWrote)
{
    const Family &other = F().charSize == 1 ? kWide : kAnsi;
    HANDLE list = Open(4, 0);
    AddAll(list, {"one", "tw\xF6", "three"});
    F().close(list);
    HANDLE read = other.open(0, 4, 0, HKEY_CURRENT_USER, path_.c_str());
    ASSERT_NE(read, nullptr);
    std::string text;
    EXPECT_EQ(other.text(read, 1, 20, false, &text), 3);
    EXPECT_EQ(text, "tw\xF6");
    EXPECT_EQ(other.find(read, "ONE"), 2);
    other.close(read);
}

// ---- registry layout ---------------------------------------------------------

TEST_P(MruStorage, StoredOrderDecidesThePositions)
{
    Seed("A", "C:\\first.txt");
    Seed("B", "C:\\second.txt");
    for (const char *order : {"BA", "ba"}) {
        Seed("MRUList", order);
        HANDLE list = Open(4, Flags());
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(Items(list), (Strings{"C:\\second.txt", "C:\\first.txt"})) << order;
        EXPECT_EQ(F().close(list), TRUE);
    }
    // Closing without write-through writes the order in upper case.
    EXPECT_EQ(Value("MRUList").text, GetParam().writeThrough ? "ba" : "BA");
}

TEST_P(MruStorage, ValuesMissingFromTheOrderAreIgnoredAndKept)
{
    Seed("A", "a-text");
    Seed("B", "b-text");
    Seed("C", "c-text");
    Seed("MRUList", "CA");
    HANDLE list = Open(4, Flags());
    EXPECT_EQ(Items(list), (Strings{"c-text", "a-text"}));
    ASSERT_TRUE(F().add(list, "new"));
    F().close(list);
    // The new item takes the first letter not in use, B, and overwrites its value.
    EXPECT_EQ(Value("MRUList").text, "BCA");
    ExpectItemValue("B", "new");
    ExpectItemValue("C", "c-text");
}

TEST_P(MruStorage, NoOrderValueOpensEmpty)
{
    Seed("A", "a-text");
    Seed("B", "b-text");
    HANDLE list = Open(4, Flags());
    EXPECT_EQ(MRU_GetNumItems(list), 0x00040000u);
    F().close(list);
}

TEST_P(MruStorage, OnlyOneLetterStringValuesAreItems)
{
    Seed("A", "real");
    Seed("AB", "long name");
    Seed("1", "digit");
    const DWORD number = 0x41;
    SeedRaw("D", REG_DWORD, &number, sizeof number);
    Seed("e", "lower-case name");
    Seed("MRUList", "D1ABE");
    HANDLE list = Open(6, Flags());
    EXPECT_EQ(Items(list), (Strings{"real", "lower-case name"}));
    EXPECT_EQ(F().find(list, "digit"), -1);
    EXPECT_EQ(F().find(list, "long name"), -1);
    F().close(list);
}

TEST_P(MruStorage, AddingToAMissingKey)
{
    HANDLE list = Open(4, Flags());
    EXPECT_TRUE(KeyExists());
    ASSERT_TRUE(F().add(list, "file.txt"));
    if (GetParam().writeThrough) {
        ExpectItemValue("A", "file.txt");
        ExpectItemValue("MRUList", "A");
    } else {
        EXPECT_EQ(ValueCount(), 0u);
    }
    F().close(list);
    ExpectItemValue("A", "file.txt");
    ExpectItemValue("MRUList", "A");
    EXPECT_EQ(ValueCount(), 2u);
}

TEST_P(MruStorage, RemovingWritesThroughOrAtClose)
{
    HANDLE list = Open(4, Flags());
    AddAll(list, {"a", "b", "c"});
    F().close(list);
    ExpectItemValue("MRUList", "CBA");

    list = Open(4, Flags());
    ASSERT_TRUE(F().remove(list, 1));
    EXPECT_EQ(Items(list), (Strings{"c", "a"}));
    if (GetParam().writeThrough) {
        ExpectItemValue("MRUList", "CA");
        EXPECT_FALSE(Value("B").exists);
    } else {
        ExpectItemValue("MRUList", "CBA");
        ExpectItemValue("B", "b");
    }
    ASSERT_TRUE(F().move(list, 1));
    ExpectItemValue("MRUList", GetParam().writeThrough ? "AC" : "CBA");
    F().close(list);
    ExpectItemValue("MRUList", "AC");
    ExpectItemValue("A", "a");
    ExpectItemValue("C", "c");
    // Without write-through a removed item's value stays; its letter is not listed.
    EXPECT_EQ(Value("B").exists, !GetParam().writeThrough);

    HANDLE again = Open(4, Flags());
    EXPECT_EQ(Items(again), (Strings{"a", "c"}));
    F().close(again);
}

TEST_P(MruStorage, FullListGivesTheFreedLetterToTheNewItem)
{
    HANDLE list = Open(4, Flags());
    AddAll(list, {"a", "b", "c", "d"});
    ASSERT_TRUE(F().add(list, "e"));
    EXPECT_EQ(Items(list), (Strings{"e", "d", "c", "b"}));
    if (GetParam().writeThrough) {
        ExpectItemValue("A", "e");
        ExpectItemValue("MRUList", "ADCB");
    }
    F().close(list);
    ExpectItemValue("A", "e");
    ExpectItemValue("B", "b");
    ExpectItemValue("D", "d");
    ExpectItemValue("MRUList", "ADCB");
    EXPECT_EQ(ValueCount(), 5u);
}

TEST_P(MruStorage, RespellingRewritesTheItemValue)
{
    HANDLE list = Open(4, Flags());
    AddAll(list, {"readme", "other"});
    ASSERT_TRUE(F().add(list, "README"));
    if (GetParam().writeThrough) {
        ExpectItemValue("A", "README");
        ExpectItemValue("MRUList", "AB");
    }
    ASSERT_TRUE(F().add(list, "Read\xADMe"));  // same position, another length
    if (GetParam().writeThrough)
        ExpectItemValue("A", "Read\xADMe");
    F().close(list);
    ExpectItemValue("A", "Read\xADMe");
    ExpectItemValue("B", "other");
    ExpectItemValue("MRUList", "AB");
}

// ---- stored content that does not fit together -----------------------------

TEST_P(MruStorage, InconsistentOrderIsReconciled)
{
    std::string tooLong;  // longer than any first read of the order value
    for (int i = 0; i < 100; ++i)
        tooLong += "DDCCAA"[i % 6];
    struct Stored {
        const char *order;
        DWORD maxItems;
        Strings items;
    } cases[] = {
        {tooLong.c_str(), 2, {"d-text", "c-text"}},
        {"CBA", 4, {"c-text", "a-text"}},         // B has no value
        {"AAC", 4, {"a-text", "c-text"}},         // A twice
        {"CA?C-A", 4, {"c-text", "a-text"}},      // other characters
        {"DCA", 2, {"d-text", "c-text"}},         // longer than maxItems
        {"EDCBA", 3, {"d-text", "c-text", "a-text"}},
        {"Q", 4, {}},
    };
    Seed("A", "a-text");
    Seed("C", "c-text");
    Seed("D", "d-text");
    const DWORD number = 7;
    SeedRaw("E", REG_DWORD, &number, sizeof number);
    for (const Stored &stored : cases) {
        Seed("MRUList", stored.order);
        HANDLE list = Open(stored.maxItems, Flags());
        const DWORD count = static_cast<DWORD>(stored.items.size());
        EXPECT_EQ(MRU_GetNumItems(list), MAKELONG(count, stored.maxItems)) << stored.order;
        EXPECT_EQ(Items(list), stored.items) << stored.order;
        std::string text;
        EXPECT_EQ(F().text(list, count, 100, false, &text), 0);
        // Positions and letters agree: each item can be moved, found and removed.
        if (count > 1) {
            ASSERT_TRUE(F().move(list, count - 1));
            EXPECT_EQ(F().find(list, stored.items.back().c_str()), 0);
            ASSERT_TRUE(F().remove(list, 0));
            EXPECT_EQ(Items(list), Strings(stored.items.begin(), stored.items.end() - 1));
        }
        // Closing does not write with write-through; reset the content for the next case.
        F().close(list);
        Seed("A", "a-text");
        Seed("C", "c-text");
        Seed("D", "d-text");
    }
}

// Stored data without its terminator, or with an odd byte count, ends at its size.
TEST_P(MruStorage, ItemDataIsBoundedByItsSize)
{
    const std::wstring shortText = L"abc";
    SeedRaw("A", REG_SZ, shortText.c_str(), 3 * sizeof(WCHAR));     // no terminator
    Seed("B", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");                     // enumerated first
    const std::wstring odd = L"pqr";
    SeedRaw("C", REG_SZ, odd.c_str(), 5);                            // 2.5 characters
    SeedRaw("D", REG_SZ, L"", 0);                                    // no data at all
    Seed("MRUList", "ABCD");
    HANDLE list = Open(4, Flags());
    const Strings items = Items(list);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], "abc");
    EXPECT_EQ(items[1], "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
    EXPECT_EQ(items[2], "pq");
    EXPECT_EQ(items[3], "");
    F().close(list);
}

// ---- a process that dies without closing ------------------------------------

std::string ChildArgument(const Family &family, DWORD flags, const std::string &path,
                          const std::string &event)
{
    return "--mru-child=" + std::string(family.name) + "|" + std::to_string(flags) + "|" + path +
           "|" + event;
}

TEST_P(MruStorage, KilledProcessKeepsWhatItWroteThrough)
{
    char event[64];
    snprintf(event, sizeof event, "orvcc-mru-child-%lu-%u", GetCurrentProcessId(),
             static_cast<unsigned>(GetTickCount()));
    HANDLE added = CreateEventA(NULL, TRUE, FALSE, event);
    ASSERT_NE(added, nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " +
                          ChildArgument(F(), Flags(), path_, event);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                               &process));
    HANDLE waits[2] = {added, process.hProcess};
    const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, 60000);
    EXPECT_EQ(woken, WAIT_OBJECT_0) << "the child signals after adding";
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(added);

    HANDLE list = Open(4, Flags());
    if (GetParam().writeThrough) {
        EXPECT_EQ(Items(list), (Strings{"from the child", "before"}));
    } else {
        EXPECT_EQ(Items(list), (Strings{"before"}));
    }
    F().close(list);
}

// The child: a list with one item, then the item added before it is killed.
int RunChild(const std::string &argument)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = argument.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(argument.substr(start, bar - start));
    parts.push_back(argument.substr(start));
    if (parts.size() != 4)
        return 2;
    const Family &family = parts[0] == "A" ? kAnsi : kWide;
    const DWORD flags = static_cast<DWORD>(atoi(parts[1].c_str()));
    HANDLE list = family.open(0, 4, 0, HKEY_CURRENT_USER, parts[2].c_str());
    family.add(list, "before");
    family.close(list);
    list = family.open(0, 4, flags, HKEY_CURRENT_USER, parts[2].c_str());
    family.add(list, "from the child");
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, parts[3].c_str());
    SetEvent(event);
    Sleep(INFINITE);  // until killed
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const char prefix[] = "--mru-child=";
    if (argc > 1 && strncmp(argv[1], prefix, sizeof prefix - 1) == 0)
        return RunChild(argv[1] + sizeof prefix - 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
