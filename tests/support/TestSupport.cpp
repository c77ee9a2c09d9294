#include "support/TestSupport.h"

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

int RunHostCommand(const std::string& commandLine, std::string* output)
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
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    std::wstring rcPath = HostPath(rc.c_str()), outPath = HostPath(out.c_str());
    std::string code;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        if (GetFileAttributesW(rcPath.c_str()) != INVALID_FILE_ATTRIBUTES && ReadFileBytes(rcPath, code) &&
            !code.empty())
            break;
        Sleep(10);
    }
    if (output) ReadFileBytes(outPath, *output);
    DeleteFileW(rcPath.c_str());
    DeleteFileW(outPath.c_str());
    return code.empty() ? -1 : atoi(code.c_str());
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
    char cmd[96];
    wsprintfA(cmd, "xdotool mousemove --sync %d %d", x, y);
    return RunHostCommand(cmd) == 0;
}

bool ClickPointer(int button)
{
    char cmd[64];
    wsprintfA(cmd, "xdotool click %d", button);
    return RunHostCommand(cmd) == 0;
}

bool PressPointer(int button)
{
    char cmd[64];
    wsprintfA(cmd, "xdotool mousedown %d", button);
    return RunHostCommand(cmd) == 0;
}

bool ReleasePointer(int button)
{
    char cmd[64];
    wsprintfA(cmd, "xdotool mouseup %d", button);
    return RunHostCommand(cmd) == 0;
}

bool PressKey(const char* keysym)
{
    return RunHostCommand(std::string("xdotool key ") + keysym) == 0;
}

}  // namespace test
