#pragma once

#include <cstddef>
#include <vector>

// The records of one spooler enumeration (EnumPortsA, EnumMonitorsA at one level), held in a
// buffer this object owns.
//
// Those calls report the bytes they need on a first call without a buffer and fill a buffer of
// exactly that size on a second one. The records' strings point into the same buffer, after the
// records, so the buffer lives as long as this object, and the object can be neither copied nor
// moved (a function may still return one: C++17 builds a returned temporary in place).
//
// Only a second call that succeeded has filled the buffer. When it fails (most often
// ERROR_INSUFFICIENT_BUFFER, because the set grew between the two calls) the count it reports
// describes nothing readable, so there are no records. The count is also held to the records that
// fit in the buffer, whatever the spooler says.
//
// No <windows.h> here: `enumerate` is the spooler call with its server name and level bound,
// called as enumerate(pBuffer, cbBuf, &cbNeeded, &nReturned) and returning whether it succeeded.
template <class TInfo>
class CSpoolerRecords
{
public:
    template <class Enumerate>
    explicit CSpoolerRecords(Enumerate enumerate)
    {
        unsigned long cbNeeded = 0;
        unsigned long nReturned = 0;
        enumerate(nullptr, 0ul, &cbNeeded, &nReturned);

        // operator new aligns the block for any record type, so the records can be read in place.
        // An empty set still gets a real buffer of size 0: the spooler refuses a NULL one
        // (RPC_X_NULL_REF_POINTER) even when it has nothing to write.
        const unsigned long cbBuf = cbNeeded;
        m_buffer.resize(cbBuf > 0 ? cbBuf : 1);
        nReturned = 0;
        if (!enumerate(m_buffer.data(), cbBuf, &cbNeeded, &nReturned))
            return;
        const std::size_t nFit = cbBuf / sizeof(TInfo);
        m_nCount = nReturned < nFit ? static_cast<std::size_t>(nReturned) : nFit;
    }
    CSpoolerRecords(const CSpoolerRecords&) = delete;
    CSpoolerRecords& operator=(const CSpoolerRecords&) = delete;

    std::size_t GetCount() const { return m_nCount; }
    const TInfo& operator[](std::size_t nIndex) const
    {
        return reinterpret_cast<const TInfo*>(m_buffer.data())[nIndex];
    }

private:
    std::vector<unsigned char> m_buffer;
    std::size_t m_nCount = 0;
};
