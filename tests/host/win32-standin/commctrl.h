/* Host stand-in for the common-controls declarations that the downloader uses. */
#ifndef ZORVEK_WIN32_STANDIN_COMMCTRL_H
#define ZORVEK_WIN32_STANDIN_COMMCTRL_H

#include <windows.h>

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX;

#define ICC_WIN95_CLASSES 0x000000FF

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX *controls);

#endif
