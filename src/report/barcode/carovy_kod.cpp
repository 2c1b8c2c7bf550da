#include "report/barcode/carovy_kod.h"

#include "report/barcode/tabulky_kodu.h"

#include <cmath>
#include <string>
#include <string_view>

namespace arvelo::report::barcode {

namespace {

namespace t = tabulky;

constexpr std::array<const char*, kPocetSymbologii> kNazvy = {
    "2/5 interleaved", "2/5 industrial", "2/5 matrix", "Code 39",      "Code 39 Full", "Code 128A",
    "Code 128B",       "Code 128C",      "Code 93",    "Code 93 Full", "MSI",          "PostNet",
    "Codebar",         "EAN 8",          "EAN 13",     "UPC-A",        "UPC-E0",       "UPC-E1",
    "UPC Supp2",       "UPC Supp5",
};

// Collects the elements of a symbol. Every symbology alternates bar and space, so the kind of
// the next element follows from the last one; the first element is a bar. This is what makes
// the left-half EAN/UPC digits and the add-on digits start with a space, as their tables say.
class TStavitel {
public:
    // Module counts '1'-'4' of consecutive elements.
    void Moduly(std::string_view sirky) {
        for (char c : sirky)
            Pridej(DalsiDruh(), c - '0');
    }
    // Two-width pattern: '0' narrow, '1' wide.
    void UzkeSiroke(std::string_view vzor) {
        for (char c : vzor)
            Pridej(DalsiDruh(), c == '1' ? 2 : 1);
    }
    void Cara(int trida) { Pridej(TDruhPrvku::Cara, trida); }
    void KratkaCara(int trida) { Pridej(TDruhPrvku::KratkaCara, trida); }
    void Mezera(int trida) { Pridej(TDruhPrvku::Mezera, trida); }

    std::vector<TPrvekKodu> Vysledek() && { return std::move(prvky_); }

private:
    TDruhPrvku DalsiDruh() const {
        return prvky_.empty() || prvky_.back().druh == TDruhPrvku::Mezera ? TDruhPrvku::Cara
                                                                          : TDruhPrvku::Mezera;
    }
    void Pridej(TDruhPrvku druh, int trida) {
        prvky_.push_back({druh, static_cast<std::uint8_t>(trida)});
    }

