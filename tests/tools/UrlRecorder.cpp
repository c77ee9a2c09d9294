// Stands in for the user's web browser in the tests: the shell runs it for
// "http" addresses (and, copied as ERROR.exe, for the bare word ERROR). It
// appends what it was asked to open to recorded.txt beside itself.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    std::wstring dir = path.substr(0, path.find_last_of(L"\\/") + 1);
    std::wstring line = argc > 1 ? std::wstring(argv[1]) : L"exe:" + path.substr(dir.size());
    line += L"\n";

    int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &utf8[0], bytes, nullptr, nullptr);

    // Several instances may start at once: retry while another has the file.
    for (int i = 0; i < 200; ++i) {
        HANDLE f = CreateFileW((dir + L"recorded.txt").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(f, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
            CloseHandle(f);
            break;
        }
        Sleep(10);
    }
    LocalFree(argv);
    return 0;
}
