// Helpers shared by the tests. Every helper that checks something takes the
// caller's file and line, so a failure points at the test's own line.
#pragma once

#include "framework/Afx.h"
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test {

// A path of the build machine as Wine sees it (drive Z: is the root).
std::wstring HostPath(const char* unixPath);
// The built Selvane.exe, as a Windows path.
std::wstring SelvaneExePath();
// A file of the source tree, as a Windows path.
std::wstring SourcePath(const char* relative);

// Folder of the running test executable, with a trailing backslash.
std::wstring ExeDirectory();

// Writes bytes to a file, replacing it. Returns false on failure.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

// UTF-16 to UTF-8, for messages.
std::string Narrow(const std::wstring& text);

// Runs a program of the build machine (xdotool, xwd, ...) through Wine's
// Unix launcher and waits for it; returns its exit code, -1 if it did not run.
int RunHostCommand(const std::string& commandLine, std::string* output = nullptr);

// Pumps this thread's messages until `done` returns true or `timeoutMs`
// passes; returns the last value of `done`. Tests wait for conditions, not
// for time.
template <typename Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace test

namespace test {

// Pixels read back from the X server, as a player would see them.
struct Capture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;   // row-major, 4 bytes a pixel
    COLORREF At(int x, int y) const;
    BYTE Alpha(int x, int y) const;
};

// The rectangle (screen coordinates) of the whole screen.
bool CaptureScreen(const RECT& rect, Capture& out);
// The window's own X drawable, alpha included (layered windows keep
// premultiplied pixels there).
bool CaptureWindow(HWND hwnd, Capture& out);

// The pointer, moved and clicked through the X server (xdotool).
bool MovePointer(int x, int y);
bool ClickPointer(int button = 1);

// A pixel of a "PNG" resource of `module` (null: this executable), as GDI+
// decodes it; premultiplied by its alpha, as a layered window holds it.
COLORREF PicturePixel(HMODULE module, UINT id, int x, int y, BYTE* alpha = nullptr);
// Colours within `tolerance` per channel, and "#rrggbb" for messages.
bool ColourNear(COLORREF a, COLORREF b, int tolerance);
std::string Hex(COLORREF c);

// Starts a host command without waiting for it (for input that must arrive
// while this thread runs a modal loop of the system's); WaitHostCommands
// waits for all started ones, pumping messages meanwhile.
bool StartHostCommand(const std::string& commandLine);
void WaitHostCommands(DWORD timeoutMs = 20000);

}  // namespace test
