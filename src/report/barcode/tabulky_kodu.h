#pragma once

// The published character, parity and check tables of the symbologies, written once as data.
// Patterns of the multi-width symbologies are module counts of alternating elements; patterns
// of the two-width symbologies mark a wide element with '1' and a narrow one with '0'.

#include <array>
#include <string_view>

namespace arvelo::report::barcode::tabulky {

// --- 2 of 5 (interleaved, industrial, matrix): five elements per digit, two wide.
inline constexpr std::array<std::string_view, 10> k2z5 = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

// --- Code 39: nine elements (bar, space, ..., bar), three wide; index = character value.
inline constexpr std::string_view kZnakyCode39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
inline constexpr std::array<std::string_view, 43> kCode39 = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010",
};
inline constexpr std::string_view kCode39Hvezdicka = "010010100"; // start and stop '*'

// Full ASCII: the one- or two-character Code 39 form of every character 0-127. Code 93 uses
// the same forms with its own shift characters in place of '$', '%', '/' and '+'.
inline constexpr std::array<std::string_view, 128> kPlneAscii = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

// --- Code 128: values 0-102 data, 103-105 start A/B/C, 106 stop (with its termination bar).
inline constexpr std::array<std::string_view, 107> kCode128 = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};
inline constexpr int kCode128StartA = 103;
inline constexpr int kCode128StartB = 104;
inline constexpr int kCode128StartC = 105;
inline constexpr int kCode128Stop = 106;

// --- Code 93: values 0-42 the characters below, 43-46 the shift characters ($) (%) (/) (+).
inline constexpr std::string_view kZnakyCode93 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
inline constexpr std::array<std::string_view, 47> kCode93 = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};
inline constexpr int kCode93ShiftDolar = 43;
inline constexpr int kCode93ShiftProcento = 44;
inline constexpr int kCode93ShiftLomitko = 45;
inline constexpr int kCode93ShiftPlus = 46;
inline constexpr std::string_view kCode93Start = "111141";
inline constexpr std::string_view kCode93Stop = "1111411";

// --- PostNet: five bars per digit, '1' a full bar, '0' a half bar.
inline constexpr std::array<std::string_view, 10> kPostNet = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

// --- Codabar: seven elements (bar, space, ..., bar).
inline constexpr std::string_view kZnakyCodabar = "0123456789-$:/.+ABCD";
inline constexpr std::array<std::string_view, 20> kCodabar = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001",
    "0100100", "0110000", "1001000", "0001100", "0011000", "1000101", "1010001",
    "1010100", "0010101", "0011010", "0101001", "0001011", "0001110",
};

// --- EAN/UPC digits, four elements each. Sets A (odd parity) and B (even parity) start with
// a space, set C (right half) with a bar.
inline constexpr std::array<std::string_view, 10> kEanA = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112",
};
inline constexpr std::array<std::string_view, 10> kEanB = {
    "1123", "1222", "2212", "1141", "2311", "1321", "4111", "2131", "3121", "2113",
};
inline constexpr std::array<std::string_view, 10> kEanC = kEanA;

// EAN 13: the first digit chooses sets A/B of the next six ('A' or 'B').
inline constexpr std::array<std::string_view, 10> kParitaEan13 = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};
// UPC-E of number system 0, chosen by the check digit; number system 1 swaps A and B.
inline constexpr std::array<std::string_view, 10> kParitaUpcE0 = {
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
    "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB",
};
// Two-digit add-on, chosen by the value modulo 4.
inline constexpr std::array<std::string_view, 4> kParitaSupp2 = {"AA", "AB", "BA", "BB"};
// Five-digit add-on, chosen by its check digit.
inline constexpr std::array<std::string_view, 10> kParitaSupp5 = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB",
};

} // namespace arvelo::report::barcode::tabulky
