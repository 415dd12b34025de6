/* heldkeys.c - list the keys the system holds down (Wine e2e helper).
 *
 * Usage: wine heldkeys.exe
 *   Prints the virtual-key code of every key GetAsyncKeyState reports down, one a line, as
 *   "down VK". A key left down after the program's own input turns the user's next letter into a
 *   shortcut, so the scenarios check that nothing is listed once the user's hands are off.
 * Exit codes: 0 no key down, 1 some key down.
 */
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
#include <stdio.h>

int wmain(void) {
    int down = 0;
    for (int vk = 1; vk < 256; ++vk) {
        /* The high bit is the state now; the low bit only says "pressed since the last call". */
        if (GetAsyncKeyState(vk) & 0x8000) {
            printf("down %d\n", vk);
            ++down;
        }
    }
    fflush(stdout);
    return down ? 1 : 0;
}
