#include "report/barcode/carovy_kod.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace arvelo::report::barcode {
namespace {

// The symbol as modules: '1' bar, '0' space, 's' short bar, each repeated by its width class.
std::string Moduly(const TZakodovanyKod& k) {
    std::string s;
    for (const auto& p : k.prvky) {
        const char c = p.druh == TDruhPrvku::Mezera ? '0' : p.druh == TDruhPrvku::Cara ? '1' : 's';
        s.append(p.trida, c);
    }
    return s;
}

// The symbol as width classes, one digit per element.
std::string Tridy(const TZakodovanyKod& k) {
    std::string s;
    for (const auto& p : k.prvky)
        s.push_back(char('0' + p.trida));
    return s;
}

// EAN/UPC digit codes in the published binary notation (a separate transcription from the
// encoder's width tables, so that a slip in either shows).
const char* const kL[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                          "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const kG[] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                          "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const kR[] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                          "1001110", "1010000", "1000100", "1001000", "1110100"};

// Digits with their sets: "L5G9R2" -> the codes of 5 in L, 9 in G, 2 in R.
std::string Ean(const std::string& sady) {
    std::string s;
    for (size_t i = 0; i + 1 < sady.size(); i += 2) {
        const int d = sady[i + 1] - '0';
        s += sady[i] == 'L' ? kL[d] : sady[i] == 'G' ? kG[d] : kR[d];
    }
    return s;
}

struct TPripad {
    const char* nazev;
    int symbologie;
    QString hodnota;
    bool kontrola;
    QString text;
    std::vector<int> kontrolniHodnoty;
    std::string moduly; // expected modules; empty = not compared here
    QString data = {};  // expected encoded characters; empty = same as text
};

void PrintTo(const TPripad& p, std::ostream* os) {
    *os << p.nazev;
}

std::vector<TPripad> PripadyEanUpc() {
    return {
        {"Ean13Bez",
         syEan13,
         "123",
         false,
         "0000000001230",
         {},
         "101" + Ean("L0L0L0L0L0L0") + "01010" + Ean("R0R0R1R2R3R0") + "101"},
        {"Ean13S",
         syEan13,
         "123",
         true,
         "0000000001236",
         {6},
         "101" + Ean("L0L0L0L0L0L0") + "01010" + Ean("R0R0R1R2R3R6") + "101"},
        // 14 digits keep the last 13; first digit 5 -> L G G L L G.
        {"Ean13Dlouhy",
         syEan13,
         "95901234123457",
         true,
         "5901234123457",
         {7},
         "101" + Ean("L9G0G1L2L3G4") + "01010" + Ean("R1R2R3R4R5R7") + "101"},
        {"Ean13Nedigit",
         syEan13,
         " 59012341234x7\t",
         false,
         "5901234123407",
         {},
         "101" + Ean("L9G0G1L2L3G4") + "01010" + Ean("R1R2R3R4R0R7") + "101"},
        {"Ean8",
         syEan8,
         "9638507",
         true,
         "96385074",
         {4},
         "101" + Ean("L9L6L3L8") + "01010" + Ean("R5R0R7R4") + "101"},
        {"UpcA",
         syUpcA,
         "03600029145",
         true,
         "036000291452",
         {2},
         "101" + Ean("L0L3L6L0L0L0") + "01010" + Ean("R2R9R1R4R5R2") + "101"},
        // 654321 expands to 0 65100 00432, check 7 -> parity EOEOEO.
        {"UpcE0", syUpcE0, "654321", true, "6543217", {7}, "101" + Ean("G6L5G4L3G2L1") + "010101"},
        // The check digit lives in the parity only: without the flag it is the same.
        {"UpcE0BezPriznaku",
         syUpcE0,
         "6543210",
         false,
         "6543217",
         {7},
         "101" + Ean("G6L5G4L3G2L1") + "010101"},
        // Number system 1: 1 65100 00432 has check 4; the parity of row 4 inverted.
        {"UpcE1", syUpcE1, "654321", true, "6543214", {4}, "101" + Ean("L6G5L4L3G2G1") + "010101"},
        // Add-ons pad on the left; 5 mod 4 = 1 -> L G.
        {"Supp2Jedna", syUpcSupp2, "5", false, "05", {}, "1011" + Ean("L0") + "01" + Ean("G5")},
        {"Supp2SKontrolou",
         syUpcSupp2,
         "5",
         true,
         "055",
         {5},
         "1011" + Ean("L0") + "01" + Ean("G5")},
        {"Supp2Dvanact", syUpcSupp2, "12", false, "12", {}, "1011" + Ean("L1") + "01" + Ean("L2")},
        {"Supp2Tri", syUpcSupp2, "99", false, "99", {}, "1011" + Ean("G9") + "01" + Ean("G9")},
        // 52495: 3 x (5+4+5) + 9 x (2+9) = 141 -> 1 -> G L G L L.
        {"Supp5",
         syUpcSupp5,
         "52495",
         true,
         "524951",
         {1},
         "1011" + Ean("G5") + "01" + Ean("L2") + "01" + Ean("G4") + "01" + Ean("L9") + "01" +
             Ean("L5")},
        {"Supp5Kratky",
         syUpcSupp5,
         "5",
         false,
         "00005",
         {},
         // 3 x 5 = 15 -> 5 -> L L G G L
         "1011" + Ean("L0") + "01" + Ean("L0") + "01" + Ean("G0") + "01" + Ean("G0") + "01" +
             Ean("L5")},
    };
}

class EanUpc : public ::testing::TestWithParam<TPripad> {};

TEST_P(EanUpc, PublishedEncodings) {
    const TPripad& p = GetParam();
    const TZakodovanyKod k = Zakoduj(p.symbologie, p.hodnota, p.kontrola);
    EXPECT_EQ(k.text, p.text);
    EXPECT_EQ(k.kontrola, p.kontrolniHodnoty);
    EXPECT_EQ(Moduly(k), p.moduly);
}

INSTANTIATE_TEST_SUITE_P(Tabulka, EanUpc, ::testing::ValuesIn(PripadyEanUpc()),
                         [](const auto& info) { return std::string(info.param.nazev); });

// Symbologies given by their published width tables: expected width classes per element.
std::vector<TPripad> PripadyOstatni() {
    return {
        // Pairs 01 23 45; check (105 + 1 + 2x23 + 3x45) mod 103 = 81.
        {"Code128C",
         syCode128C,
         "12345",
         false,
         "012345",
         {81},
         "211232"
         "222122"
         "312131"
         "113123"
         "121142"
         "2331112"},
        // Set A has no lower case; the value is upper-cased: A B C = 33 34 35,
        // check (103 + 33 + 68 + 105) mod 103 = 0.
        {"Code128A",
         syCode128A,
         "abc",
         false,
         "ABC",
         {0},
         "211412"
         "111323"
         "131123"
         "131321"
         "212222"
         "2331112"},
        // a b c = 65 66 67 in set B, check (104 + 65 + 132 + 201) mod 103 = 90.
        {"Code128B",
         syCode128B,
         "abc",
         false,
         "abc",
         {90},
         "211214"
         "121124"
         "121421"
         "141122"
         "214121"
         "2331112"},
        // A character outside set B takes the value of the space: (104 + 33 + 0) mod 103 = 34.
        {"Code128BMimo",
         syCode128B,
         QString::fromUtf8("Aé"),
         false,
         "A ",
         {34},
         "211214"
         "111323"
         "212222"
         "131123"
         "2331112"},
        // C = 464 mod 47 = 41 ('+'), K = 617 mod 47 = 6.
        {"Code93",
         syCode93,
         "TEST93",
         false,
         "TEST93",
         {41, 6},
         "111141"
         "211221"
         "221211"
         "211122"
         "211221"
         "141111"
         "111411"
         "113121"
         "121311"
         "1111411"},
        // Outside the set: left out.
        {"Code93Mimo", syCode93, "a1", false, "1", {}, ""},
        {"Code93Full", syCode93Full, "a", false, "a", {}, "", "(+)A"},
        {"Code93FullSymboly", syCode93Full, "$%!", false, "$%!", {}, "", "$%(/)A"},
    };
}

class SirkoveTabulky : public ::testing::TestWithParam<TPripad> {};

TEST_P(SirkoveTabulky, PublishedEncodings) {
    const TPripad& p = GetParam();
    const TZakodovanyKod k = Zakoduj(p.symbologie, p.hodnota, p.kontrola);
    EXPECT_EQ(k.text, p.text);
    EXPECT_EQ(k.data, p.data.isEmpty() ? p.text : p.data);
    if (!p.moduly.empty()) {
        EXPECT_EQ(k.kontrola, p.kontrolniHodnoty);
        EXPECT_EQ(Tridy(k), p.moduly);
        // Alternating bar and space, starting with a bar, ending with the termination bar.
        EXPECT_EQ(Moduly(k).front(), '1');
        EXPECT_EQ(Moduly(k).back(), '1');
    }
}

INSTANTIATE_TEST_SUITE_P(Tabulka, SirkoveTabulky, ::testing::ValuesIn(PripadyOstatni()),
                         [](const auto& info) { return std::string(info.param.nazev); });

// Two-width symbologies at ratio 2: expected modules (wide = 2 modules).
std::vector<TPripad> PripadyDvousirkove() {
    const std::string hvezdicka = "100101101101"; // '*': n W n n w n w n n with W = 2
    return {
        // An odd count gets a leading zero; pair 0/1: bars NNWWN, spaces WNNNW.
        {"Interleaved",
         sy2z5Prokladany,
         "1",
         false,
         "01",
         {},
         "1010"
         "10010110110100"
         "1101"},
        {"Industrial",
         sy2z5Prumyslovy,
         "7",
         false,
         "7",
         {},
         "11011010"
         "101010110110"
         "11010110"},
        {"Code39",
         syCode39,
         "A",
         false,
         "A",
         {},
         hvezdicka + "0" + "110101001011" + "0" + hvezdicka},
        // A, '-' and 1 are in the set, lower-case b is not: left out.
        {"Code39Mimo",
         syCode39,
         "Ab",
         false,
         "A",
         {},
         hvezdicka + "0" + "110101001011" + "0" + hvezdicka},
        {"Code39Prazdny", syCode39, "ab", false, "", {}, ""},
        // '$' = 39: all bars narrow, three wide spaces.
        {"Code39Dolar",
         syCode39,
         "$",
         false,
         "$",
         {},
         hvezdicka + "0" + "100100100101" + "0" + hvezdicka},
        {"Codabar",
         syCodabar,
         "1",
         false,
         "1",
         {},
         "1011001001"
         "0"
         "101011001"
         "0"
         "1001001011"}, // A 1 B
        {"CodabarMimo",
         syCodabar,
         "1x",
         false,
         "1",
         {},
         "1011001001"
         "0"
         "101011001"
         "0"
         "1001001011"},
        // MSI 5 = 0101, check: 5 doubled = 10 -> 1 -> 9 = 1001.
        {"Msi",
         syMsi,
         "5",
         false,
         "59",
         {9},
         "110"
         "100110100110"
         "110100100110"
         "1001"},
        // PostNet 1 = 00011, 2 = 00101, with wide spaces.
        {"PostNet",
         syPostNet,
         "12",
         false,
         "12",
         {},
         "100"
         "s00s00s00100100"
         "s00s00100s00100"
         "1"},
    };
}

class Dvousirkove : public ::testing::TestWithParam<TPripad> {};

TEST_P(Dvousirkove, PublishedEncodings) {
    const TPripad& p = GetParam();
    const TZakodovanyKod k = Zakoduj(p.symbologie, p.hodnota, p.kontrola);
    EXPECT_EQ(k.text, p.text);
    EXPECT_EQ(k.kontrola, p.kontrolniHodnoty);
    EXPECT_EQ(Moduly(k), p.moduly);
}

INSTANTIATE_TEST_SUITE_P(Tabulka, Dvousirkove, ::testing::ValuesIn(PripadyDvousirkove()),
                         [](const auto& info) { return std::string(info.param.nazev); });

TEST(CarovyKod, CheckCharactersOfCode39AndFullAscii) {
    // C O D E 3 9 = 12 + 24 + 13 + 14 + 3 + 9 = 75; 75 mod 43 = 32 ('W').
    const TZakodovanyKod k = Zakoduj(syCode39, "CODE39", true);
    EXPECT_EQ(k.kontrola, std::vector<int>{32});
    EXPECT_EQ(k.text, "CODE39");
    EXPECT_EQ(Zakoduj(syCode39, "CODE39", false).prvky.size() + 10, k.prvky.size());

    // Lower case in full ASCII: +A +B +C; the text keeps the value as given.
    // 3 x 41 + 10 + 11 + 12 = 156; 156 mod 43 = 27 ('R').
    const TZakodovanyKod f = Zakoduj(syCode39Full, "abc", true);
    EXPECT_EQ(f.text, "abc");
    EXPECT_EQ(f.data, "+A+B+C");
    EXPECT_EQ(f.kontrola, std::vector<int>{27});
    EXPECT_EQ(Zakoduj(syCode39Full, "abc", false).prvky, Zakoduj(syCode39, "+A+B+C", false).prvky);
    // From 128 up: left out.
    EXPECT_EQ(Zakoduj(syCode39Full, QString::fromUtf8("ač"), false).data, "+A");
}

TEST(CarovyKod, MsiCheckDigitOfThePublishedExample) {
    // Odd places from the right 1357 doubled = 2714 -> 14, plus 2 + 4 + 6 = 26 -> 4.
    const TZakodovanyKod k = Zakoduj(syMsi, "1234567", false);
    EXPECT_EQ(k.kontrola, std::vector<int>{4});
    EXPECT_EQ(k.text, "12345674");
}

TEST(CarovyKod, EmptyValuesDrawNoBars) {
    for (int sy = 0; sy < kPocetSymbologii; ++sy) {
        SCOPED_TRACE(sy);
        EXPECT_TRUE(Zakoduj(sy, "", true).prvky.empty());
        if (JenCislice(sy)) {
            EXPECT_TRUE(Zakoduj(sy, " \t ", true).prvky.empty());
        }
    }
}

TEST(CarovyKod, EverySymbologyAlternatesAndHasItsWidth) {
    // Bars and spaces alternate in every symbol, so neighbouring elements never merge.
    for (int sy = 0; sy < kPocetSymbologii; ++sy) {
        SCOPED_TRACE(NazevSymbologie(sy).toStdString());
        const TZakodovanyKod k = Zakoduj(sy, "1234567890", true);
        ASSERT_FALSE(k.prvky.empty());
        EXPECT_NE(k.prvky.front().druh, TDruhPrvku::Mezera);
        for (size_t i = 1; i < k.prvky.size(); ++i)
            EXPECT_NE(k.prvky[i].druh == TDruhPrvku::Mezera,
                      k.prvky[i - 1].druh == TDruhPrvku::Mezera)
                << "element " << i;
        int sirka = 0;
        for (const auto& p : k.prvky)
            sirka += k.Sirky(3)[p.trida - 1];
        EXPECT_EQ(k.Sirka(3), sirka);
    }
}

TEST(CarovyKod, NamesAndUnknownIndex) {
    const QStringList n = NazvySymbologii();
    ASSERT_EQ(n.size(), kPocetSymbologii);
    EXPECT_EQ(n.front(), "2/5 interleaved");
    EXPECT_EQ(n[12], "Codebar");
    EXPECT_EQ(n.back(), "UPC Supp5");
    EXPECT_EQ(NazevSymbologie(20), "EAN 13");
    EXPECT_EQ(NazevSymbologie(-1), "EAN 13");
    EXPECT_EQ(Moduly(Zakoduj(99, "123", true)), Moduly(Zakoduj(syEan13, "123", true)));
    EXPECT_TRUE(JenCislice(syCode128C));
    EXPECT_FALSE(JenCislice(syCode128B));
}

TEST(CarovyKod, WidthClasses) {
    struct {
        int modul;
        double pomer;
        std::array<int, 4> sirky;
    } const pripady[] = {
        {1, 2.0, {1, 2, 3, 4}},     {8, 2.0, {8, 16, 24, 32}},
        {4, 2.25, {4, 9, 13, 18}},  {2, 2.25, {2, 4, 6, 8}}, // 4.5 rounds to even
        {6, 2.25, {6, 14, 21, 28}},                          // 13.5 rounds to even
    };
    for (const auto& p : pripady)
        EXPECT_EQ(SirkyTrid(p.modul, p.pomer), p.sirky) << p.modul << " " << p.pomer;
    EXPECT_EQ(Zakoduj(sy2z5Maticovy, "1", false).pomer, 2.25);
    EXPECT_EQ(Zakoduj(sy2z5Prokladany, "1", false).pomer, 2.0);
}

} // namespace
} // namespace arvelo::report::barcode
