// The one application object. The framework's entry point finds it and runs
// it.
#include "app/CTranslucentApp.h"

CTranslucentApp theApp;
