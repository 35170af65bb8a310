/*
 * The downloader against the Win32 stand-in: the whole start-up, loop and
 * shut-down sequence with its run log, standard output and exit status,
 * every failure of it, and the window procedure's message table.
 */
#include "program_run.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

using fake::Hex;
using fake::Retrieval;
using fake::Script;
using Lines = std::vector<std::string>;

const char kFiveLineLog[] = "Registering window class\n"
                            "init common controls\n"
                            "Showing window.\n"
                            "Entering message loop.\n"
                            "Unregistering class\n";
const char kStandardOutput[] = "Debug console opened.\nCreating window.\n";

const Retrieval kKeyDown = {1, WM_KEYDOWN, 0x41, 0};
const Retrieval kMouseMove = {1, WM_MOUSEMOVE, 0, 0x00200010};
const Retrieval kClose = {1, WM_CLOSE, 0, 0};
const Retrieval kFailedRetrieval = {-1, 0, 0, 0};

ProgramRun RunDownloader(const Script &script, char *commandLine = nullptr, int showCommand = 1,
                         const std::function<void()> &prepare = nullptr)
{
    return RunProgram(
        script, [=] { return WinMain(fake::kInstance, nullptr, commandLine, showCommand); }, prepare);
}

std::string Procedure(void)
{
    return Hex(reinterpret_cast<uintptr_t>(&MainWindowProc));
}

TEST(DownloaderRun, OrdinaryRunMakesEveryCallWithItsArgumentsInOrder)
{
    Script script;
    script.messages = {kKeyDown, kMouseMove, kClose};
    const ProgramRun run = RunDownloader(script);

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.runLog, kFiveLineLog);
    EXPECT_EQ(run.out, kStandardOutput);
    EXPECT_EQ(run.err, "");
    const Lines expected = {
        "LoadIconA(0x400000, #1)",
        "LoadCursorA(null, #32512)",
        "RegisterClassA(style=0x8, proc=" + Procedure() +
            ", extra=0/0, instance=0x400000, icon=0x20001, cursor=0x37f00, brush=0x6, menu=null, "
            "class=\"ZorvekDownloaderWindowClass\")",
        "InitCommonControlsEx(size=8, classes=0xff)",
        "CreateWindowExA(0x0, \"ZorvekDownloaderWindowClass\", \"Zorvek Downloader\", 0x6cf0000, 0x80000000, "
        "0x80000000, 0x80000000, 0x80000000, null, null, 0x400000, null)",
        "  procedure(0x1)",
        "  procedure(0x1) returned 0x0",
        "ShowWindow(0x10010, 10)",
        "UpdateWindow(0x10010)",
        "  procedure(0xf)",
        "BeginPaint(0x10010)",
        "EndPaint(0x10010, 0xdc)",
        "  procedure(0xf) returned 0x0",
        "GetMessageA(null, 0, 0) = 1 (0x100)",
        "TranslateMessage(0x100)",
        "DispatchMessageA(0x100)",
        "  procedure(0x100)",
        "  procedure(0x100) returned 0x0",
        "GetMessageA(null, 0, 0) = 1 (0x200)",
        "TranslateMessage(0x200)",
        "DispatchMessageA(0x200)",
        "  procedure(0x200)",
        "  procedure(0x200) returned 0x0",
        "GetMessageA(null, 0, 0) = 1 (0x10)",
        "TranslateMessage(0x10)",
        "DispatchMessageA(0x10)",
        "  procedure(0x10)",
        "DestroyWindow(0x10010)",
        "  procedure(0x2)",
        "PostQuitMessage(0)",
        "  procedure(0x2) returned 0x0",
        "  procedure(0x10) returned 0x0",
        "GetMessageA(null, 0, 0) = 0",
        "UnregisterClassA(\"ZorvekDownloaderWindowClass\", 0x400000)",
    };
    EXPECT_EQ(run.journal, expected);
}

