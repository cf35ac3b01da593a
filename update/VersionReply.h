// The version server's answer: a short code means "nothing to do", anything longer is the address
// of the new executable.
#pragma once
#include "framework/String.h"

// TRUE when the reply, taken whole and untrimmed, is the download address: more than five
// characters and not starting with a negative number.
BOOL ReplyNamesUpdate(const CString& strReply);
