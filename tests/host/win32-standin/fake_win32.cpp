#include "fake_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace fake {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);
const HWND kMainWindow = reinterpret_cast<HWND>(0x10010);
const HANDLE kPort = reinterpret_cast<HANDLE>(0x77);

namespace {

const uintptr_t kIconBase = 0x20000;
const uintptr_t kCursorBase = 0x30000;
const LRESULT kDefaultResult = 0x5EED;

/* Distinctive settings, so that a test can tell which record a call got. */
const DWORD kSavedBaudRate = 1200;
const COMMTIMEOUTS kSavedTimeouts = {11, 22, 33, 44, 55};
const DWORD kBuiltBaudRate = 9600;
const COMMTIMEOUTS kBuiltTimeouts = {0, 0, 0, 0, 60000};

Script g_script;
std::vector<std::string> g_journal;
std::map<std::string, int> g_callCounts;
WNDPROC g_windowProc = nullptr;
bool g_quitPosted = false;
size_t g_nextMessage = 0;

std::string Quote(const char *text)
{
    if (text == nullptr)
        return "null";
    std::string quoted = "\"";
    for (const char *c = text; *c != '\0'; ++c) {
        if (*c == '\n')
            quoted += "\\n";
        else
            quoted += *c;
    }
    return quoted + "\"";
}

std::string Handle(const void *handle)
{
    return handle == nullptr ? "null" : Hex(reinterpret_cast<uintptr_t>(handle));
}

/* A resource name: a number made with MAKEINTRESOURCE, or a text. */
std::string ResourceName(const char *name)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(name);
    if (value <= 0xFFFF)
        return "#" + std::to_string(value);
    return Quote(name);
}

void Record(const std::string &line)
{
    g_journal.push_back(line);
}

/* Counts the call and tells whether the script makes it fail: "Name" fails
   every call, "Name#2" only the second. */
bool Fails(const std::string &name)
{
    const int count = ++g_callCounts[name];
    return g_script.failing.count(name) != 0 || g_script.failing.count(name + "#" + std::to_string(count)) != 0;
}

std::string Result(bool failed)
{
    return failed ? " = fail" : "";
}

template <typename T>
bool IsZeroFilled(const T *record)
{
    T zero;
    std::memset(&zero, 0, sizeof(zero));
    return std::memcmp(record, &zero, sizeof(T)) == 0;
}

std::string Timeouts(const COMMTIMEOUTS *t)
{
    return std::to_string(t->ReadIntervalTimeout) + "/" + std::to_string(t->ReadTotalTimeoutMultiplier) + "/" +
           std::to_string(t->ReadTotalTimeoutConstant) + "/" + std::to_string(t->WriteTotalTimeoutMultiplier) + "/" +
           std::to_string(t->WriteTotalTimeoutConstant);
}

/* Calls the window procedure as the platform does, and records the result. */
LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_windowProc == nullptr)
        return 0;
    Record("  procedure(" + Hex(message) + ")");
    const LRESULT result = g_windowProc(window, message, wParam, lParam);
    Record("  procedure(" + Hex(message) + ") returned " + Hex(static_cast<uintptr_t>(result)));
    return result;
}

} // namespace

std::string Hex(uintptr_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

void Reset(const Script &script)
{
    g_script = script;
    g_journal.clear();
    g_callCounts.clear();
    g_windowProc = script.windowProc;
    g_quitPosted = false;
    g_nextMessage = 0;
}

const std::vector<std::string> &Journal()
{
    return g_journal;
}

void SaveJournal(const char *path)
{
    FILE *file = std::fopen(path, "w");
    if (file == nullptr)
        return;
    for (const std::string &line : g_journal)
        std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
}

} // namespace fake

using namespace fake;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const bool failed = Fails("MessageBoxA");
    Record("MessageBoxA(" + Handle(owner) + ", " + Quote(text) + ", " + Quote(caption) + ", " + Hex(type) + ")" +
           Result(failed));
    return failed ? 0 : 1; /* IDOK */
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name)
{
    const bool failed = Fails("LoadIconA");
    Record("LoadIconA(" + Handle(instance) + ", " + ResourceName(name) + ")" + Result(failed));
    if (failed)
        return nullptr;
    return reinterpret_cast<HICON>(kIconBase + reinterpret_cast<uintptr_t>(name));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    const bool failed = Fails("LoadCursorA");
    Record("LoadCursorA(" + Handle(instance) + ", " + ResourceName(name) + ")" + Result(failed));
    if (failed)
        return nullptr;
    return reinterpret_cast<HCURSOR>(kCursorBase + reinterpret_cast<uintptr_t>(name));
}

