// Reads every resource back from the built Selvane.exe and compares it with
// the table the program and its pages rely on.
#include "support/TestSupport.h"

#include "framework/CDialogInitData.h"
#include "framework/CDialogTemplate.h"

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

const WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);   // 0x0804
const WORD kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);        // 0x0409

// "PNG" or "#5": one spelling for named and numbered types.
std::wstring TypeKey(LPCWSTR type)
{
    if (IS_INTRESOURCE(type)) return L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(type));
    return type;
}

struct Found {
    std::set<std::tuple<std::wstring, UINT, WORD>> entries;   // type, id, language
    bool namedIds = false;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD lang, LONG_PTR param)
{
    auto* found = reinterpret_cast<Found*>(param);
    if (!IS_INTRESOURCE(name)) {
        found->namedIds = true;
        return TRUE;
    }
    found->entries.insert({TypeKey(type), static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)), lang});
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    EnumResourceNamesW(module, type, OnName, param);
    return TRUE;
}

class SelvaneResources : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_module = LoadLibraryExW(test::SelvaneExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (s_module) FreeLibrary(s_module);
        s_module = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(s_module, nullptr) << "cannot open " << test::Narrow(test::SelvaneExePath());
    }

    static std::string Bytes(LPCWSTR type, UINT id, WORD lang)
    {
        HRSRC r = FindResourceExW(s_module, type, MAKEINTRESOURCEW(id), lang);
        if (!r) return std::string();
        HGLOBAL g = LoadResource(s_module, r);
        const char* p = static_cast<const char*>(LockResource(g));
        return p ? std::string(p, SizeofResource(s_module, r)) : std::string();
    }
    static bool Exists(LPCWSTR type, UINT id)
    {
        return FindResourceW(s_module, MAKEINTRESOURCEW(id), type) != nullptr;
    }

    static HMODULE s_module;
};
HMODULE SelvaneResources::s_module = nullptr;

TEST_F(SelvaneResources, TableHoldsExactlyTheProgramsResources)
{
    Found found;
    EnumResourceTypesW(s_module, OnType, reinterpret_cast<LONG_PTR>(&found));
    EXPECT_FALSE(found.namedIds) << "every resource is looked up by number";

    std::set<std::tuple<std::wstring, UINT, WORD>> expected = {
        {L"#5", 102, kChinese}, {L"#5", 103, kChinese}, {L"#5", 150, kChinese},
        {L"#240", 103, kChinese},
        {L"#14", 155, kChinese}, {L"#3", 1, kChinese},
        {L"#23", 106, kChinese},
        {L"#24", 1, kEnglishUS},
        {L"#16", 1, kChinese},
    };
    for (UINT id : {137, 138, 139, 140, 141, 142, 143, 144, 145, 147, 158, 159, 160})
        expected.insert({L"PNG", id, kChinese});

    for (const auto& e : expected)
        EXPECT_TRUE(found.entries.count(e)) << "missing: type " << test::Narrow(std::get<0>(e))
                                            << " id " << std::get<1>(e) << " lang " << std::hex << std::get<2>(e);
    for (const auto& e : found.entries)
        EXPECT_TRUE(expected.count(e)) << "unexpected: type " << test::Narrow(std::get<0>(e))
                                       << " id " << std::get<1>(e) << " lang " << std::hex << std::get<2>(e);
    // No menu, accelerators or strings of the program's own.
    for (const wchar_t* type : {L"#4", L"#9", L"#6"})
        for (const auto& e : found.entries)
            EXPECT_NE(std::get<0>(e), type);
    EXPECT_FALSE(Exists(L"PNG", 146)) << "the service button's hot picture is 147, there is no 146";
}

uint32_t BigEndian32(const std::string& b, size_t at)
{
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}

