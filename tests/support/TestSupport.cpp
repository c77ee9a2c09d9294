#include "support/TestSupport.h"

#include "framework/ResourceStream.h"

#include <gdiplus.h>

#include <cstdio>

namespace test {

std::wstring HostPath(const char* unixPath)
{
    std::wstring out = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        out += (*p == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

std::wstring SelvaneExePath()
{
    return HostPath(SELVANE_EXE_PATH);
}

std::wstring SourcePath(const char* relative)
{
    return HostPath((std::string(SELVANE_SOURCE_DIR) + "/" + relative).c_str());
}

std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(f, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    BOOL ok = size == 0 || ReadFile(f, &bytes[0], size, &read, nullptr);
    CloseHandle(f);
    return ok && read == size;
}

std::string Narrow(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

namespace {

struct HostCommand {
    std::wstring rcPath, outPath;
};

bool LaunchHostCommand(const std::string& commandLine, HostCommand& started)
{
    // Wine starts a Unix program given by absolute path, but its exit code
    // and output do not come back through the process handle or our pipes:
    // the shell writes both to files, and we wait for the exit-code file.
    static int counter = 0;
    char base[96];
    wsprintfA(base, "/tmp/selvane-test-%lu-%d", GetCurrentProcessId(), ++counter);
    std::string out = std::string(base) + ".out", rc = std::string(base) + ".rc";
    std::string script = "(" + commandLine + ") >" + out + " 2>/dev/null; echo $? >" + rc + ".tmp; mv " + rc +
                         ".tmp " + rc;
    std::string cmd = "/bin/sh -c \"" + script + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    // For a Unix program Wine hands back no real handles: the values in `pi`
    // are left over, and closing them would close handles of our own (our
    // standard output among them). Nothing to close.
    started.rcPath = HostPath(rc.c_str());
    started.outPath = HostPath(out.c_str());
    return true;
}

// The exit code once the command has finished, else -2.
int PollHostCommand(const HostCommand& c, std::string* output)
{
    std::string code;
    if (GetFileAttributesW(c.rcPath.c_str()) == INVALID_FILE_ATTRIBUTES || !ReadFileBytes(c.rcPath, code) ||
        code.empty())
        return -2;
    if (output) ReadFileBytes(c.outPath, *output);
    DeleteFileW(c.rcPath.c_str());
    DeleteFileW(c.outPath.c_str());
    return atoi(code.c_str());
}

std::vector<HostCommand> g_background;

}  // namespace

int RunHostCommand(const std::string& commandLine, std::string* output)
{
    HostCommand c;
    if (!LaunchHostCommand(commandLine, c))
        return -1;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        int code = PollHostCommand(c, output);
        if (code != -2) return code;
        Sleep(5);
    }
    return -1;
}

bool StartHostCommand(const std::string& commandLine)
{
    HostCommand c;
    if (!LaunchHostCommand(commandLine, c))
        return false;
    g_background.push_back(c);
    return true;
}

void WaitHostCommands(DWORD timeoutMs)
{
    PumpUntil([] {
        for (auto it = g_background.begin(); it != g_background.end();)
            it = PollHostCommand(*it, nullptr) != -2 ? g_background.erase(it) : it + 1;
        return g_background.empty();
    }, timeoutMs);
    g_background.clear();
}

}  // namespace test

namespace test {

COLORREF Capture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return RGB(p[0], p[1], p[2]);
}

BYTE Capture::Alpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3];
}

namespace {
bool ReadRgba(const std::string& command, int w, int h, Capture& out)
{
    std::string bytes;
    if (RunHostCommand(command, &bytes) != 0) return false;
    if (bytes.size() != static_cast<size_t>(w) * h * 4) return false;
    out.width = w;
    out.height = h;
    out.rgba.assign(bytes.begin(), bytes.end());
    return true;
}
}  // namespace

bool CaptureScreen(const RECT& r, Capture& out)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    char cmd[256];
    wsprintfA(cmd, "xwd -root -silent | convert xwd:- -crop %dx%d+%d+%d +repage -alpha opaque rgba:-",
              w, h, r.left, r.top);
    return ReadRgba(cmd, w, h, out);
}

bool CaptureWindow(HWND hwnd, Capture& out)
{
    HANDLE xid = GetPropW(hwnd, L"__wine_x11_whole_window");
    if (!xid) return false;
    RECT r;
    GetWindowRect(hwnd, &r);
    char cmd[256];
    wsprintfA(cmd, "xwd -id 0x%lx -silent | convert xwd:- rgba:-", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(xid)));
    return ReadRgba(cmd, r.right - r.left, r.bottom - r.top, out);
}

bool MovePointer(int x, int y)
{
    // Not --sync: xdotool then waits for a motion event, and there is none
    // when the pointer is already there.
    char cmd[96];
    wsprintfA(cmd, "xdotool mousemove %d %d", x, y);
    if (RunHostCommand(cmd) != 0) return false;
    POINT p = {};
    return PumpUntil([&] { return GetCursorPos(&p) && p.x == x && p.y == y; }, 3000);
}

bool ClickPointer(int button)
{
    char cmd[64];
    wsprintfA(cmd, "xdotool click %d", button);
    return RunHostCommand(cmd) == 0;
}

COLORREF PicturePixel(HMODULE module, UINT id, int x, int y, BYTE* alpha)
{
    ComPtr<IStream> stream = CreateResourceStream(module, MAKEINTRESOURCEW(id), L"PNG");
    Gdiplus::Bitmap bitmap(stream.Get(), FALSE);
    Gdiplus::Color c;
    bitmap.GetPixel(x, y, &c);
    if (alpha) *alpha = c.GetA();
    return RGB(c.GetR() * c.GetA() / 255, c.GetG() * c.GetA() / 255, c.GetB() * c.GetA() / 255);
}

bool ColourNear(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c)
{
    char s[16];
    wsprintfA(s, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return s;
}

}  // namespace test
