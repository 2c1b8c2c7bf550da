#pragma once

#include <QChar>
#include <QStringView>
#include <cstddef>
#include <cstdint>

// Comparing and hashing text without regard to letter case, code point by code
// point and without building folded copies: the hot lookups of the in-memory
// tables run millions of times per report.
namespace arvelo::ui::fold {

// Reads the code point at i (a surrogate pair as one) and advances i.
inline char32_t nextCodePoint(QStringView s, qsizetype& i) {
    const char16_t c = s[i].unicode();
    ++i;
    if (QChar::isHighSurrogate(c) && i < s.size() && QChar::isLowSurrogate(s[i].unicode())) {
        const char16_t low = s[i].unicode();
        ++i;
        return QChar::surrogateToUcs4(c, low);
    }
    return c;
}

inline char32_t foldCodePoint(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    return QChar::toCaseFolded(c);
}

// <0, 0, >0 like strcmp; the order of the folded code points.
inline int compare(QStringView a, QStringView b, bool caseInsensitive) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = nextCodePoint(a, i);
        char32_t y = nextCodePoint(b, j);
        if (x != y && caseInsensitive) {
            x = foldCodePoint(x);
            y = foldCodePoint(y);
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

// Whether text begins with prefix.
inline bool startsWith(QStringView text, QStringView prefix, bool caseInsensitive) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) {
            return false;
        }
        char32_t x = nextCodePoint(text, i);
        char32_t y = nextCodePoint(prefix, j);
        if (caseInsensitive) {
            x = foldCodePoint(x);
            y = foldCodePoint(y);
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

inline bool equal(QStringView a, QStringView b, bool caseInsensitive) {
    if (!caseInsensitive) {
        return a == b;
    }
    return compare(a, b, true) == 0;
}

inline std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

// FNV-1a over the (folded) code points, so that equal() texts hash alike.
inline std::uint64_t hash(QStringView s, bool caseInsensitive, std::uint64_t seed) {
    std::uint64_t h = seed ^ 0xcbf29ce484222325ULL;
    qsizetype i = 0;
    while (i < s.size()) {
        char32_t c = nextCodePoint(s, i);
        if (caseInsensitive) {
            c = foldCodePoint(c);
        }
        h = (h ^ c) * 0x100000001b3ULL;
    }
    return mix(h ^ static_cast<std::uint64_t>(s.size()));
}

// "*" matches any run of characters (also none); every other character
// matches itself (without regard to case when asked).
inline bool like(QStringView text, QStringView pattern, bool caseInsensitive) {
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starP = -1; // pattern position after the last '*'
    qsizetype starT = 0;  // text position that '*' currently stands up to
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = ++p;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            qsizetype t2 = t;
            qsizetype p2 = p;
            char32_t x = nextCodePoint(text, t2);
            char32_t y = nextCodePoint(pattern, p2);
            if (caseInsensitive) {
                x = foldCodePoint(x);
                y = foldCodePoint(y);
            }
            if (x == y) {
                t = t2;
                p = p2;
                continue;
            }
        }
        if (starP < 0) {
            return false;
        }
        // Let the last '*' take one more code point and try again.
        nextCodePoint(text, starT);
        t = starT;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace arvelo::ui::fold