TEST_F(SelvaneResources, PicturesAreRgbaPngsOfTheirButtonsSizes)
{
    struct Case { UINT id; uint32_t width, height; const char* use; };
    const Case cases[] = {
        {137, 30, 31, "close, hot"},       {138, 30, 31, "close"},
        {139, 99, 29, "home"},             {140, 99, 29, "home, hot"},
        {141, 99, 29, "forum"},            {142, 99, 29, "forum, hot"},
        {143, 99, 29, "recharge"},         {144, 99, 29, "recharge, hot"},
        {145, 99, 29, "service"},          {147, 99, 29, "service, hot"},
        {158, 1172, 745, "background"},
        {159, 21, 21, "minimise"},         {160, 21, 21, "minimise, hot"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "PNG " << c.id << " (" << c.use << ")");
        std::string png = Bytes(L"PNG", c.id, kChinese);
        ASSERT_GE(png.size(), 33u);
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(BigEndian32(png, 16), c.width);
        EXPECT_EQ(BigEndian32(png, 20), c.height);
        EXPECT_EQ(uint8_t(png[24]), 8) << "bit depth";
        EXPECT_EQ(uint8_t(png[25]), 6) << "colour type: RGB with alpha";
        EXPECT_EQ(uint8_t(png[28]), 0) << "not interlaced";
    }
}

struct ExpectedItem {
    DWORD id;
    bool ordinalClass;
    WORD classOrdinal;
    const wchar_t* className;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD style, exStyle;
};

void ExpectItem(const DialogTemplateItem& got, const ExpectedItem& want, int index)
{
    SCOPED_TRACE(testing::Message() << "control #" << index << " (id " << want.id << ")");
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.windowClass.isOrdinal, want.ordinalClass);
    if (want.ordinalClass)
        EXPECT_EQ(got.windowClass.ordinal, want.classOrdinal);
    else  // class names match without regard to case
        EXPECT_EQ(_wcsicmp(got.windowClass.text.c_str(), want.className), 0) << test::Narrow(got.windowClass.text);
    EXPECT_FALSE(got.title.isOrdinal);
    EXPECT_EQ(test::Narrow(got.title.text), test::Narrow(want.text));
    EXPECT_EQ(got.x, want.x); EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.cx, want.cx); EXPECT_EQ(got.cy, want.cy);
    EXPECT_EQ(got.style, want.style) << std::hex << got.style;
    EXPECT_EQ(got.exStyle, want.exStyle) << std::hex << got.exStyle;
    EXPECT_EQ(got.helpId, 0u);
    EXPECT_TRUE(got.creationData.empty());
}

