#include "framework/CString.h"

#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace
{
std::string FromPointer(const char* psz)
{
    return psz != nullptr ? std::string(psz) : std::string();
}

int Sign(int n)
{
    return (n > 0) - (n < 0);
}
} // namespace

CString::CString(const char* psz) : m_str(FromPointer(psz))
{
}

CString::CString(const char* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CString& CString::operator=(const char* psz)
{
    m_str = FromPointer(psz);
    return *this;
}

char CString::GetAt(int nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetLength());
    return m_str[static_cast<std::size_t>(nIndex)];
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    if (psz != nullptr)
        m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(const CString& str) const
{
    // char_traits<char> compares as unsigned char, so bytes above 127 sort after ASCII.
    return Sign(m_str.compare(str.m_str));
}

int CString::Compare(const char* psz) const
{
    return Sign(m_str.compare(FromPointer(psz)));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    CString result;
    result.m_str = m_str.substr(static_cast<std::size_t>(nFirst), static_cast<std::size_t>(nCount));
    return result;
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list measure;
    va_copy(measure, args);
    const int nNeeded = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);

    std::string text;
    if (nNeeded > 0)
    {
        // vsnprintf writes the terminating zero too, so give it one byte more than the text.
        text.resize(static_cast<std::size_t>(nNeeded) + 1);
        std::vsnprintf(&text[0], text.size(), pszFormat, args);
        text.resize(static_cast<std::size_t>(nNeeded));
    }
    va_end(args);
    m_str.swap(text);
}

bool operator==(const CString& a, const CString& b)
{
    return a.Compare(b) == 0;
}

bool operator==(const CString& a, const char* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const char* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const char* b)
{
    return !(a == b);
}

bool operator!=(const char* a, const CString& b)
{
    return !(a == b);
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b)
{
    CString result(&a, 1);
    result += b;
    return result;
}
