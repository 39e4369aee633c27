/* Sleeps until it is killed: while it lives, wineserver stays up and warm. */
#include <windows.h>

int main(void) {
    Sleep(INFINITE);
    return 0;
}