TEST_F(SelvaneResources, DialogTemplatesMatchTheirTable)
{
    struct Case {
        UINT id; short cx, cy; DWORD style, exStyle; const wchar_t* caption;
        const wchar_t* face; WORD points, weight; BYTE charset; size_t controls;
    };
    const Case cases[] = {
        {102, 315, 208, 0x10C90048, 0x00040000, L"Selvane", L"MS Shell Dlg", 9, 0, 1, 0},
        {103, 662, 388, 0x80000040, 0, L"", L"MS Sans Serif", 9, 0, 0, 9},
        {150, 835, 415, 0x80C008C8, 0x00040000, L"Selvane", L"MS Shell Dlg", 8, 400, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dialog " << c.id);
        std::string bytes = Bytes(RT_DIALOG, c.id, kChinese);
        CDialogTemplate t;
        ASSERT_TRUE(t.Parse(bytes.data(), bytes.size())) << "an extended template";
        EXPECT_EQ(t.helpId, 0u);
        EXPECT_EQ(t.x, 0); EXPECT_EQ(t.y, 0);
        EXPECT_EQ(t.cx, c.cx); EXPECT_EQ(t.cy, c.cy);
        EXPECT_EQ(t.style, c.style) << std::hex << t.style;
        EXPECT_EQ(t.exStyle, c.exStyle) << std::hex << t.exStyle;
        EXPECT_TRUE(!t.menu.isOrdinal && t.menu.text.empty()) << "no menu";
        EXPECT_TRUE(!t.windowClass.isOrdinal && t.windowClass.text.empty()) << "default dialog class";
        EXPECT_EQ(test::Narrow(t.title), test::Narrow(c.caption));
        ASSERT_TRUE(t.hasFont);
        EXPECT_EQ(test::Narrow(t.typeface), test::Narrow(c.face));
        EXPECT_EQ(t.pointSize, c.points);
        EXPECT_EQ(t.weight, c.weight);
        EXPECT_EQ(t.italic, 0);
        EXPECT_EQ(t.charset, c.charset);
        EXPECT_EQ(t.items.size(), c.controls);
    }

    std::string bytes = Bytes(RT_DIALOG, 103, kChinese);
    CDialogTemplate panel;
    ASSERT_TRUE(panel.Parse(bytes.data(), bytes.size()));
    const ExpectedItem items[] = {
        {104, true, 0x80, nullptr, L"官方网站", 3, 1, 55, 17, 0x40010C81, 0},
        {1005, false, 0, L"{8856F961-340A-11D0-A96B-00C04FD705A2}", L"", 141, 108, 37, 20, 0x50000000, 0},
        {1006, false, 0, L"MfcButton", L"", 201, 113, 57, 13, 0x50010001, 0x20},
        {1004, false, 0, L"MfcButton", L"", 531, 61, 16, 16, 0x50000000, 0},
        {1008, false, 0, L"MfcButton", L"", 274, 110, 50, 14, 0x50000000, 0},
        {1009, false, 0, L"MfcButton", L"", 425, 114, 50, 14, 0x50000000, 0},
        {1010, false, 0, L"MfcButton", L"", 524, 114, 50, 14, 0x50000000, 0},
        {105, true, 0x80, nullptr, L"", 62, 3, 50, 14, 0x40010001, 0},
        {1012, false, 0, L"MfcButton", L"", 137, 155, 50, 14, 0x50010000, 0},
    };
    ASSERT_EQ(panel.items.size(), sizeof(items) / sizeof(items[0]));
    for (size_t i = 0; i < panel.items.size(); ++i)
        ExpectItem(panel.items[i], items[i], static_cast<int>(i));

    CLSID clsid;
    ASSERT_TRUE(panel.items[1].GetClsid(clsid));
    const CLSID webBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
    EXPECT_TRUE(IsEqualCLSID(clsid, webBrowser));
}

std::string ButtonProperties(const char* fullTextTool, const char* imageType)
{
    return std::string("<MFCButton_Style>6</MFCButton_Style><MFCButton_Autosize>FALSE</MFCButton_Autosize>"
                       "<MFCButton_Tooltip></MFCButton_Tooltip><MFCButton_FullTextTool>") +
           fullTextTool + "</MFCButton_FullTextTool><MFCButton_CursorType>12</MFCButton_CursorType>"
                          "<MFCButton_ImageType>" + imageType + "</MFCButton_ImageType>"
                          "<MFCButton_ImageOnTop>FALSE</MFCButton_ImageOnTop>"
                          "<MFCButton_ImageOnRight>FALSE</MFCButton_ImageOnRight>";
}

TEST_F(SelvaneResources, PanelControlDataIsByteExact)
{
    const unsigned char browserState[160] = {
        0x00, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x00, 0x00, 0xCA, 0x05, 0x00, 0x00, 0x1A, 0x03, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xE0, 0xD0, 0x57, 0x00, 0x73, 0x35, 0xCF, 0x11,
        0xAE, 0x69, 0x08, 0x00, 0x2B, 0x2E, 0x12, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x4C, 0x00, 0x00, 0x00, 0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x46, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    struct Entry { WORD control, message; std::string data; };
    const Entry expected[] = {
        {1005, WM_OCC_LOADFROMSTREAM, std::string(reinterpret_cast<const char*>(browserState), 160)},
        {1006, WM_MFC_INITCTRL, ButtonProperties("FALSE", "10")},
        {1004, WM_MFC_INITCTRL, ButtonProperties("FALSE", "10")},
        {1008, WM_MFC_INITCTRL, ButtonProperties("FALSE", "8")},
        {1009, WM_MFC_INITCTRL, ButtonProperties("FALSE", "10")},
        {1010, WM_MFC_INITCTRL, ButtonProperties("FALSE", "10")},
        {1012, WM_MFC_INITCTRL, ButtonProperties("TRUE", "8")},
    };
    const size_t lengths[] = {160, 371, 371, 370, 371, 371, 369};

    // Byte for byte: rebuild the whole resource from the table.
    std::string whole;
    for (const Entry& e : expected) {
        whole.append(reinterpret_cast<const char*>(&e.control), 2);
        whole.append(reinterpret_cast<const char*>(&e.message), 2);
        DWORD n = static_cast<DWORD>(e.data.size());
        whole.append(reinterpret_cast<const char*>(&n), 4);
        whole += e.data;
    }
    whole.append(2, '\0');
    std::string bytes = Bytes(MAKEINTRESOURCEW(240), 103, kChinese);
    EXPECT_EQ(bytes.size(), whole.size());
    EXPECT_TRUE(bytes == whole) << "RT_DLGINIT 103 differs from the table";

    CDialogInitData init;
    ASSERT_TRUE(init.Parse(bytes.data(), bytes.size()));
    ASSERT_EQ(init.entries.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i << " (control " << expected[i].control << ")");
        EXPECT_EQ(init.entries[i].controlId, expected[i].control);
        EXPECT_EQ(init.entries[i].message, expected[i].message);
        EXPECT_EQ(init.entries[i].data.size(), lengths[i]);
        EXPECT_EQ(std::string(init.entries[i].data.begin(), init.entries[i].data.end()), expected[i].data);
    }
}

TEST_F(SelvaneResources, IconIsOne48PixelImageWithAlpha)
{
    std::string group = Bytes(RT_GROUP_ICON, 155, kChinese);
    ASSERT_EQ(group.size(), 6u + 14u);
    const BYTE* g = reinterpret_cast<const BYTE*>(group.data());
    EXPECT_EQ(g[2] | g[3] << 8, 1) << "type: icon";
    EXPECT_EQ(g[4] | g[5] << 8, 1) << "one image";
    EXPECT_EQ(g[6], 48);
    EXPECT_EQ(g[7], 48);
    EXPECT_EQ(g[10] | g[11] << 8, 1) << "planes";
    EXPECT_EQ(g[12] | g[13] << 8, 32) << "bits per pixel";
    DWORD bytes;
    std::memcpy(&bytes, g + 14, 4);
    EXPECT_EQ(bytes, 9640u);
    EXPECT_EQ(g[18] | g[19] << 8, 1) << "RT_ICON id";

    std::string image = Bytes(RT_ICON, 1, kChinese);
    ASSERT_EQ(image.size(), 9640u);
    BITMAPINFOHEADER h;
    std::memcpy(&h, image.data(), sizeof(h));
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 48);
    EXPECT_EQ(h.biHeight, 96) << "XOR and AND masks";
    EXPECT_EQ(h.biBitCount, 32);

    // It must load as an icon of that size.
    HICON icon = static_cast<HICON>(LoadImageW(s_module, MAKEINTRESOURCEW(155), IMAGE_ICON, 48, 48, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
}

TEST_F(SelvaneResources, GameStartPageIsTheBlackPage)
{
    const char* expected =
        "<HTML>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
        "<BODY ID=CKeltGameDlg BGCOLOR=BLACK>\r\n"
        "\r\n"
        "<TABLE WIDTH=100%>\r\n"
        "<TR>\r\n"
        "<TD ALIGN=RIGHT>\r\n"
        "</TD>\r\n"
        "</TR>\r\n"
        "<TR WIDTH=100% HEIGHT=75>\r\n"
        "</TR>\r\n"
        "</TABLE>\r\n"
        "\r\n"
        "</BODY>\r\n"
        "</HTML>";
    EXPECT_EQ(Bytes(RT_HTML, 106, kChinese), expected);
}

TEST_F(SelvaneResources, ManifestAsksForNoElevationAndNoComctl6)
{
    std::string m = Bytes(RT_MANIFEST, 1, kEnglishUS);
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8 byte-order mark";
    EXPECT_EQ(m.find('\n'), std::string::npos) << "one line";
    EXPECT_NE(m.find("manifestVersion=\"1.0\""), std::string::npos);
    EXPECT_NE(m.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(m.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(m.find(">true</dpiAware>"), std::string::npos);
    EXPECT_EQ(m.find("dependentAssembly"), std::string::npos) << "no common controls 6";
    EXPECT_EQ(m.find("compatibility"), std::string::npos) << "no supported-systems list";
}

// Walks a VS_VERSIONINFO tree: each node is length, value length, type, key,
// padding, value, padding, children.
struct VersionNode {
    std::wstring key;
    std::wstring text;
    std::string value;
    std::vector<VersionNode> children;
};

size_t ParseVersionNode(const std::string& b, size_t at, VersionNode& node)
{
    auto word = [&](size_t p) { return WORD(uint8_t(b[p]) | uint8_t(b[p + 1]) << 8); };
    WORD length = word(at), valueLength = word(at + 2), type = word(at + 4);
    size_t p = at + 6;
    while (word(p) != 0) { node.key += wchar_t(word(p)); p += 2; }
    p = (p + 2 + 3) & ~size_t(3);
    size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;
    node.value = b.substr(p, valueBytes);
    if (type == 1)
        for (size_t i = 0; i + 1 < valueBytes; i += 2)
            if (word(p + i)) node.text += wchar_t(word(p + i));
    p = (p + valueBytes + 3) & ~size_t(3);
    size_t end = at + length;
    while (p + 6 < end) {
        VersionNode child;
        size_t next = ParseVersionNode(b, p, child);
        if (next <= p) break;
        node.children.push_back(child);
        p = (next + 3) & ~size_t(3);
    }
    return end;
}

TEST_F(SelvaneResources, VersionBlockReads1_1_16_2)
{
    std::string block = Bytes(RT_VERSION, 1, kChinese);
    ASSERT_FALSE(block.empty());
    VersionNode root;
    ParseVersionNode(block, 0, root);
    EXPECT_EQ(test::Narrow(root.key), "VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00100002u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00100002u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, 0x4u);
    EXPECT_EQ(fixed.dwFileType, 0x1u);
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    const VersionNode* strings = nullptr;
    const VersionNode* vars = nullptr;
    for (const VersionNode& c : root.children) {
        if (c.key == L"StringFileInfo") strings = &c;
        if (c.key == L"VarFileInfo") vars = &c;
    }
    ASSERT_TRUE(strings && strings->children.size() == 1) << "one string table";
    const VersionNode& table = strings->children[0];
    EXPECT_EQ(test::Narrow(table.key), "080403a8");

    struct Value { const wchar_t* key; const wchar_t* text; };
    const Value values[] = {
        {L"CompanyName", nullptr}, {L"FileDescription", L"Tamb Launcher"},
        {L"FileVersion", L"1.1.16.2"}, {L"InternalName", L"Selvane.exe"},
        {L"LegalCopyright", nullptr}, {L"OriginalFilename", L"Selvane.exe"},
        {L"ProductName", L"Selvane"}, {L"ProductVersion", L"1.1.16.2"},
    };
    ASSERT_EQ(table.children.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(test::Narrow(values[i].key));
        EXPECT_EQ(test::Narrow(table.children[i].key), test::Narrow(values[i].key)) << "order";
        if (values[i].text)
            EXPECT_EQ(test::Narrow(table.children[i].text), test::Narrow(values[i].text));
        else
            EXPECT_FALSE(table.children[i].text.empty());
    }

    ASSERT_TRUE(vars && vars->children.size() == 1);
    EXPECT_EQ(test::Narrow(vars->children[0].key), "Translation");
    EXPECT_EQ(vars->children[0].value, std::string("\x04\x08\xa8\x03", 4)) << "0x0804, code page 936";
}

}  // namespace
