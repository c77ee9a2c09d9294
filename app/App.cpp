// The application object lives here once the launcher exists; until then the
// framework's entry point finds none and the program ends at once.
#include "framework/CWinApp.h"
