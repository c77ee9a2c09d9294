// Settings of Selvane: web addresses in config.ini beside the executable,
// section [tamb]. Read at every use, never cached and never written, so an
// operator's edit takes effect at the next read.
#pragma once

#include "framework/CString.h"

// What ReadConfigValue gives for a key it cannot read. Callers compare with
// it exactly (case-sensitively) and use their built-in address on a match.
extern const wchar_t kConfigMissing[];   // "error"

// Drive and folder of the running executable, ending in a backslash.
CString GetModuleDirectory();

// The whole value of `key` in [tamb] of config.ini, or "error" when the
// file, the section or the key is missing, or when the program's folder
// cannot be known (no other folder's config.ini is ever read).
CString ReadConfigValue(CString key);

// A configured value, or `builtIn` when the value reads exactly "error".
CString ConfigValueOr(const CString& value, const wchar_t* builtIn);
