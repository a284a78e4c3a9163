#include "pages/DefaultPortRow.h"

#include <cstring>

namespace
{
bool HasPrefix(const CString& name, const char (&prefix)[5])
{
    // Byte-exact: a name shorter than the prefix (or with a zero byte in it) cannot match.
    return name.GetLength() >= 4 && std::memcmp(name.GetString(), prefix, 4) == 0;
}
} // namespace

int DefaultPortRow(const std::vector<CString>& portNames)
{
    int lpt1Row = -1;
    int com1Row = -1;
    int fileRow = -1;
    const int listed = portNames.size() < static_cast<std::size_t>(kMaxListedPorts)
                           ? static_cast<int>(portNames.size())
                           : kMaxListedPorts;
    for (int row = 0; row < listed; ++row)
    {
        const CString& name = portNames[static_cast<std::size_t>(row)];
        if (HasPrefix(name, "COM1"))
            com1Row = row;
        else if (HasPrefix(name, "LPT1"))
            lpt1Row = row;
        else if (HasPrefix(name, "FILE"))
            fileRow = row;
    }
    if (lpt1Row >= 0)
        return lpt1Row;
    if (com1Row >= 0)
        return com1Row;
    return fileRow;
}