    std::vector<TPrvekKodu> prvky_;
};

int Cislice(char c) {
    return c - '0';
}

// Digits-only preparation: spaces and control characters trimmed at both ends, every other
// non-digit becomes '0'.
std::string PripravCislice(const QString& hodnota) {
    qsizetype od = 0;
    qsizetype po = hodnota.size();
    while (od < po && hodnota[od].unicode() <= u' ')
        ++od;
    while (po > od && hodnota[po - 1].unicode() <= u' ')
        --po;
    std::string vysledek;
    vysledek.reserve(static_cast<size_t>(po - od));
    for (qsizetype i = od; i < po; ++i) {
        const char16_t c = hodnota[i].unicode();
        vysledek.push_back(c >= u'0' && c <= u'9' ? static_cast<char>(c) : '0');
    }
    return vysledek;
}

// Sum of digits with weights alternating from the rightmost digit (first weight `prvni`).
int VazenySoucet(std::string_view cislice, int prvni, int druha) {
    int soucet = 0;
    bool liche = true;
    for (auto it = cislice.rbegin(); it != cislice.rend(); ++it, liche = !liche)
        soucet += Cislice(*it) * (liche ? prvni : druha);
    return soucet;
}

// EAN/UPC check digit: weights 3 and 1 from the rightmost, 10 - sum mod 10 (0 for 10).
int KontrolaEan(std::string_view cislice) {
    return (10 - VazenySoucet(cislice, 3, 1) % 10) % 10;
}

// Fits a value to n digits with the last one in the place of the check digit: zeros on the
// left up to n - 1 digits, a '0' appended, a longer value keeps its last n digits.
std::string UpravNaDelku(std::string cislice, size_t n) {
    if (cislice.size() < n) {
        if (cislice.size() < n - 1)
            cislice.insert(0, n - 1 - cislice.size(), '0');
        cislice.push_back('0');
    }
    return cislice.substr(cislice.size() - n);
}

// Add-ons have no check-digit place: zeros on the left up to n digits, the last n kept.
std::string UpravDoplnek(std::string cislice, size_t n) {
    if (cislice.size() < n)
        cislice.insert(0, n - cislice.size(), '0');
    return cislice.substr(cislice.size() - n);
}

QString ZAscii(std::string_view s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

void EanCislice(TStavitel& s, std::string_view cislice, std::string_view sady) {
    for (size_t i = 0; i < cislice.size(); ++i) {
        const int d = Cislice(cislice[i]);
        s.Moduly(sady[i] == 'A' ? t::kEanA[d] : sady[i] == 'B' ? t::kEanB[d] : t::kEanC[d]);
    }
}

// --- 2 of 5 ---------------------------------------------------------------------------

void Kod2z5Prokladany(TZakodovanyKod& k, std::string cislice) {
    // An odd count gets a leading zero, so that the last digit is drawn too.
    if (cislice.size() % 2 != 0)
        cislice.insert(0, 1, '0');
    TStavitel s;
    s.UzkeSiroke("0000");
    for (size_t i = 0; i < cislice.size(); i += 2) {
        const auto cary = t::k2z5[Cislice(cislice[i])];
        const auto mezery = t::k2z5[Cislice(cislice[i + 1])];
        for (size_t j = 0; j < 5; ++j) {
            s.UzkeSiroke(cary.substr(j, 1));
            s.UzkeSiroke(mezery.substr(j, 1));
        }
    }
    s.UzkeSiroke("100");
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(cislice);
}

void Kod2z5Prumyslovy(TZakodovanyKod& k, const std::string& cislice) {
    TStavitel s;
    s.UzkeSiroke("101000");
    for (char c : cislice)
        for (char e : t::k2z5[Cislice(c)]) {
            s.Cara(e == '1' ? 2 : 1);
            s.Mezera(1);
        }
    s.UzkeSiroke("100010");
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(cislice);
}

void Kod2z5Maticovy(TZakodovanyKod& k, const std::string& cislice) {
    TStavitel s;
    s.Cara(3);
    s.UzkeSiroke("00000");
    for (char c : cislice) {
        s.UzkeSiroke(t::k2z5[Cislice(c)]);
        s.Mezera(1);
    }
    s.Cara(3);
    s.UzkeSiroke("0000");
    k.prvky = std::move(s).Vysledek();
    k.pomer = 2.25;
    k.text = k.data = ZAscii(cislice);
}

// --- Code 39 --------------------------------------------------------------------------

int HodnotaCode39(QChar c) {
    const auto pozice = t::kZnakyCode39.find(c.unicode() < 128 ? char(c.unicode()) : '\0');
    return pozice == std::string_view::npos ? -1 : int(pozice);
}

// Encodes the characters of `data` that belong to the set and returns them: the text of a
// plain Code 39 symbol. The check character is not part of that text.
QString Code39(TZakodovanyKod& k, const QString& data, bool kontrolniSoucet) {
    std::vector<int> hodnoty;
    QString znaky;
    for (QChar c : data) {
        const int h = HodnotaCode39(c);
        if (h < 0)
            continue; // outside the set: left out
        hodnoty.push_back(h);
        znaky += c;
    }
    k.data = znaky;
    if (hodnoty.empty())
        return znaky;
    if (kontrolniSoucet) {
        int soucet = 0;
        for (int h : hodnoty)
            soucet += h;
        hodnoty.push_back(soucet % 43);
        k.kontrola.push_back(soucet % 43);
    }
    TStavitel s;
    s.UzkeSiroke(t::kCode39Hvezdicka);
    s.Mezera(1);
    for (int h : hodnoty) {
        s.UzkeSiroke(t::kCode39[size_t(h)]);
        s.Mezera(1);
    }
    s.UzkeSiroke(t::kCode39Hvezdicka);
    k.prvky = std::move(s).Vysledek();
    return znaky;
}

// --- Code 128 -------------------------------------------------------------------------

void Code128(TZakodovanyKod& k, int start, const std::vector<int>& hodnoty) {
    int soucet = start;
    for (size_t i = 0; i < hodnoty.size(); ++i)
        soucet += int(i + 1) * hodnoty[i];
    const int kontrola = soucet % 103;
    k.kontrola.push_back(kontrola);
    TStavitel s;
    s.Moduly(t::kCode128[size_t(start)]);
    for (int h : hodnoty)
        s.Moduly(t::kCode128[size_t(h)]);
    s.Moduly(t::kCode128[size_t(kontrola)]);
    s.Moduly(t::kCode128[t::kCode128Stop]);
    k.prvky = std::move(s).Vysledek();
}

void Code128AB(TZakodovanyKod& k, const QString& hodnota, bool sadaA) {
    // Set A holds ASCII 0-95 only (control characters, digits, upper case); lower case would
    // need a shift or a change to set B, which a one-set symbol does not have. So the value is
    // upper-cased first and "abc" reads ABC. Any other character outside the set takes the
    // value of the space, and the text shows that space, as a scanner reads it.
    const QString vstup = sadaA ? hodnota.toUpper() : hodnota;
    std::vector<int> hodnoty;
    QString znaky;
    for (QChar c : vstup) {
        const int u = c.unicode();
        int h = 0;
        if (sadaA && u < 32)
            h = u + 64;
        else if (u >= 32 && u < (sadaA ? 96 : 128))
            h = u - 32;
        hodnoty.push_back(h);
        znaky += h == 0 ? QChar(u' ') : c;
    }
    k.text = k.data = znaky;
    if (!hodnoty.empty())
        Code128(k, sadaA ? t::kCode128StartA : t::kCode128StartB, hodnoty);
}

void Code128C(TZakodovanyKod& k, std::string cislice) {
    if (cislice.empty())
        return;
    if (cislice.size() % 2 != 0)
        cislice.insert(0, 1, '0');
    std::vector<int> hodnoty;
    for (size_t i = 0; i < cislice.size(); i += 2)
        hodnoty.push_back(Cislice(cislice[i]) * 10 + Cislice(cislice[i + 1]));
    k.text = k.data = ZAscii(cislice);
    Code128(k, t::kCode128StartC, hodnoty);
}

// --- Code 93 --------------------------------------------------------------------------

int HodnotaCode93(char16_t c) {
    const auto pozice = t::kZnakyCode93.find(c < 128 ? char(c) : '\0');
    return pozice == std::string_view::npos ? -1 : int(pozice);
}

QString NazevHodnotyCode93(int h) {
    switch (h) {
    case t::kCode93ShiftDolar:
        return QStringLiteral("($)");
    case t::kCode93ShiftProcento:
        return QStringLiteral("(%)");
    case t::kCode93ShiftLomitko:
        return QStringLiteral("(/)");
    case t::kCode93ShiftPlus:
        return QStringLiteral("(+)");
    default:
        return QString(QChar(t::kZnakyCode93[size_t(h)]));
    }
}

int ShiftCode93(char c) {
    switch (c) {
    case '$':
        return t::kCode93ShiftDolar;
    case '%':
        return t::kCode93ShiftProcento;
    case '/':
        return t::kCode93ShiftLomitko;
    default:
        return t::kCode93ShiftPlus;
    }
}

// C weighs 1-20 from the right, K 1-15 over the data and C; both modulo 47.
int KontrolaCode93(const std::vector<int>& hodnoty, int maxVaha) {
    int soucet = 0;
    int vaha = 1;
    for (auto it = hodnoty.rbegin(); it != hodnoty.rend(); ++it) {
        soucet += *it * vaha;
        vaha = vaha == maxVaha ? 1 : vaha + 1;
    }
    return soucet % 47;
}

void Code93(TZakodovanyKod& k, const QString& hodnota, bool plneAscii) {
    std::vector<int> hodnoty;
    QString znaky;
    for (QChar qc : hodnota) {
        const char16_t c = qc.unicode();
        const int h = HodnotaCode93(c);
        if (h >= 0) {
            hodnoty.push_back(h);
            znaky += qc;
        } else if (plneAscii && c < 128) {
            // Two characters: a shift character and a character of the set.
            const auto dvojice = t::kPlneAscii[c];
            hodnoty.push_back(ShiftCode93(dvojice[0]));
            hodnoty.push_back(HodnotaCode93(char16_t(dvojice[1])));
            znaky += qc;
        }
        // Anything else is outside the set and left out, as Code 39 does.
    }
    k.text = plneAscii ? hodnota : znaky;
    for (int h : hodnoty)
        k.data += NazevHodnotyCode93(h);
    if (hodnoty.empty())
        return;
    const int c = KontrolaCode93(hodnoty, 20);
    hodnoty.push_back(c);
    const int kk = KontrolaCode93(hodnoty, 15);
    hodnoty.push_back(kk);
    k.kontrola = {c, kk};
    TStavitel s;
    s.Moduly(t::kCode93Start);
    for (int h : hodnoty)
        s.Moduly(t::kCode93[size_t(h)]);
    s.Moduly(t::kCode93Stop);
    k.prvky = std::move(s).Vysledek();
}

// --- MSI, PostNet, Codabar ------------------------------------------------------------

// Modulo 10 of MSI: the digits at odd places from the right form a number that is doubled;
// the digit sum of the product plus the other digits. Doubling the number digit by digit
// (2d, minus 9 when two digits) gives the same digit sum, since each carry removes 9.
int KontrolaMsi(std::string_view cislice) {
    int soucet = 0;
    bool zdvojit = true;
    for (auto it = cislice.rbegin(); it != cislice.rend(); ++it, zdvojit = !zdvojit) {
        int d = Cislice(*it);
        if (zdvojit) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        soucet += d;
    }
    return (10 - soucet % 10) % 10;
}

void Msi(TZakodovanyKod& k, std::string cislice) {
    if (cislice.empty())
        return;
    const int kontrola = KontrolaMsi(cislice);
    k.kontrola.push_back(kontrola);
    cislice.push_back(char('0' + kontrola));
    TStavitel s;
    s.UzkeSiroke("10");
    for (char c : cislice)
        for (int bit = 3; bit >= 0; --bit)
            s.UzkeSiroke((Cislice(c) >> bit) & 1 ? "10" : "01");
    s.UzkeSiroke("010");
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(cislice);
}

void PostNet(TZakodovanyKod& k, const std::string& cislice) {
    TStavitel s;
    s.Cara(1);
    s.Mezera(2);
    for (char c : cislice)
        for (char e : t::kPostNet[Cislice(c)]) {
            if (e == '1')
                s.Cara(1);
            else
                s.KratkaCara(1);
            s.Mezera(2);
        }
    s.Cara(1);
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(cislice);
}

int HodnotaCodabar(char16_t c) {
    const auto pozice = t::kZnakyCodabar.find(c < 128 ? char(c) : '\0');
    return pozice == std::string_view::npos ? -1 : int(pozice);
}

void Codabar(TZakodovanyKod& k, const QString& hodnota) {
    std::vector<int> hodnoty;
    QString znaky;
    for (QChar c : hodnota) {
        const int h = HodnotaCodabar(c.unicode());
        if (h < 0)
            continue; // no pattern: left out, as Code 39 does
        hodnoty.push_back(h);
        znaky += c;
    }
    k.text = k.data = znaky;
    if (hodnoty.empty())
        return;
    const int startA = HodnotaCodabar(u'A');
    const int stopB = HodnotaCodabar(u'B');
    TStavitel s;
    s.UzkeSiroke(t::kCodabar[size_t(startA)]);
    for (int h : hodnoty) {
        s.Mezera(1);
        s.UzkeSiroke(t::kCodabar[size_t(h)]);
    }
    s.Mezera(1);
    s.UzkeSiroke(t::kCodabar[size_t(stopB)]);
    k.prvky = std::move(s).Vysledek();
}

// --- EAN, UPC and the add-ons ---------------------------------------------------------

// EAN 8, EAN 13 and UPC-A: with the check flag the last digit becomes the computed one,
// without it the fitted value is encoded as it stands.
void Ean(TZakodovanyKod& k, int symbologie, const std::string& vstup, bool kontrolniSoucet) {
    const size_t n = symbologie == syEan8 ? 8 : symbologie == syEan13 ? 13 : 12;
    std::string c = UpravNaDelku(vstup, n);
    const int kontrola = KontrolaEan(std::string_view(c).substr(0, n - 1));
    if (kontrolniSoucet) {
        c.back() = char('0' + kontrola);
        k.kontrola.push_back(kontrola);
    }
    TStavitel s;
    s.Moduly("111");
    if (n == 13) {
        const std::string_view cv(c);
        EanCislice(s, cv.substr(1, 6), t::kParitaEan13[size_t(Cislice(c[0]))]);
        s.Moduly("11111");
        EanCislice(s, cv.substr(7, 6), "CCCCCC");
    } else {
        const size_t pul = n / 2;
        const std::string_view cv(c);
        EanCislice(s, cv.substr(0, pul), "AAAAAA");
        s.Moduly("11111");
        EanCislice(s, cv.substr(pul, pul), "CCCCCC");
    }
    s.Moduly("111");
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(c);
}

// The UPC-A number a zero-suppressed UPC-E number stands for.
std::string RozvinUpcE(char soustava, std::string_view d) {
    std::string a(1, soustava);
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        a += std::string(d.substr(0, 2)) + d[5] + "0000" + std::string(d.substr(2, 3));
        break;
    case '3':
        a += std::string(d.substr(0, 3)) + "00000" + std::string(d.substr(3, 2));
        break;
    case '4':
        a += std::string(d.substr(0, 4)) + "00000" + d[4];
        break;
    default:
        a += std::string(d.substr(0, 5)) + "0000" + d[5];
        break;
    }
    return a;
}

// UPC-E: the check digit is the one of the UPC-A number the symbol expands to, as scanners
// verify it. It is carried only by the parity of the six digits, so the symbol always holds
// the computed digit, and the text shows that digit whatever the check flag says.
void UpcE(TZakodovanyKod& k, bool soustava1, const std::string& vstup) {
    std::string c = UpravNaDelku(vstup, 7);
    const std::string_view sest = std::string_view(c).substr(0, 6);
    const int kontrola = KontrolaEan(RozvinUpcE(soustava1 ? '1' : '0', sest));
    c.back() = char('0' + kontrola);
    k.kontrola.push_back(kontrola);
    std::string sady(t::kParitaUpcE0[size_t(kontrola)]);
    if (soustava1)
        for (char& x : sady)
            x = x == 'A' ? 'B' : 'A';
    TStavitel s;
    s.Moduly("111");
    EanCislice(s, sest, sady);
    s.Moduly("111111");
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(c);
}

void Doplnek(TZakodovanyKod& k, size_t n, const std::string& vstup, bool kontrolniSoucet) {
    const std::string c = UpravDoplnek(vstup, n);
    // Weights 3 and 9 from the rightmost, sum modulo 10. Five digits: chooses the parity;
    // two digits: shown in the text only (the value modulo 4 chooses the parity).
    const int kontrola = VazenySoucet(c, 3, 9) % 10;
    const std::string_view sady =
        n == 5 ? t::kParitaSupp5[size_t(kontrola)] : t::kParitaSupp2[size_t(std::stoi(c) % 4)];
    TStavitel s;
    s.Moduly("112");
    for (size_t i = 0; i < n; ++i) {
        if (i > 0)
            s.Moduly("11");
        EanCislice(s, std::string_view(c).substr(i, 1), sady.substr(i, 1));
    }
    k.prvky = std::move(s).Vysledek();
    k.text = k.data = ZAscii(c);
    if (kontrolniSoucet) {
        k.kontrola.push_back(kontrola);
        k.text += QChar(u'0' + kontrola);
    }
}

} // namespace

int PlatnaSymbologie(int index) {
    return index >= 0 && index < kPocetSymbologii ? index : syEan13;
}

QString NazevSymbologie(int index) {
    return QString::fromLatin1(kNazvy[size_t(PlatnaSymbologie(index))]);
}

QStringList NazvySymbologii() {
    QStringList nazvy;
    for (const char* n : kNazvy)
        nazvy << QString::fromLatin1(n);
    return nazvy;
}

bool JenCislice(int index) {
    switch (PlatnaSymbologie(index)) {
    case sy2z5Prokladany:
    case sy2z5Prumyslovy:
    case sy2z5Maticovy:
    case syCode128C:
    case syMsi:
    case syPostNet:
    case syEan8:
    case syEan13:
    case syUpcA:
    case syUpcE0:
    case syUpcE1:
    case syUpcSupp2:
    case syUpcSupp5:
        return true;
    default:
        return false;
    }
}

std::array<int, 4> SirkyTrid(int modul, double pomer) {
    // nearbyint rounds half to even in the default rounding mode.
    const int w2 = static_cast<int>(std::nearbyint(modul * pomer));
    return {modul, w2, w2 * 3 / 2, 2 * w2};
}

int TZakodovanyKod::Sirka(int modul) const {
    const auto w = Sirky(modul);
    int sirka = 0;
    for (const auto& p : prvky)
        sirka += w[size_t(p.trida - 1)];
    return sirka;
}

TZakodovanyKod Zakoduj(int symbologie, const QString& hodnota, bool kontrolniSoucet) {
    const int sy = PlatnaSymbologie(symbologie);
    TZakodovanyKod k;
    if (JenCislice(sy)) {
        const std::string cislice = PripravCislice(hodnota);
        if (cislice.empty())
            return k; // an empty value draws no bars
        switch (sy) {
        case sy2z5Prokladany:
            Kod2z5Prokladany(k, cislice);
            break;
        case sy2z5Prumyslovy:
            Kod2z5Prumyslovy(k, cislice);
            break;
        case sy2z5Maticovy:
            Kod2z5Maticovy(k, cislice);
            break;
        case syCode128C:
            Code128C(k, cislice);
            break;
        case syMsi:
            Msi(k, cislice);
            break;
        case syPostNet:
            PostNet(k, cislice);
            break;
        case syUpcE0:
        case syUpcE1:
            UpcE(k, sy == syUpcE1, cislice);
            break;
        case syUpcSupp2:
            Doplnek(k, 2, cislice, kontrolniSoucet);
            break;
        case syUpcSupp5:
            Doplnek(k, 5, cislice, kontrolniSoucet);
            break;
        default:
            Ean(k, sy, cislice, kontrolniSoucet);
            break;
        }
        return k;
    }
    switch (sy) {
    case syCode39:
        k.text = Code39(k, hodnota, kontrolniSoucet);
        break;
    case syCode39Full: {
        QString plne;
        for (QChar c : hodnota)
            if (c.unicode() < 128) // from 128 up: left out
                plne += ZAscii(t::kPlneAscii[c.unicode()]);
        Code39(k, plne, kontrolniSoucet);
        k.text = hodnota;
        break;
    }
    case syCode128A:
    case syCode128B:
        Code128AB(k, hodnota, sy == syCode128A);
        break;
    case syCode93:
    case syCode93Full:
        Code93(k, hodnota, sy == syCode93Full);
        break;
    default:
        Codabar(k, hodnota);
        break;
    }
    return k;
}

} // namespace arvelo::report::barcode
