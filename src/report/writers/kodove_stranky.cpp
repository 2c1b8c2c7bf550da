#include "report/writers/kodove_stranky.h"

#include <array>

namespace arvelo::report::writers {

namespace {

// The 44 Czech and Slovak letters that the text export converts: their byte in Windows-1250,
// the letter without its diacritic, and their bytes in Kamenický and in IBM 852.
struct TPismeno {
    unsigned char cp1250;
    char ascii;
    unsigned char kamenicky;
    unsigned char cp852;
};

constexpr std::array<TPismeno, 44> kPismena = {{
    {0xC8, 'C', 0x80, 0xAC}, // Č
    {0xFC, 'u', 0x81, 0x81}, // ü
    {0xE9, 'e', 0x82, 0x82}, // é
    {0xEF, 'd', 0x83, 0xD4}, // ď
    {0xE4, 'a', 0x84, 0x84}, // ä
    {0xCF, 'D', 0x85, 0xD2}, // Ď
    {0x8D, 'T', 0x86, 0x9B}, // Ť
    {0xE8, 'c', 0x87, 0x9F}, // č
    {0xEC, 'e', 0x88, 0xD8}, // ě
    {0xCC, 'E', 0x89, 0xB7}, // Ě
    {0xC5, 'L', 0x8A, 0x91}, // Ĺ
    {0xCD, 'I', 0x8B, 0xD6}, // Í
    {0xBE, 'l', 0x8C, 0x96}, // ľ
    {0xE5, 'l', 0x8D, 0x92}, // ĺ
    {0xC4, 'A', 0x8E, 0x8E}, // Ä
    {0xC1, 'A', 0x8F, 0xB5}, // Á
    {0xC9, 'E', 0x90, 0x90}, // É
    {0x9E, 'z', 0x91, 0xA7}, // ž
    {0x8E, 'Z', 0x92, 0xA6}, // Ž
    {0xF4, 'o', 0x93, 0x93}, // ô
    {0xF6, 'o', 0x94, 0x94}, // ö
    {0xD3, 'O', 0x95, 0xE0}, // Ó
    {0xF9, 'u', 0x96, 0x85}, // ů
    {0xDA, 'U', 0x97, 0xE9}, // Ú
    {0xFD, 'y', 0x98, 0xEC}, // ý
    {0xD6, 'O', 0x99, 0x99}, // Ö
    {0xDC, 'U', 0x9A, 0x9A}, // Ü
    {0x8A, 'S', 0x9B, 0xE6}, // Š
    {0xBC, 'L', 0x9C, 0x95}, // Ľ
    {0xDD, 'Y', 0x9D, 0xED}, // Ý
    {0xD8, 'R', 0x9E, 0xFC}, // Ř
    {0x9D, 't', 0x9F, 0x9C}, // ť
    {0xE1, 'a', 0xA0, 0xA0}, // á
    {0xED, 'i', 0xA1, 0xA1}, // í
    {0xF3, 'o', 0xA2, 0xA2}, // ó
    {0xFA, 'u', 0xA3, 0xA3}, // ú
    {0xF2, 'n', 0xA4, 0xE5}, // ň
    {0xD2, 'N', 0xA5, 0xD5}, // Ň
    {0xD9, 'U', 0xA6, 0xDE}, // Ů
    {0xD4, 'O', 0xA7, 0xE2}, // Ô
    {0x9A, 's', 0xA8, 0xE7}, // š
    {0xF8, 'r', 0xA9, 0xFD}, // ř
    {0xE0, 'r', 0xAA, 0xEA}, // ŕ
    {0xC0, 'R', 0xAB, 0xE8}, // Ŕ
}};

unsigned char Preved(unsigned char b, TSestLanguage jazyk) {
    for (const TPismeno& p : kPismena) {
        if (p.cp1250 != b)
            continue;
        switch (jazyk) {
        case TSestLanguage::slASCII:
            return static_cast<unsigned char>(p.ascii);
        case TSestLanguage::slKamenicky:
            return p.kamenicky;
        case TSestLanguage::slLatin2:
            return p.cp852;
        default:
            return b;
        }
    }
    return b;
}

} // namespace

QByteArray PrevedKodovani(const QByteArray& cp1250, TSestLanguage jazyk) {
    if (jazyk == TSestLanguage::slUndefined || jazyk == TSestLanguage::slWindows1250)
        return cp1250;
    QByteArray r = cp1250;
    for (char& c : r) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 128)
            c = static_cast<char>(Preved(b, jazyk));
    }
    return r;
}

} // namespace arvelo::report::writers