ATOM RegisterClassA(const WNDCLASSA *c)
{
    const bool failed = Fails("RegisterClassA");
    Record("RegisterClassA(style=" + Hex(c->style) + ", proc=" + Handle(reinterpret_cast<void *>(c->lpfnWndProc)) +
           ", extra=" + std::to_string(c->cbClsExtra) + "/" + std::to_string(c->cbWndExtra) +
           ", instance=" + Handle(c->hInstance) + ", icon=" + Handle(c->hIcon) + ", cursor=" + Handle(c->hCursor) +
           ", brush=" + Handle(c->hbrBackground) + ", menu=" + Quote(c->lpszMenuName) +
           ", class=" + Quote(c->lpszClassName) + ")" + Result(failed));
    if (failed)
        return 0;
    g_windowProc = c->lpfnWndProc;
    return 0xC001;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance)
{
    Record("UnregisterClassA(" + Quote(className) + ", " + Handle(instance) + ")");
    return TRUE;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX *controls)
{
    const bool failed = Fails("InitCommonControlsEx");
    Record("InitCommonControlsEx(size=" + std::to_string(controls->dwSize) + ", classes=" + Hex(controls->dwICC) +
           ")" + Result(failed));
    return failed ? FALSE : TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const bool failed = Fails("CreateWindowExA");
    Record("CreateWindowExA(" + Hex(exStyle) + ", " + Quote(className) + ", " + Quote(title) + ", " + Hex(style) +
           ", " + Hex(static_cast<uint32_t>(x)) + ", " + Hex(static_cast<uint32_t>(y)) + ", " +
           Hex(static_cast<uint32_t>(width)) + ", " + Hex(static_cast<uint32_t>(height)) + ", " + Handle(parent) +
           ", " + Handle(menu) + ", " + Handle(instance) + ", " + Handle(param) + ")" + Result(failed));
    if (failed || g_windowProc == nullptr)
        return nullptr;
    /* The platform sends the creation message before it returns; a result
       of -1 stops the creation. */
    if (Deliver(kMainWindow, WM_CREATE, 0, 0) == -1)
        return nullptr;
    return kMainWindow;
}

BOOL ShowWindow(HWND window, int showCommand)
{
    Record("ShowWindow(" + Handle(window) + ", " + std::to_string(showCommand) + ")");
    return FALSE; /* the window was hidden before */
}

