#include <windows.h>

#include "framework/CString.h"
#include "framework/CWinApp.h"

bool CString::LoadString(unsigned int nID)
{
    // LoadStringA copies at most the buffer size less one and reports the length it copied; a
    // result that fills the buffer may have been cut, so try again with a larger one.
    std::string buf(256, '\0');
    for (;;)
    {
        int n = ::LoadStringA(AfxGetResourceHandle(), nID, &buf[0], static_cast<int>(buf.size()));
        if (n <= 0)
        {
            Empty();
            return false;
        }
        if (n < static_cast<int>(buf.size()) - 1)
        {
            *this = CString(buf.data(), n);
            return true;
        }
        buf.resize(buf.size() * 2);
    }
}
