#include "catalogue/DecodeText.h"

#include <string>

CString DecodeText(CString text, unsigned short seed)
{
    const std::string& letters = text.Str();
    const std::size_t pairs = letters.size() / 2;
    std::string plain(pairs, '\0');
    unsigned key = seed;
    for (std::size_t i = 0; i < pairs; ++i)
    {
        const unsigned high = static_cast<unsigned char>(letters[2 * i]);
        const unsigned low = static_cast<unsigned char>(letters[2 * i + 1]);
        // 1755 = 27 * 'A', so this is 26 * (high - 'A') + (low - 'A'), wrapped to a byte.
        const unsigned masked = (26 * high + low - 1755) & 0xFFu;
        plain[i] = static_cast<char>(masked ^ (key >> 8));
        // The key rolls on the masked byte, not the plain one.
        key = ((key + masked) * 4131u + 29386u) & 0xFFFFu;
    }
    return CString(plain.data(), static_cast<int>(plain.size()));
}
