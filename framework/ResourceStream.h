// A COM stream over a private copy of a resource's bytes.
#pragma once

#include "ScopedWin.h"

// The copy lives in a memory block that the stream owns: it goes with the
// stream's last reference, so a decoder may keep the stream and read it again
// for as long as it likes. Null when the resource is missing or empty.
ComPtr<IStream> CreateResourceStream(HMODULE module, LPCWSTR name, LPCWSTR type);
