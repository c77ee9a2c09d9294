#include "CInvokeArg.h"

#include "CString.h"

// Text for the length of the call: the string outlives the argument list.
CInvokeArg::CInvokeArg(const CString& v) : m_kind(Text), m_text(v.GetString()) {}
