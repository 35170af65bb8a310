/*
 * The floor for the simulator's cycle: the same platform calls as zorveksim,
 * in the same order and with the same arguments, and nothing else: no
 * output, no checks. What zorveksim costs beyond this is its own.
 *
 * usage: sim_floor <PORT>
 */

#include <windows.h>

static const char kPortDefinition[] = "baud=9600 parity=N data=8 stop=1 to=on xon=off dtr=off rts=off";
static const DWORD kReadSize = 32;

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;

    DCB savedState = {};
    COMMTIMEOUTS savedTimeouts = {};
    DCB newState = {};
    COMMTIMEOUTS newTimeouts = {};
    char buffer[kReadSize];
    DWORD received = 0;

    HANDLE port = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    GetCommState(port, &savedState);
    GetCommTimeouts(port, &savedTimeouts);
    BuildCommDCBAndTimeoutsA(kPortDefinition, &newState, &newTimeouts);
    SetCommState(port, &newState);
    SetCommTimeouts(port, &newTimeouts);
    ReadFile(port, buffer, kReadSize, &received, NULL);
    SetCommState(port, &savedState);
    SetCommTimeouts(port, &savedTimeouts);
    CloseHandle(port);
    return 0;
}
