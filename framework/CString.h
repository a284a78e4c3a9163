#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// MinGW's libstdc++ routes vsnprintf to its own C99 implementation (__USE_MINGW_ANSI_STDIO), whose
// conversions (%zu, %lld) are those of gnu_printf; there plain "printf" would make GCC check
// against msvcrt's rules instead and reject correct calls. Elsewhere printf is the right archetype.
#if defined(__MINGW_PRINTF_FORMAT)
#define TRELVO_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define TRELVO_PRINTF_FORMAT printf
#endif

// A byte string with the MFC CString interface that this program uses. The text is held in a
// std::string, so embedded zero bytes are kept and the length never comes from strlen: a decoded
// text may hold a zero byte, and Win32 consumers that take the const char* then stop there.
class CString
{
public:
    CString() = default;
    CString(const char* psz);               // NULL gives an empty string, as MFC's CString does
    CString(const char* pch, int nLength);  // exactly nLength bytes, zero bytes included
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // Always zero-terminated; stays valid until the string is next changed.
    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }

    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& str);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    // Byte by byte, each byte taken as unsigned; a zero byte is a byte like any other.
    // Returns -1, 0 or 1.
    int Compare(const char* psz) const;
    int Compare(const CString& str) const;

    // Counts and positions out of range are clipped to the string, as MFC does.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    // printf-style; the result may have any length.
    void Format(const char* pszFormat, ...) __attribute__((format(TRELVO_PRINTF_FORMAT, 2, 3)));

#ifdef _WIN32
    // Loads string resource nID of the module; defined with the Win32 code.
    bool LoadString(unsigned int nID);
#endif

    // The underlying bytes, for code that needs them as a std::string.
    const std::string& Str() const { return m_str; }

private:
    std::string m_str;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);
