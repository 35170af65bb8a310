/*
 * The simulator against the Win32 stand-in: the read cycle's standard
 * output, standard error and exit status for success and for every failing
 * step, the clean-up that each failure does, and the received text.
 */
#include "program_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

int zorveksim_main(int argc, char **argv);

namespace {

using fake::Script;
using Lines = std::vector<std::string>;

const char kRetrieving[] = "Retrieving existing serial port configuration...";
const char kCreating[] = " done\nCreating new configuration...";
const char kApplying[] = " done\nApplying new configuration...";
const char kRestoring[] = "Buffer contents: \"Hello\"\n done\nBytes written: 5\nRestoring original port configuration...";
const char kClosing[] = " done\nClosing port...";
const char kAllDone[] = "done\n\nAll done!\n";

/* The calls of a whole cycle. The fake's saved settings run at 1200 baud
   with time-outs 11/22/33/44/55; the built ones at 9600 baud with 0/0/0/0/60000. */
const Lines kCycle = {
    "CreateFileA(\"COM5\", 0xc0000000, 0x0, null, 3, 0x0, null)",
    "GetCommState(0x77, zero-filled)",
    "GetCommTimeouts(0x77, zero-filled)",
    "BuildCommDCBAndTimeoutsA(\"baud=9600 parity=N data=8 stop=1 to=on xon=off dtr=off rts=off\", zero-filled, "
    "zero-filled)",
    "SetCommState(0x77, baud=9600)",
    "SetCommTimeouts(0x77, 0/0/0/0/60000)",
    "ReadFile(0x77, 32, count=0, null)",
    "SetCommState(0x77, baud=1200)",
    "SetCommTimeouts(0x77, 11/22/33/44/55)",
    "CloseHandle(0x77)",
};

ProgramRun RunSim(const std::vector<std::string> &arguments, const Script &script)
{
    return RunProgram(script, [arguments] {
        std::vector<std::string> copies = arguments;
        std::vector<char *> argv;
        for (std::string &argument : copies)
            argv.push_back(&argument[0]);
        argv.push_back(nullptr);
        return zorveksim_main(static_cast<int>(copies.size()), argv.data());
    });
}

struct CycleCase {
    const char *name;
    const char *failing;  /* the call that fails, null for none */
    size_t failsAt;       /* how many calls of the cycle come before it */
    Lines after;          /* the calls after the failing one */
    std::string out;
    std::string err;
    int status;
};

void PrintTo(const CycleCase &c, std::ostream *out)
{
    *out << c.name;
}

const std::string kToApplying = std::string(kRetrieving) + kCreating + kApplying;
const std::string kToRestoring = kToApplying + kRestoring;

const CycleCase kCycleCases[] = {
    {"open", "CreateFileA", 0, {}, "", "error: Unable to open serial port \"COM5\".\n", 2},
    {"read line settings",
     "GetCommState",
     1,
     {"CloseHandle(0x77)"},
     kRetrieving,
     "error: Unable to retrieve port communications configuration.\n",
     2},
    {"read time-outs",
     "GetCommTimeouts",
     2,
     {"CloseHandle(0x77)"},
     kRetrieving,
     "error: Unable to retrieve port timeouts configuration.\n",
     2},
    {"build new setting",
     "BuildCommDCBAndTimeoutsA",
     3,
     {"CloseHandle(0x77)"},
     std::string(kRetrieving) + kCreating,
     "error: Unable to create new port configuration.\n",
     2},
    {"apply new line settings: the saved ones go back",
     "SetCommState#1",
     4,
     {"SetCommState(0x77, baud=1200)", "CloseHandle(0x77)"},
     kToApplying,
     "error: Unable to set new port communications configuraton.\n",
     2},
    {"apply new time-outs: the saved line settings stay off",
     "SetCommTimeouts#1",
     5,
     {"CloseHandle(0x77)"},
     kToApplying,
     "error: Unable to set new port timeouts configuraton.\n",
     2},
    {"read: neither restored nor closed",
     "ReadFile",
     6,
     {"GetLastError()"},
     kToApplying,
     "error: Unable to read data from port. Error code is 995",
     2},
    {"restore line settings",
     "SetCommState#2",
     7,
     {"CloseHandle(0x77)"},
     kToRestoring,
     "error: Unable to restore original port communication configuration.\n",
     2},
    {"restore time-outs",
     "SetCommTimeouts#2",
     8,
     {"CloseHandle(0x77)"},
     kToRestoring,
     "error: Unable to restore original port timeouts configuration.\n",
     2},
    {"close", "CloseHandle", 9, {}, kToRestoring + kClosing, "error: Unable to close serial port.\n", 2},
    {"whole cycle", nullptr, 10, {}, kToRestoring + kClosing + kAllDone, "", 0},
};

class SimCycle : public testing::TestWithParam<CycleCase> {};

TEST_P(SimCycle, PrintsItsTextsCleansUpAndEndsWithItsStatus)
{
    const CycleCase &c = GetParam();
    Script script;
    if (c.failing != nullptr)
        script.failing.insert(c.failing);
    script.received = "Hello";
    script.lastError = 995;
    const ProgramRun run = RunSim({"zorveksim", "COM5"}, script);

    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    Lines expected(kCycle.begin(), kCycle.begin() + c.failsAt);
    if (c.failing != nullptr)
        expected.push_back(kCycle[c.failsAt] + " = fail");
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(run.journal, expected);
}

INSTANTIATE_TEST_SUITE_P(FailureTable, SimCycle, testing::ValuesIn(kCycleCases),
                         [](const testing::TestParamInfo<CycleCase> &info) {
                             return "Row" + std::to_string(info.index);
                         });

TEST(SimArguments, WithoutPortNameOnlyTheUsageIsWritten)
{
    const ProgramRun run = RunSim({"zorveksim"}, Script());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "usage: zorveksim <PORT>\n");
    EXPECT_EQ(run.journal, Lines{});
}

