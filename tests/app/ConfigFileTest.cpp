// config.ini beside the executable: every read goes to the file.
#include "support/TestSupport.h"

#include "app/ConfigFile.h"

namespace {

class ConfigFile : public testing::Test {
protected:
    std::wstring Path() const { return test::ExeDirectory() + L"config.ini"; }
    void SetUp() override { DeleteFileW(Path().c_str()); }
    void TearDown() override { DeleteFileW(Path().c_str()); }
    void Write(const std::string& text) { ASSERT_TRUE(test::WriteFileBytes(Path(), text)); }
};

TEST_F(ConfigFile, ModuleDirectoryIsTheExecutablesFolder)
{
    CString dir = GetModuleDirectory();
    EXPECT_EQ(test::Narrow(dir.GetString()), test::Narrow(test::ExeDirectory()));
    ASSERT_GT(dir.GetLength(), 3);
    EXPECT_EQ(dir[dir.GetLength() - 1], L'\\');
    EXPECT_EQ(dir[1], L':') << "drive letter and colon first";
}

TEST_F(ConfigFile, NoFileReadsAsError)
{
    EXPECT_EQ(test::Narrow(ReadConfigValue(L"home_url").GetString()), "error");
}

TEST_F(ConfigFile, ValuesAsTheProfileReaderGivesThem)
{
    struct Case { const char* context; std::string file; const wchar_t* key; std::string expected; };
    const std::string longValue(600, 'x'), hugeValue(100000, 'z');
    const Case cases[] = {
        {"present", "[tamb]\r\nhome_url=http://example.test/\r\n", L"home_url", "http://example.test/"},
        {"other section only", "[other]\r\nhome_url=http://a/\r\n", L"home_url", "error"},
        {"key missing", "[tamb]\r\nforum_url=http://f/\r\n", L"home_url", "error"},
        {"literal error", "[tamb]\r\nforum_url=error\r\n", L"forum_url", "error"},
        {"capitals are a value", "[tamb]\r\nforum_url=ERROR\r\n", L"forum_url", "ERROR"},
        {"trailing space inside quotes", "[tamb]\r\nforum_url=\"error \"\r\n", L"forum_url", "error "},
        {"empty value is not missing", "[tamb]\r\nhome_url=\r\n", L"home_url", ""},
        {"600 characters are read whole", "[tamb]\r\nclient_web=" + longValue + "\r\n", L"client_web", longValue},
        {"100,000 characters are read whole", "[tamb]\r\nforum_url=" + hugeValue + "\r\n", L"forum_url", hugeValue},
        {"511 characters, the first buffer less one", "[tamb]\r\nhome_url=" + std::string(511, 'y') + "\r\n",
         L"home_url", std::string(511, 'y')},
        {"section and key ignore case", "[TAMB]\r\nHOME_URL=http://c/\r\n", L"home_url", "http://c/"},
        {"non-ASCII UTF-16 file", "", L"service_url", "http://客服.test/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        if (c.file.empty()) {
            // A UTF-16 file with a byte-order mark, as Notepad saves "Unicode".
            std::wstring text = L"\xFEFF[tamb]\r\nservice_url=http://客服.test/\r\n";
            ASSERT_TRUE(test::WriteFileBytes(Path(), std::string(reinterpret_cast<const char*>(text.data()),
                                                                 text.size() * 2)));
        } else {
            Write(c.file);
        }
        CString value = ReadConfigValue(c.key);
        EXPECT_EQ(test::Narrow(value.GetString()), c.expected);
        EXPECT_EQ(value.GetLength(), static_cast<int>(wcslen(value.GetString()))) << "length is the text read";
    }
}

TEST_F(ConfigFile, AnEditTakesEffectAtTheNextRead)
{
    Write("[tamb]\r\nhome_url=http://first/\r\n");
    EXPECT_EQ(test::Narrow(ReadConfigValue(L"home_url").GetString()), "http://first/");
    // Same length, so only the content tells the two files apart.
    Write("[tamb]\r\nhome_url=http://secnd/\r\n");
    EXPECT_EQ(test::Narrow(ReadConfigValue(L"home_url").GetString()), "http://secnd/");
    DeleteFileW(Path().c_str());
    EXPECT_EQ(test::Narrow(ReadConfigValue(L"home_url").GetString()), "error");
}

TEST_F(ConfigFile, OnlyTheExactSentinelSelectsTheBuiltInAddress)
{
    struct Case { const wchar_t* value; const wchar_t* expected; };
    const Case cases[] = {
        {L"error", L"http://built.in/"},
        {L"ERROR", L"ERROR"},
        {L"Error", L"Error"},
        {L"error ", L"error "},
        {L"", L""},
        {L"http://x/", L"http://x/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.value));
        EXPECT_EQ(test::Narrow(ConfigValueOr(c.value, L"http://built.in/").GetString()), test::Narrow(c.expected));
    }
}

}  // namespace
