/*
 * Host stand-in for the few Win32 types, constants and calls that the
 * programs use. The product sources include it as <windows.h> when they are
 * built for the host tests; every call lands in fake_win32.cpp, which records
 * it and can be told to fail it.
 *
 * Values are the platform's documented ones, so that a test that checks an
 * argument checks the number the real program passes.
 */
#ifndef ZORVEK_WIN32_STANDIN_WINDOWS_H
#define ZORVEK_WIN32_STANDIN_WINDOWS_H

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef char CHAR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef WORD ATOM;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef void *LPVOID;
typedef DWORD *LPDWORD;
typedef void *HANDLE;

#define TRUE 1
#define FALSE 0

#define ZORVEK_STANDIN_HANDLE(name) \
    struct name##__ {               \
        int unused;                 \
    };                              \
    typedef struct name##__ *name

ZORVEK_STANDIN_HANDLE(HWND);
ZORVEK_STANDIN_HANDLE(HINSTANCE);
ZORVEK_STANDIN_HANDLE(HICON);
ZORVEK_STANDIN_HANDLE(HBRUSH);
ZORVEK_STANDIN_HANDLE(HMENU);
ZORVEK_STANDIN_HANDLE(HDC);
typedef HICON HCURSOR;

#define MAKEINTRESOURCEA(id) ((LPSTR)(uintptr_t)(WORD)(id))

/* Windowing */

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

#define CS_DBLCLKS 0x0008
/* Pointer-sized, so that (HBRUSH)(COLOR_WINDOW + 1) converts cleanly on a
   64-bit host. */
#define COLOR_WINDOW ((intptr_t)5)
#define IDC_ARROW MAKEINTRESOURCEA(32512)

#define WS_EX_LEFT 0x00000000
#define WS_OVERLAPPEDWINDOW 0x00CF0000
#define WS_CLIPSIBLINGS 0x04000000
#define WS_CLIPCHILDREN 0x02000000
#define CW_USEDEFAULT ((int)0x80000000)
#define SW_SHOWDEFAULT 10

#define MB_OK 0x00000000
#define MB_ICONERROR 0x00000010

#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_NCHITTEST 0x0084
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
ATOM RegisterClassA(const WNDCLASSA *windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL ShowWindow(HWND window, int showCommand);
BOOL UpdateWindow(HWND window);
BOOL DestroyWindow(HWND window);
BOOL GetMessageA(MSG *message, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG *message);
LRESULT DispatchMessageA(const MSG *message);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HDC BeginPaint(HWND window, PAINTSTRUCT *paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT *paint);

/* The GUI entry point, which the program defines. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

/* Files and communications */

typedef struct _SECURITY_ATTRIBUTES *LPSECURITY_ATTRIBUTES;
typedef struct _OVERLAPPED *LPOVERLAPPED;

typedef struct _DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
} DCB, *LPDCB;

typedef struct _COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
} COMMTIMEOUTS, *LPCOMMTIMEOUTS;

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define OPEN_EXISTING 3
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL GetCommState(HANDLE file, LPDCB dcb);
BOOL SetCommState(HANDLE file, LPDCB dcb);
BOOL GetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts);
BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts);
BOOL BuildCommDCBAndTimeoutsA(LPCSTR definition, LPDCB dcb, LPCOMMTIMEOUTS timeouts);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
DWORD GetLastError(void);
BOOL CloseHandle(HANDLE object);

#endif
