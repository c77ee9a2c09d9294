// Starts Selvane.exe, lets its launcher page start the game as a page does
// (through the stand-in HTML engine, tools/PageStandIn.cpp) and writes a
// picture of the screen with the game window, at half size, as a PNG.
//
//   game_snapshot.exe <Selvane.exe> <page_standin.dll> <output.png>
//
// The game window is an ordinary window, so the X server's root window shows
// it as a player sees it. Wine has no HTML engine here: the page area shows
// what the browser control draws without a page.
#include "support/PageStandInSetup.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <string>

namespace {

struct Found {
    DWORD pid;
    HWND game = nullptr;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param)
{
    auto* f = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[256] = L"";
    GetWindowTextW(hwnd, title, 256);
    if (pid == f->pid && IsWindowVisible(hwnd) && wcsstr(title, L"【F5刷新】")) f->game = hwnd;
    return TRUE;
}

int Fail(const char* what)
{
    fprintf(stderr, "game_snapshot: %s\n", what);
    return 1;
}

std::string UnixPath(const std::wstring& windowsPath)
{
    std::string p = test::Narrow(windowsPath);
    if (p.size() > 2 && p[1] == ':') p.erase(0, 2);   // Wine maps drive Z: to the root
    for (char& c : p) if (c == '\\') c = '/';
    return p;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) return Fail("usage: game_snapshot <Selvane.exe> <page_standin.dll> <output.png>");
    const std::wstring dir = test::ExeDirectory() + L"game-snapshot\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring exe = dir + L"Selvane.exe";
    if (!CopyFileW(argv[1], exe.c_str(), FALSE)) return Fail("cannot copy Selvane.exe");
    test::WriteFileBytes(dir + L"start.htm",
                         "<html><body><script>window.external.outLink('Selvane', 'http://127.0.0.1:1/play');"
                         "</script></body></html>\r\n");
    test::WriteFileBytes(dir + L"config.ini", "[tamb]\r\nclient_web=" + test::FileUrl(dir + L"start.htm") + "\r\n");
    test::PageStandInSetup standIn(argv[2]);
    if (!standIn.Ok()) return Fail("cannot register the stand-in page engine");

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return Fail("cannot start Selvane.exe");
    Found f;
    f.pid = pi.dwProcessId;
    bool shown = test::PumpUntil([&] {
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
        return f.game != nullptr && IsZoomed(f.game);
    }, 60000);
    int result = 0;
    if (!shown) {
        result = Fail("the game window did not appear");
    } else {
        test::PumpUntil([] { return false; }, 1000);   // its first paint
        std::string cmd = "xwd -root -silent | convert xwd:- -resize 50% " + UnixPath(argv[3]);
        if (test::RunHostCommand(cmd) != 0) result = Fail("cannot take the picture");
        else printf("wrote %s\n", UnixPath(argv[3]).c_str());
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}
