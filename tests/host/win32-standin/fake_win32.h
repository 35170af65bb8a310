/*
 * The scriptable fake behind the stand-in headers. A test sets the script,
 * runs the program and reads the journal: one line per call, with its
 * arguments, in call order.
 */
#ifndef ZORVEK_FAKE_WIN32_H
#define ZORVEK_FAKE_WIN32_H

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace fake {

/* Handles that the fake hands out, so that tests can name them. */
extern const HINSTANCE kInstance;
extern const HWND kMainWindow;
extern const HANDLE kPort;

/* One result of GetMessageA: a message record, or a failed retrieval. */
struct Retrieval {
    BOOL result;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Script {
    /* Calls that fail, by function name. */
    std::set<std::string> failing;
    /* What GetMessageA returns, in order. A posted quit message comes
       before anything still in the script; when the script is used up,
       GetMessageA returns 0 as for a quit message. */
    std::vector<Retrieval> messages;
    /* What the port gives: the bytes that ReadFile delivers (at most the
       size asked for), and the code that GetLastError reports. */
    std::string received;
    DWORD lastError = 0;
    /* The procedure that messages go to before any class is registered,
       for tests that call a window procedure directly. */
    WNDPROC windowProc = nullptr;
};

/* Starts over with a new script and an empty journal. */
void Reset(const Script &script);

const std::vector<std::string> &Journal();

/* Writes the journal to a file, one call a line. */
void SaveJournal(const char *path);

/* Formats a number the way the journal does: hexadecimal with 0x. */
std::string Hex(uintptr_t value);

} // namespace fake

#endif
