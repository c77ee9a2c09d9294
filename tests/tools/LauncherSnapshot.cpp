// Starts Selvane.exe, waits for its first frame and writes what a player
// sees as a PNG: the launcher's two real windows composed as a compositing
// desktop shows them, over a plain grey backdrop. It also prints the cold
// start time, from process start to the first frame.
//
//   launcher_snapshot.exe <Selvane.exe> <output.png>
//
// Why compose: the launcher's artwork is a 32-bit window with per-pixel
// alpha. An X server without a compositor (such as Xvfb) cannot give that
// window's pixels through the root window, so an ordinary screenshot shows
// black there. Each window's own pixels are read instead (the artwork is
// premultiplied; its alpha is the artwork's), and the panel contributes the
// pixels inside its window region, exactly those a player sees.
#include "support/TestSupport.h"

#include "framework/ResourceStream.h"
#include "framework/ScopedGdiplus.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD pid;
    HWND background = nullptr;
    HWND panel = nullptr;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param)
{
    auto* f = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (!GetWindow(hwnd, GW_OWNER)) f->background = hwnd;
    else if (GetDlgItem(hwnd, 1005)) f->panel = hwnd;
    return TRUE;
}

int Fail(const char* what)
{
    fprintf(stderr, "launcher_snapshot: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) return Fail("usage: launcher_snapshot <Selvane.exe> <output.png>");
    ScopedGdiplus gdiplus;

    std::wstring exe = argv[1];
    std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring line = L"\"" + exe + L"\"";
    DWORD start = GetTickCount();
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return Fail("cannot start Selvane.exe");

    // The first frame: both windows shown and the panel cut to its controls.
    Found f;
    f.pid = pi.dwProcessId;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool shown = test::PumpUntil([&] {
        f.background = f.panel = nullptr;
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
        return f.background && f.panel && GetWindowRgn(f.panel, region) != ERROR;
    }, 60000);
    DWORD firstFrame = GetTickCount() - start;
    if (!shown) {
        TerminateProcess(pi.hProcess, 1);
        return Fail("the launcher did not appear");
    }
    printf("cold start to first frame: %lu ms\n", firstFrame);
    test::PumpUntil([] { return false; }, 500);

    test::Capture art, panel;
    if (!test::CaptureWindow(f.background, art) || !test::CaptureWindow(f.panel, panel))
        return Fail("cannot read the windows");
    GetWindowRgn(f.panel, region);

    // The artwork's alpha, from the executable's own resource.
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ComPtr<IStream> stream = CreateResourceStream(module, MAKEINTRESOURCEW(158), L"PNG");
    Gdiplus::Bitmap skin(stream.Get(), FALSE);
    if (skin.GetWidth() != static_cast<UINT>(art.width)) return Fail("artwork and window differ in size");

    const int backdrop[3] = {0x5a, 0x62, 0x70};
    std::string rgb;
    rgb.reserve(static_cast<size_t>(art.width) * art.height * 3);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            unsigned char out[3];
            if (PtInRegion(region, x, y)) {
                COLORREF c = panel.At(x, y);
                out[0] = GetRValue(c); out[1] = GetGValue(c); out[2] = GetBValue(c);
            } else {
                Gdiplus::Color s;
                skin.GetPixel(x, y, &s);
                COLORREF c = art.At(x, y);   // premultiplied
                int a = s.GetA();
                out[0] = static_cast<unsigned char>(GetRValue(c) + (255 - a) * backdrop[0] / 255);
                out[1] = static_cast<unsigned char>(GetGValue(c) + (255 - a) * backdrop[1] / 255);
                out[2] = static_cast<unsigned char>(GetBValue(c) + (255 - a) * backdrop[2] / 255);
            }
            rgb.append(reinterpret_cast<char*>(out), 3);
        }
    }
    DeleteObject(region);
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::wstring raw = dir + L"snapshot.rgb";
    if (!test::WriteFileBytes(raw, rgb)) return Fail("cannot write the pixels");
    char unixRaw[MAX_PATH * 2], unixOut[MAX_PATH * 2];
    // Wine maps drive Z: to the root.
    std::string rawPath = test::Narrow(raw), outPath = test::Narrow(argv[2]);
    for (std::string* p : {&rawPath, &outPath}) {
        if (p->size() > 2 && (*p)[1] == ':') p->erase(0, 2);
        for (char& ch : *p) if (ch == '\\') ch = '/';
    }
    lstrcpynA(unixRaw, rawPath.c_str(), sizeof(unixRaw));
    lstrcpynA(unixOut, outPath.c_str(), sizeof(unixOut));
    char cmd[MAX_PATH * 5];
    wsprintfA(cmd, "convert -size %dx%d -depth 8 rgb:%s %s && rm -f %s", art.width, art.height, unixRaw, unixOut,
              unixRaw);
    if (test::RunHostCommand(cmd) != 0) return Fail("convert failed");
    printf("wrote %s\n", unixOut);
    return 0;
}
