/*
 * Zorvek serial port simulator.
 *
 * usage: zorveksim <PORT>
 *
 * One read cycle on the named serial port: save the port's line settings and
 * time-outs, apply the fixed port definition, read one block of up to 32
 * bytes, print it, put the saved settings back and close the port. Progress
 * goes to standard output, every failure to standard error; the exit status
 * is 0 on success and 2 on any failure.
 */

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static const char kPortDefinition[] = "baud=9600 parity=N data=8 stop=1 to=on xon=off dtr=off rts=off";
static const DWORD kReadSize = 32;
static const int kFailureStatus = 2;

static const char kUsageText[] = "usage: zorveksim <PORT>\n";
static const char kOpenFailedText[] = "error: Unable to open serial port \"%s\".\n";
static const char kGetStateFailedText[] = "error: Unable to retrieve port communications configuration.\n";
static const char kGetTimeoutsFailedText[] = "error: Unable to retrieve port timeouts configuration.\n";
static const char kBuildFailedText[] = "error: Unable to create new port configuration.\n";
static const char kSetStateFailedText[] = "error: Unable to set new port communications configuraton.\n";
static const char kSetTimeoutsFailedText[] = "error: Unable to set new port timeouts configuraton.\n";
static const char kReadFailedText[] = "error: Unable to read data from port. Error code is %d";
static const char kRestoreStateFailedText[] = "error: Unable to restore original port communication configuration.\n";
static const char kRestoreTimeoutsFailedText[] = "error: Unable to restore original port timeouts configuration.\n";
static const char kCloseFailedText[] = "error: Unable to close serial port.\n";

/* Every failure ends here. Standard output is written out first, so that
   when both streams go to one file the progress text comes before the error
   text, whatever buffering the runtime gives standard error. */
static void BeginFailure(void)
{
    fflush(stdout);
}

static void Fail(const char *text)
{
    BeginFailure();
    fputs(text, stderr);
    exit(kFailureStatus);
}

static void FailAndClose(HANDLE port, const char *text)
{
    BeginFailure();
    fputs(text, stderr);
    CloseHandle(port);
    exit(kFailureStatus);
}

static HANDLE OpenPort(const char *portName)
{
    HANDLE port = CreateFileA(portName, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (port == INVALID_HANDLE_VALUE) {
        BeginFailure();
        /* The name is an argument, never a format. */
        fprintf(stderr, kOpenFailedText, portName);
        exit(kFailureStatus);
    }
    return port;
}

static void SaveConfiguration(HANDLE port, DCB *savedState, COMMTIMEOUTS *savedTimeouts)
{
    if (!GetCommState(port, savedState))
        FailAndClose(port, kGetStateFailedText);
    if (!GetCommTimeouts(port, savedTimeouts))
        FailAndClose(port, kGetTimeoutsFailedText);
}

/* Built from zero-filled records: every member that the platform's build
   call does not fill stays zero. */
static void BuildConfiguration(HANDLE port, DCB *newState, COMMTIMEOUTS *newTimeouts)
{
    if (!BuildCommDCBAndTimeoutsA(kPortDefinition, newState, newTimeouts))
        FailAndClose(port, kBuildFailedText);
}

static void ApplyConfiguration(HANDLE port, DCB *newState, COMMTIMEOUTS *newTimeouts, DCB *savedState)
{
    if (!SetCommState(port, newState)) {
        BeginFailure();
        fputs(kSetStateFailedText, stderr);
        SetCommState(port, savedState);
        CloseHandle(port);
        exit(kFailureStatus);
    }
    if (!SetCommTimeouts(port, newTimeouts))
        FailAndClose(port, kSetTimeoutsFailedText);
}

static void ReadBlock(HANDLE port)
{
    char buffer[kReadSize];
    DWORD received = 0;
    if (!ReadFile(port, buffer, kReadSize, &received, NULL)) {
        const int code = (int)GetLastError();
        BeginFailure();
        fprintf(stderr, kReadFailedText, code);
        /* The port stays open and unrestored: the process exit releases it. */
        exit(kFailureStatus);
    }
    /* The block is not terminated: show at most the bytes received, up to
       the first zero byte among them. */
    printf("Buffer contents: \"%.*s\"\n", (int)received, buffer);
    printf(" done\nBytes written: %d\nRestoring original port configuration...", (int)received);
}

static void RestoreConfiguration(HANDLE port, DCB *savedState, COMMTIMEOUTS *savedTimeouts)
{
    if (!SetCommState(port, savedState))
        FailAndClose(port, kRestoreStateFailedText);
    if (!SetCommTimeouts(port, savedTimeouts))
        FailAndClose(port, kRestoreTimeoutsFailedText);
}

static void ClosePort(HANDLE port)
{
    if (!CloseHandle(port))
        Fail(kCloseFailedText);
}

int main(int argc, char **argv)
{
    if (argc < 2)
        Fail(kUsageText);
    const char *portName = argv[1];

    DCB savedState = {};
    COMMTIMEOUTS savedTimeouts = {};
    DCB newState = {};
    COMMTIMEOUTS newTimeouts = {};

    HANDLE port = OpenPort(portName);

    printf("Retrieving existing serial port configuration...");
    SaveConfiguration(port, &savedState, &savedTimeouts);

    printf(" done\nCreating new configuration...");
    BuildConfiguration(port, &newState, &newTimeouts);

    printf(" done\nApplying new configuration...");
    ApplyConfiguration(port, &newState, &newTimeouts, &savedState);
    ReadBlock(port);

    RestoreConfiguration(port, &savedState, &savedTimeouts);

    printf(" done\nClosing port...");
    ClosePort(port);

    printf("done\n\nAll done!\n");
    return 0;
}
