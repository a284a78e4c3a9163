#pragma once

#include <string>

// Scrambles plain bytes into the stored form that DecodeText reads: each byte is masked with the
// high byte of a rolling key, the key rolls on the masked byte, and the masked byte is written as
// two base-26 letters, high digit first. The program itself only decodes; this lives with the tests
// so that every stored text can be checked against the plain text it stands for.
inline std::string PrepareText(const std::string& plain, unsigned short seed)
{
    std::string letters;
    unsigned key = seed;
    for (char ch : plain)
    {
        const unsigned masked = static_cast<unsigned char>(ch) ^ (key >> 8);
        key = ((key + masked) * 4131u + 29386u) & 0xFFFFu;
        letters += static_cast<char>('A' + masked / 26);
        letters += static_cast<char>('A' + masked % 26);
    }
    return letters;
}
