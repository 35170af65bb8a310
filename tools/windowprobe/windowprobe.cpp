/*
 * Test helper: finds a top-level window by class and title, as any other
 * program on the desktop could, and prints what the window manager knows of
 * it, one "key=value" a line.
 *
 * usage: windowprobe CLASS TITLE
 * exit status 0 when the window is found, 1 when it is not, 2 on bad usage
 */
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: windowprobe CLASS TITLE\n");
        return 2;
    }
    HWND window = FindWindowA(argv[1], argv[2]);
    if (window == NULL) {
        printf("found=no\n");
        return 1;
    }
    char className[256] = "";
    char title[256] = "";
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));
    printf("found=yes\n");
    printf("class=%s\n", className);
    printf("title=%s\n", title);
    printf("style=0x%08lx\n", (unsigned long)GetWindowLongA(window, GWL_STYLE));
    printf("exstyle=0x%08lx\n", (unsigned long)GetWindowLongA(window, GWL_EXSTYLE));
    printf("classstyle=0x%08lx\n", (unsigned long)GetClassLongA(window, GCL_STYLE));
    printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
    printf("iconic=%d\n", IsIconic(window) ? 1 : 0);
    printf("parent=%s\n", GetParent(window) == NULL ? "none" : "some");
    return 0;
}
