/*
 * Zorvek Downloader: the main window application.
 *
 * WinMain is the whole life of the program: open the run log, register the
 * window class, initialise the common controls, create and show the main
 * window, run the message loop, unregister the class.
 */

#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include "resource.h"

static const char kWindowClassName[] = "ZorvekDownloaderWindowClass";
static const char kWindowTitle[] = "Zorvek Downloader";
static const char kRunLogName[] = "logfile.txt";

static const char kRunLogFailedText[] = "Suck my brows!";
static const char kRegisterFailedText[] =
    "Unable to register the window class.\nPlease contact support.";
static const char kCommonControlsFailedText[] =
    "Unable to initialize the common controls.\nPlease contact support.";
static const char kCreateWindowFailedText[] =
    "Unable to create main window.\nPlease contact support.";

static const DWORD kMainWindowStyle =
    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

/* Never closed: the normal exit of the process flushes it. Null when the
   file could not be opened; the program then runs without a run log. */
static FILE *g_runLog = NULL;
static HWND g_mainWindow = NULL;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

static void WriteLog(const char *line)
{
    if (g_runLog != NULL)
        fprintf(g_runLog, "%s", line);
}

static void ShowError(const char *text)
{
    MessageBoxA(NULL, text, NULL, MB_ICONERROR);
}

static void OpenRunLog(void)
{
    g_runLog = fopen(kRunLogName, "w");
    if (g_runLog == NULL)
        MessageBoxA(NULL, kRunLogFailedText, NULL, MB_OK);
}

static BOOL RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ID_ICON_MAIN));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClassName;

    WriteLog("Registering window class\n");
    return RegisterClassA(&windowClass) != 0;
}

static BOOL InitCommonControlsForWindow(void)
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;

    WriteLog("init common controls\n");
    return InitCommonControlsEx(&controls);
}

static HWND CreateMainWindow(HINSTANCE instance)
{
    /* No console is created: without a standard output these lines are
       simply dropped. */
    printf("Debug console opened.\n");
    printf("Creating window.\n");
    return CreateWindowExA(WS_EX_LEFT, kWindowClassName, kWindowTitle, kMainWindowStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           NULL, NULL, instance, NULL);
}

static void ShowMainWindow(void)
{
    WriteLog("Showing window.\n");
    /* SW_SHOWDEFAULT, not WinMain's show command: the show state comes from
       the start-up information, as a shortcut set to start minimised
       expects. */
    ShowWindow(g_mainWindow, SW_SHOWDEFAULT);
    UpdateWindow(g_mainWindow);
}

static void RunMessageLoop(void)
{
    MSG message = {};
    WriteLog("Entering message loop.\n");
    for (;;) {
        BOOL result = GetMessageA(&message, NULL, 0, 0);
        if (result == 0)
            break;
        if (result == -1) {
            /* The record holds nothing valid after a failed retrieval:
               dispatching it would deliver the previous message again. */
            WriteLog("An error occured.\n");
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

static void UnregisterMainWindowClass(HINSTANCE instance)
{
    WriteLog("Unregistering class\n");
    UnregisterClassA(kWindowClassName, instance);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand)
{
    (void)previousInstance;
    (void)commandLine;
    (void)showCommand;

    OpenRunLog();

    if (!RegisterMainWindowClass(instance)) {
        ShowError(kRegisterFailedText);
        return 1;
    }

    if (!InitCommonControlsForWindow()) {
        ShowError(kCommonControlsFailedText);
        UnregisterClassA(kWindowClassName, instance);
        return 1;
    }

    g_mainWindow = CreateMainWindow(instance);
    if (g_mainWindow == NULL) {
        ShowError(kCreateWindowFailedText);
        UnregisterMainWindowClass(instance);
        return 1;
    }

    ShowMainWindow();
    RunMessageLoop();

    /* The quit message's code is not the exit status. */
    UnregisterMainWindowClass(instance);
    return 0;
}

/* Main window procedure: one small function per message it handles. */

static void OnCreate(HWND window)
{
    /* The window has no child windows yet. */
    (void)window;
}

static void OnPaint(HWND window)
{
    /* Nothing is drawn; the class background fills the client area. Begin
       and end painting all the same, so that the update region is
       validated and no further paint messages arrive. */
    PAINTSTRUCT paint = {};
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SIZE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_MOUSEMOVE:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
