// Program entry. Until the application object exists the program starts and
// ends without showing anything.
#include "framework/Afx.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return 0;
}