TEST(SimArguments, OnlyTheFirstArgumentIsUsed)
{
    Script script;
    script.received = "Hello";
    const ProgramRun run = RunSim({"zorveksim", "COM5", "COM6", "--verbose"}, script);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.journal, kCycle);
}

TEST(SimArguments, PortNameIsNeverAFormat)
{
    Script script;
    script.failing.insert("CreateFileA");
    const ProgramRun run = RunSim({"zorveksim", "\\\\.\\COM%s%d%n%%"}, script);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "error: Unable to open serial port \"\\\\.\\COM%s%d%n%%\".\n");
    EXPECT_EQ(CallsTo(run, "CreateFileA"),
              Lines{"CreateFileA(\"\\\\.\\COM%s%d%n%%\", 0xc0000000, 0x0, null, 3, 0x0, null) = fail"});
}

struct ReceivedCase {
    const char *name;
    std::string received;
    std::string shown;
    int count;
};

void PrintTo(const ReceivedCase &c, std::ostream *out)
{
    *out << c.name;
}

const ReceivedCase kReceivedCases[] = {
    {"nothing received is no failure", "", "", 0},
    {"a zero byte ends the text, not the count", std::string("ab\0cd", 5), "ab", 5},
    {"a full block has no terminator", std::string(32, 'x'), std::string(32, 'x'), 32},
    {"a full block ending in a zero byte", std::string(31, 'y') + '\0', std::string(31, 'y'), 32},
    {"more than a block waiting: one block is read", std::string(40, 'z'), std::string(32, 'z'), 32},
};

class SimReceived : public testing::TestWithParam<ReceivedCase> {};

TEST_P(SimReceived, ShowsTheBytesReceivedAndTheirCount)
{
    const ReceivedCase &c = GetParam();
    Script script;
    script.received = c.received;
    const ProgramRun run = RunSim({"zorveksim", "COM5"}, script);

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kToApplying + "Buffer contents: \"" + c.shown + "\"\n done\nBytes written: " +
                           std::to_string(c.count) + "\nRestoring original port configuration..." + kClosing +
                           kAllDone);
    EXPECT_EQ(run.journal, kCycle);
}

INSTANTIATE_TEST_SUITE_P(ReceivedData, SimReceived, testing::ValuesIn(kReceivedCases),
                         [](const testing::TestParamInfo<ReceivedCase> &info) {
                             return "Case" + std::to_string(info.index);
                         });

} // namespace
