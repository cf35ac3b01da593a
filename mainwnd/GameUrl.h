// The game address the login hands over, and the server name the caption strip shows from it.
#pragma once
#include "framework/String.h"

// Percent-decodes the address (taken as bytes of the thread's code page) and reads the result
// as UTF-8. "+" stays "+"; a "%" without two hexadecimal digits after it stays as it is.
CString DecodeGameUrl(const CString& strUrl);

// The text after "svname=" in a decoded address, up to the first "/" (not cut at "&");
// empty when the address names no server.
CString ServerNameFromDecodedUrl(const CString& strDecodedUrl);
