// Which addresses the launcher hands on: to the game window (from the page)
// and to the user's browser (from the link buttons). Only web pages: an
// address with the scheme http or https, in any letter case. Anything else -
// a file or program path, file:, javascript:, res:, about:, empty text - is
// refused, since any page shown in the launcher can make the call, and the
// shell would start a program given as a path.
#pragma once

bool IsWebAddress(const wchar_t* address);