TEST(DownloaderRun, CommandLineAndShowCommandChangeNothing)
{
    Script script;
    script.messages = {kClose};
    const ProgramRun plain = RunDownloader(script);
    char arguments[] = "--minimised \"C:\\some file.txt\" /?";
    struct {
        char *commandLine;
        int showCommand;
    } const starts[] = {{arguments, 1}, {nullptr, 2 /* SW_SHOWMINIMIZED */}, {arguments, 0 /* SW_HIDE */}};

    EXPECT_EQ(CallsTo(plain, "ShowWindow"), Lines{"ShowWindow(0x10010, 10)"});
    for (const auto &start : starts) {
        const ProgramRun run = RunDownloader(script, start.commandLine, start.showCommand);
        EXPECT_EQ(run.status, plain.status) << start.showCommand;
        EXPECT_EQ(run.runLog, plain.runLog) << start.showCommand;
        EXPECT_EQ(run.out, plain.out) << start.showCommand;
        EXPECT_EQ(run.journal, plain.journal) << start.showCommand;
    }
}

struct FailureCase {
    const char *name;
    std::vector<std::string> failing;
    std::vector<Retrieval> messages;
    bool runLogIsFolder;
    int status;
    const char *runLog; /* null: no run log file at all */
    const char *out;
    Lines boxes;
    bool unregisters;
    bool loops;
};

const FailureCase kFailureCases[] = {
    {"run log cannot be opened: box, then a normal run without a log",
     {},
     {kClose},
     true,
     0,
     nullptr,
     kStandardOutput,
     {"MessageBoxA(null, \"Suck my brows!\", null, 0x0)"},
     true,
     true},
    {"class registration fails: box and status 1 at once",
     {"RegisterClassA"},
     {kClose},
     false,
     1,
     "Registering window class\n",
     "",
     {"MessageBoxA(null, \"Unable to register the window class.\\nPlease contact support.\", null, 0x10)"},
     false,
     false},
    {"common controls fail: box, class unregistered, status 1",
     {"InitCommonControlsEx"},
     {kClose},
     false,
     1,
     "Registering window class\ninit common controls\n",
     "",
     {"MessageBoxA(null, \"Unable to initialize the common controls.\\nPlease contact support.\", null, 0x10)"},
     true,
     false},
    {"main window not created: box, class unregistered, status 1",
     {"CreateWindowExA"},
     {kClose},
     false,
     1,
     "Registering window class\ninit common controls\nUnregistering class\n",
     kStandardOutput,
     {"MessageBoxA(null, \"Unable to create main window.\\nPlease contact support.\", null, 0x10)"},
     true,
     false},
    {"message retrieval errors are logged each time and the loop goes on",
     {},
     {kFailedRetrieval, kKeyDown, kFailedRetrieval, kClose},
     false,
     0,
     "Registering window class\ninit common controls\nShowing window.\nEntering message loop.\n"
     "An error occured.\nAn error occured.\nUnregistering class\n",
     kStandardOutput,
     {},
     true,
     true},
    {"a run log that cannot be opened and a failing registration",
     {"RegisterClassA"},
     {kClose},
     true,
     1,
     nullptr,
     "",
     {"MessageBoxA(null, \"Suck my brows!\", null, 0x0)",
      "MessageBoxA(null, \"Unable to register the window class.\\nPlease contact support.\", null, 0x10)"},
     false,
     false},
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

class DownloaderFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(DownloaderFailure, ShowsItsBoxLogsAndEndsWithItsStatus)
{
    const FailureCase &c = GetParam();
    Script script;
    script.failing.insert(c.failing.begin(), c.failing.end());
    script.messages = c.messages;
    const ProgramRun run =
        RunDownloader(script, nullptr, 1, [&] { ASSERT_TRUE(!c.runLogIsFolder || mkdir("logfile.txt", 0755) == 0); });

    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.runLogExists, c.runLog != nullptr);
    if (c.runLog != nullptr) {
        EXPECT_EQ(run.runLog, c.runLog);
    }
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(CallsTo(run, "MessageBoxA"), c.boxes);
    EXPECT_EQ(CallsTo(run, "UnregisterClassA").size(), c.unregisters ? 1u : 0u);
    EXPECT_EQ(CallsTo(run, "GetMessageA").empty(), !c.loops);
}

