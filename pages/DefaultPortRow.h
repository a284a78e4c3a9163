#pragma once

#include <vector>

#include "framework/CString.h"

// The Select Port page lists at most this many of the spooler's ports (rows 0..255).
const int kMaxListedPorts = 256;

// Row of the port list to preselect, given the port names in the order EnumPorts returned them:
// the LPT1 row, else the COM1 row, else the FILE row, else -1 (nothing selected). A name matches
// when its first four bytes equal "LPT1", "COM1" or "FILE", case-sensitively, so "LPT1:" and
// "COM10:" match but "com1:" does not; of several names with one prefix the last one counts.
// Only the first kMaxListedPorts names are looked at, as only those are listed.
int DefaultPortRow(const std::vector<CString>& portNames);