BOOL UpdateWindow(HWND window)
{
    Record("UpdateWindow(" + Handle(window) + ")");
    /* A newly shown window has an update region: paint it at once. */
    Deliver(window, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL DestroyWindow(HWND window)
{
    Record("DestroyWindow(" + Handle(window) + ")");
    Deliver(window, WM_DESTROY, 0, 0);
    return TRUE;
}

BOOL GetMessageA(MSG *message, HWND window, UINT filterMin, UINT filterMax)
{
    const std::string call = "GetMessageA(" + Handle(window) + ", " + std::to_string(filterMin) + ", " +
                             std::to_string(filterMax) + ")";
    if (g_quitPosted || g_nextMessage == g_script.messages.size()) {
        std::memset(message, 0, sizeof(*message));
        message->message = WM_QUIT;
        Record(call + " = 0");
        return 0;
    }
    const Retrieval &next = g_script.messages[g_nextMessage++];
    if (next.result == -1) {
        /* After a failed retrieval the record holds nothing valid. */
        std::memset(message, 0xA5, sizeof(*message));
        Record(call + " = -1");
        return -1;
    }
    std::memset(message, 0, sizeof(*message));
    message->hwnd = kMainWindow;
    message->message = next.message;
    message->wParam = next.wParam;
    message->lParam = next.lParam;
    Record(call + " = " + std::to_string(next.result) + " (" + Hex(next.message) + ")");
    return next.result;
}

BOOL TranslateMessage(const MSG *message)
{
    Record("TranslateMessage(" + Hex(message->message) + ")");
    return FALSE;
}

LRESULT DispatchMessageA(const MSG *message)
{
    Record("DispatchMessageA(" + Hex(message->message) + ")");
    if (message->hwnd != kMainWindow || g_windowProc == nullptr)
        return 0;
    return Deliver(message->hwnd, message->message, message->wParam, message->lParam);
}

void PostQuitMessage(int exitCode)
{
    Record("PostQuitMessage(" + std::to_string(exitCode) + ")");
    g_quitPosted = true;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Record("DefWindowProcA(" + Handle(window) + ", " + Hex(message) + ", " + Hex(wParam) + ", " +
           Hex(static_cast<uintptr_t>(lParam)) + ")");
    return kDefaultResult;
}

HDC BeginPaint(HWND window, PAINTSTRUCT *paint)
{
    Record("BeginPaint(" + Handle(window) + ")");
    paint->hdc = reinterpret_cast<HDC>(0xDC);
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *paint)
{
    Record("EndPaint(" + Handle(window) + ", " + Handle(paint->hdc) + ")");
    return TRUE;
}

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                   DWORD flags, HANDLE templateFile)
{
    const bool failed = Fails("CreateFileA");
    Record("CreateFileA(" + Quote(name) + ", " + Hex(access) + ", " + Hex(share) + ", " + Handle(security) + ", " +
           std::to_string(disposition) + ", " + Hex(flags) + ", " + Handle(templateFile) + ")" + Result(failed));
    return failed ? INVALID_HANDLE_VALUE : kPort;
}

BOOL GetCommState(HANDLE file, LPDCB dcb)
{
    const bool failed = Fails("GetCommState");
    Record("GetCommState(" + Handle(file) + ", " + (IsZeroFilled(dcb) ? "zero-filled" : "not zero-filled") + ")" +
           Result(failed));
    if (failed)
        return FALSE;
    dcb->DCBlength = sizeof(DCB);
    dcb->BaudRate = kSavedBaudRate;
    dcb->ByteSize = 7;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts)
{
    const bool failed = Fails("GetCommTimeouts");
    Record("GetCommTimeouts(" + Handle(file) + ", " + (IsZeroFilled(timeouts) ? "zero-filled" : "not zero-filled") +
           ")" + Result(failed));
    if (failed)
        return FALSE;
    *timeouts = kSavedTimeouts;
    return TRUE;
}

BOOL BuildCommDCBAndTimeoutsA(LPCSTR definition, LPDCB dcb, LPCOMMTIMEOUTS timeouts)
{
    const bool failed = Fails("BuildCommDCBAndTimeoutsA");
    Record("BuildCommDCBAndTimeoutsA(" + Quote(definition) + ", " +
           (IsZeroFilled(dcb) ? "zero-filled" : "not zero-filled") + ", " +
           (IsZeroFilled(timeouts) ? "zero-filled" : "not zero-filled") + ")" + Result(failed));
    if (failed)
        return FALSE;
    dcb->BaudRate = kBuiltBaudRate;
    dcb->ByteSize = 8;
    *timeouts = kBuiltTimeouts;
    return TRUE;
}

BOOL SetCommState(HANDLE file, LPDCB dcb)
{
    const bool failed = Fails("SetCommState");
    Record("SetCommState(" + Handle(file) + ", baud=" + std::to_string(dcb->BaudRate) + ")" + Result(failed));
    return failed ? FALSE : TRUE;
}

BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts)
{
    const bool failed = Fails("SetCommTimeouts");
    Record("SetCommTimeouts(" + Handle(file) + ", " + Timeouts(timeouts) + ")" + Result(failed));
    return failed ? FALSE : TRUE;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped)
{
    const bool failed = Fails("ReadFile");
    Record("ReadFile(" + Handle(file) + ", " + std::to_string(toRead) + ", count=" + std::to_string(*read) + ", " +
           Handle(overlapped) + ")" + Result(failed));
    if (failed)
        return FALSE;
    const size_t count = g_script.received.size() < toRead ? g_script.received.size() : toRead;
    std::memcpy(buffer, g_script.received.data(), count);
    *read = static_cast<DWORD>(count);
    return TRUE;
}

DWORD GetLastError(void)
{
    Record("GetLastError()");
    return g_script.lastError;
}

BOOL CloseHandle(HANDLE object)
{
    const bool failed = Fails("CloseHandle");
    Record("CloseHandle(" + Handle(object) + ")" + Result(failed));
    return failed ? FALSE : TRUE;
}