INSTANTIATE_TEST_SUITE_P(FailureTable, DownloaderFailure, testing::ValuesIn(kFailureCases),
                         [](const testing::TestParamInfo<FailureCase> &info) {
                             return "Row" + std::to_string(info.index);
                         });

TEST(DownloaderRun, FailedRetrievalIsNeitherTranslatedNorDispatched)
{
    Script script;
    script.messages = {kKeyDown, kFailedRetrieval, kClose};
    const ProgramRun run = RunDownloader(script);

    auto first = run.journal.begin();
    while (first != run.journal.end() && first->compare(0, 11, "GetMessageA") != 0)
        ++first;
    const Lines loop(first, run.journal.end());
    const Lines expected = {
        "GetMessageA(null, 0, 0) = 1 (0x100)",
        "TranslateMessage(0x100)",
        "DispatchMessageA(0x100)",
        "  procedure(0x100)",
        "  procedure(0x100) returned 0x0",
        "GetMessageA(null, 0, 0) = -1",
        "GetMessageA(null, 0, 0) = 1 (0x10)",
    };
    ASSERT_GE(loop.size(), expected.size());
    EXPECT_EQ(Lines(loop.begin(), loop.begin() + expected.size()), expected);
    EXPECT_EQ(CallsTo(run, "DispatchMessageA").size(), 2u);
}

struct MessageCase {
    UINT message;
    LRESULT result;
    Lines calls;
};

const MessageCase kMessageCases[] = {
    {WM_CREATE, 0, {}},
    {WM_DESTROY, 0, {"PostQuitMessage(0)"}},
    {WM_SIZE, 0, {}},
    {WM_PAINT, 0, {"BeginPaint(0x10010)", "EndPaint(0x10010, 0xdc)"}},
    {WM_CLOSE, 0, {"DestroyWindow(0x10010)", "  procedure(0x2)", "PostQuitMessage(0)", "  procedure(0x2) returned 0x0"}},
    {WM_KEYDOWN, 0, {}},
    {WM_KEYUP, 0, {}},
    {WM_MOUSEMOVE, 0, {}},
    {WM_MOVE, 0x5EED, {"DefWindowProcA(0x10010, 0x3, 0x1234, 0x56789a)"}},
    {WM_ERASEBKGND, 0x5EED, {"DefWindowProcA(0x10010, 0x14, 0x1234, 0x56789a)"}},
    {WM_NCHITTEST, 0x5EED, {"DefWindowProcA(0x10010, 0x84, 0x1234, 0x56789a)"}},
    {WM_CHAR, 0x5EED, {"DefWindowProcA(0x10010, 0x102, 0x1234, 0x56789a)"}},
    {WM_SYSKEYDOWN, 0x5EED, {"DefWindowProcA(0x10010, 0x104, 0x1234, 0x56789a)"}},
    {WM_SYSCOMMAND, 0x5EED, {"DefWindowProcA(0x10010, 0x112, 0x1234, 0x56789a)"}},
    {WM_LBUTTONDOWN, 0x5EED, {"DefWindowProcA(0x10010, 0x201, 0x1234, 0x56789a)"}},
    {0x8123, 0x5EED, {"DefWindowProcA(0x10010, 0x8123, 0x1234, 0x56789a)"}},
};

void PrintTo(const MessageCase &c, std::ostream *out)
{
    *out << "message " << Hex(c.message);
}

class WindowProcedure : public testing::TestWithParam<MessageCase> {};

TEST_P(WindowProcedure, HandlesOrPassesOnEachMessage)
{
    const MessageCase &c = GetParam();
    Script script;
    script.windowProc = MainWindowProc;
    fake::Reset(script);

    EXPECT_EQ(MainWindowProc(fake::kMainWindow, c.message, 0x1234, 0x56789A), c.result);
    EXPECT_EQ(fake::Journal(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(MessageTable, WindowProcedure, testing::ValuesIn(kMessageCases),
                         [](const testing::TestParamInfo<MessageCase> &info) {
                             return "Message" + Hex(info.param.message).substr(2);
                         });

} // namespace
