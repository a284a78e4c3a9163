#pragma once

#include "framework/CString.h"

// Turns a stored text (two letters A..Z per byte, base 26, high digit first) back into its plain
// bytes, using the text's own 16-bit seed. The result has GetLength() / 2 bytes; an unpaired last
// letter is ignored, no character is validated, and zero bytes are kept in the result.
CString DecodeText(CString text, unsigned short seed);
