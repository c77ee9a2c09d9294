// Window classes the framework registers for itself: a plain class for
// windows it creates, and "MfcButton", the image button that dialog templates
// name. Registration happens once, before the first dialog is created.
#pragma once

#include "Afx.h"

extern const wchar_t kFrameworkWindowClass[];

void AfxRegisterFrameworkClasses();
