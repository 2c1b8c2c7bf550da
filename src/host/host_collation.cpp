#include "host/host_collation.h"

#include <QChar>
#include <sqlite3.h>

namespace arvelo::host {

namespace {

// Decodes one code point; an invalid sequence yields its first byte.
char32_t decode(const unsigned char* s, int len, int* used) {
    const unsigned char c = s[0];
    auto cont = [&](int i) { return i < len && (s[i] & 0xC0) == 0x80; };
    if (c < 0x80) {
        *used = 1;
        return c;
    }
    if ((c & 0xE0) == 0xC0 && cont(1)) {
        const char32_t cp = (char32_t(c & 0x1F) << 6) | (s[1] & 0x3F);
        if (cp >= 0x80) {
            *used = 2;
            return cp;
        }
    } else if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        const char32_t cp =
            (char32_t(c & 0x0F) << 12) | (char32_t(s[1] & 0x3F) << 6) | (s[2] & 0x3F);
        if (cp >= 0x800) {
            *used = 3;
            return cp;
        }
    } else if ((c & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        const char32_t cp = (char32_t(c & 0x07) << 18) | (char32_t(s[1] & 0x3F) << 12) |
                            (char32_t(s[2] & 0x3F) << 6) | (s[3] & 0x3F);
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            *used = 4;
            return cp;
        }
    }
    *used = 1;
    // Stray bytes sort after every valid code point, each as itself.
    return 0x110000 + c;
}

char32_t fold(char32_t cp) {
    if (cp < 0x80) {
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    }
    if (cp >= 0x110000) {
        return cp;
    }
    return QChar::toCaseFolded(cp);
}

int collate(void*, int aLen, const void* a, int bLen, const void* b) {
    return compareHostText(static_cast<const char*>(a), aLen, static_cast<const char*>(b), bLen);
}

} // namespace

int compareHostText(const char* a, int aLen, const char* b, int bLen) {
    const auto* s = reinterpret_cast<const unsigned char*>(a);
    const auto* t = reinterpret_cast<const unsigned char*>(b);
    int i = 0;
    int j = 0;
    while (i < aLen && j < bLen) {
        const unsigned char x = s[i];
        const unsigned char y = t[j];
        if (x < 0x80 && y < 0x80) {
            const int fx = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            const int fy = (y >= 'A' && y <= 'Z') ? y + 32 : y;
            if (fx != fy) {
                return fx < fy ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        int ux = 0;
        int uy = 0;
        const char32_t cx = fold(decode(s + i, aLen - i, &ux));
        const char32_t cy = fold(decode(t + j, bLen - j, &uy));
        if (cx != cy) {
            return cx < cy ? -1 : 1;
        }
        i += ux;
        j += uy;
    }
    if (i < aLen) {
        return 1;
    }
    if (j < bLen) {
        return -1;
    }
    return 0;
}

int registerHostCollation(sqlite3* db) {
    return sqlite3_create_collation(db, HostCollationName, SQLITE_UTF8, nullptr, &collate);
}

} // namespace arvelo::host
