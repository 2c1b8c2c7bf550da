#include "report/expr/evaluator.h"

#include "report/expr/eval_context.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"
#include "report/expr/user_functions.h"
#include "report/expr/win1250.h"

#include <QDateTime>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace arvelo::report {

namespace {

constexpr std::array<TVestavenaFunkce, 40> kFunkce = {{
    {1, "ABS", 1, "ABS()", "Matematické"},
    {2, "INT", 1, "INT()", "Matematické"},
    {3, "SGN", 1, "SGN()", "Matematické"},
    {4, "MAX", 2, "MAX(,)", "Matematické"},
    {5, "MIN", 2, "MIN(,)", "Matematické"},
    {6, "IIF", 3, "IIF(,,)", "Logické a ostatní"},
    {7, "LEFT", 2, "LEFT(,)", "Textové"},
    {8, "RIGHT", 2, "RIGHT(,)", "Textové"},
    {9, "SUBSTR", 3, "SUBSTR(,,)", "Textové"},
    {10, "UPPER", 1, "UPPER()", "Textové"},
    {11, "LOWER", 1, "LOWER()", "Textové"},
    {12, "LTRIM", 1, "LTRIM()", "Textové"},
    {13, "RTRIM", 1, "RTRIM()", "Textové"},
    {14, "ALLTRIM", 1, "ALLTRIM()", "Textové"},
    {15, "FORMAT", 2, "FORMAT(,)", "Textové"},
    {16, "SIN", 1, "SIN()", "Matematické"},
    {17, "COS", 1, "COS()", "Matematické"},
    {18, "TAN", 1, "TAN()", "Matematické"},
    {19, "COTG", 1, "COTG()", "Matematické"},
    {20, "EXP", 1, "EXP()", "Matematické"},
    {21, "LOG", 1, "LOG()", "Matematické"},
    {22, "ASIN", 1, "ASIN()", "Matematické"},
    {23, "ACOS", 1, "ACOS()", "Matematické"},
    {24, "ATAN", 1, "ATAN()", "Matematické"},
    {25, "ACOTG", 1, "ACOTG()", "Matematické"},
    {26, "CHR", 1, "CHR()", "Textové"},
    {27, "ORD", 1, "ORD()", "Textové"},
    {28, "LENGTH", 1, "LENGTH()", "Textové"},
    {29, "POS", 2, "POS(,)", "Textové"},
    {30, "ISNULL", 1, "ISNULL()", "Logické a ostatní"},
    {31, "YEAR", 1, "YEAR()", "Datumové a časové"},
    {32, "MONTH", 1, "MONTH()", "Datumové a časové"},
    {33, "DAY", 1, "DAY()", "Datumové a časové"},
    {34, "HOUR", 1, "HOUR()", "Datumové a časové"},
    {35, "MINUTE", 1, "MINUTE()", "Datumové a časové"},
    {36, "SECUNDE", 1, "SECUNDE()", "Datumové a časové"},
    {37, "FORMATDT", 2, "FORMATDT(,)", "Datumové a časové"},
    {38, "STRTONUM", 1, "STRTONUM()", "Textové"},
    {39, "NUMTOSTR", 1, "NUMTOSTR()", "Textové"},
    {40, "ROUND", 1, "ROUND()", "Matematické"},
}};

// CHR and ORD count in the code page the templates were written for.
constexpr const auto& kWin1250 = kWindows1250HorniPulka;

QChar ZnakKodu(int kod) {
    return kod < 128 ? QChar(char16_t(kod)) : QChar(kWin1250[size_t(kod - 128)]);
}

// The code of a character in that code page; a character outside it keeps its
// Unicode value.
int KodZnaku(QChar znak) {
    if (znak.unicode() < 128)
        return znak.unicode();
    for (size_t i = 0; i < kWin1250.size(); ++i)
        if (kWin1250[i] == znak.unicode())
            return int(128 + i);
    return znak.unicode();
}

// A whole number from a double: halves to even, clamped into int.
double ZaokrouhliSude(double x) {
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

int NaInt(double x) {
    if (std::isnan(x))
        return 0;
    const double r = ZaokrouhliSude(x);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

// Trimming takes spaces and control characters, as the templates were written for.
bool JeMezera(QChar c) {
    return c.unicode() <= 32;
}

enum class TOp {
    Rovno,
    Mensi,
    Vetsi,
    Ruzne,
    MensiRovno,
    VetsiRovno,
    In, // strength 1
    Plus,
    Minus,
    Or, // 2
    Krat,
    Deleno,
    And,     // 3
    Mocnina, // 4
    Zaporne,
    Not // 5
};

int Sila(TOp op) {
    switch (op) {
    case TOp::Rovno:
    case TOp::Mensi:
    case TOp::Vetsi:
    case TOp::Ruzne:
    case TOp::MensiRovno:
    case TOp::VetsiRovno:
    case TOp::In:
        return 1;
    case TOp::Plus:
    case TOp::Minus:
    case TOp::Or:
        return 2;
    case TOp::Krat:
    case TOp::Deleno:
    case TOp::And:
        return 3;
    case TOp::Mocnina:
        return 4;
    case TOp::Zaporne:
    case TOp::Not:
        return 5;
    }
    return 0;
}

bool Unarni(TOp op) {
    return op == TOp::Zaporne || op == TOp::Not;
}

// One entry of the operator stack.
struct TPolozkaOp {
    enum Typ { Operator, Funkce, Skupina } Typ;
    TOp Op = TOp::Plus;
    int KodFunkce = 0;      // Funkce, Skupina (0 for a plain group)
    int PocetArgumentu = 1; // Skupina: arguments the call takes
    int Carek = 0;          // Skupina: separators read
    int Pozice = 0;
};

// What the last token was, which decides what may follow.
enum class TPredchozi { Zacatek, Operand, Operator, Zavorka, Carka, Funkce };

struct TChyba {
    int Kod;
    int Pozice;
};

class TVyhodnoceni {
public:
    TVyhodnoceni(const QString& vyraz, const TKontextVypoctu* kontext)
        : m_v(vyraz), m_n(int(vyraz.size())), m_kontext(kontext),
          m_locale(kontext ? kontext->Locale() : QLocale()) {}

    TVysledekVyrazu Spustit();

private:
    const QString& m_v;
    const int m_n;
    const TKontextVypoctu* m_kontext;
    const QLocale m_locale;
    std::vector<TCalcType> m_hodnoty;
    std::vector<TPolozkaOp> m_operatory;
    TPredchozi m_predchozi = TPredchozi::Zacatek;

    [[noreturn]] static void Chyba(int kod, int pozice) { throw TChyba{kod, pozice}; }

    TCalcType CisloHodnota(double x, bool null) const;
    TCalcType TextHodnota(const QString& text, double cislo, bool null) const;
    static void Zkontroluj(double x, int pozice);

    void VlozHodnotu(TCalcType h, int pozice);
    void VlozOperator(const TPolozkaOp& op);
    void Operand(TCalcType h, int pozice);
    void BinarniOperator(TOp op, int pozice);
    void Aplikuj(const TPolozkaOp& op);
    void AplikujDo(int sila);
    void VolatFunkci(int kod, std::vector<TCalcType>& a, int pozice);

    TCalcType CtiCislo(int& i);
    TCalcType CtiOdkaz(int& i) const;
    TCalcType Odkaz(QChar prefix, int cislo, const QString& nazev, bool podleNazvu,
                    int pozice) const;
    bool SeznamIn(const TCalcType& vlevo, const QString& seznam) const;
};

TCalcType TVyhodnoceni::CisloHodnota(double x, bool null) const {
    TCalcType h;
    h.Kind = TCalcType::kCislo;
    h.Number = x;
    h.Text = FloatToStr(x, m_locale);
    h.Null = null ? 1 : 0;
    return h;
}

TCalcType TVyhodnoceni::TextHodnota(const QString& text, double cislo, bool null) const {
    TCalcType h;
    h.Kind = TCalcType::kText;
    h.Number = cislo;
    h.Text = text;
    h.Null = null ? 1 : 0;
    return h;
}

// An overflow or an undefined result counts as a domain error.
void TVyhodnoceni::Zkontroluj(double x, int pozice) {
    if (!std::isfinite(x))
        Chyba(kChybaDefinicniObor, pozice);
}

void TVyhodnoceni::VlozHodnotu(TCalcType h, int pozice) {
    if (int(m_hodnoty.size()) >= kMaxZasobnik)
        Chyba(kChybaPlnyZasobnik, pozice);
    m_hodnoty.push_back(std::move(h));
}

void TVyhodnoceni::VlozOperator(const TPolozkaOp& op) {
    if (int(m_operatory.size()) >= kMaxZasobnik)
        Chyba(kChybaPlnyZasobnik, op.Pozice);
    m_operatory.push_back(op);
}

void TVyhodnoceni::Operand(TCalcType h, int pozice) {
    if (m_predchozi == TPredchozi::Operand || m_predchozi == TPredchozi::Funkce)
        Chyba(kChybaNepatricnyToken, pozice);
    VlozHodnotu(std::move(h), pozice);
    m_predchozi = TPredchozi::Operand;
}

void TVyhodnoceni::BinarniOperator(TOp op, int pozice) {
    if (m_predchozi != TPredchozi::Operand)
        Chyba(kChybaNepatricnyToken, pozice);
    AplikujDo(Sila(op));
    VlozOperator({TPolozkaOp::Operator, op, 0, 1, 0, pozice});
    m_predchozi = TPredchozi::Operator;
}

// Applies the stacked operators of the current group whose strength is at least `sila`.
void TVyhodnoceni::AplikujDo(int sila) {
    while (!m_operatory.empty() && m_operatory.back().Typ == TPolozkaOp::Operator &&
           Sila(m_operatory.back().Op) >= sila) {
        const TPolozkaOp op = m_operatory.back();
        m_operatory.pop_back();
        Aplikuj(op);
    }
}

void TVyhodnoceni::Aplikuj(const TPolozkaOp& o) {
    const int p = o.Pozice;
    if (Unarni(o.Op)) {
        if (m_hodnoty.empty())
            Chyba(kChybaNepatricnyToken, p);
        TCalcType& a = m_hodnoty.back();
        const bool null = a.IsNull();
        a = o.Op == TOp::Zaporne ? CisloHodnota(-a.Number, null)
                                 : CisloHodnota(a.IsTrue() ? 0.0 : 1.0, null);
        return;
    }
    if (m_hodnoty.size() < 2)
        Chyba(kChybaNepatricnyToken, p);
    TCalcType b = std::move(m_hodnoty.back());
    m_hodnoty.pop_back();
    TCalcType a = std::move(m_hodnoty.back());
    m_hodnoty.pop_back();
    const bool null = a.IsNull() || b.IsNull();
    const bool texty = a.IsText() && b.IsText();
    auto pravda = [&](bool v) { return CisloHodnota(v ? 1.0 : 0.0, null); };
    TCalcType r;
    switch (o.Op) {
    case TOp::Rovno:
        r = pravda(texty ? a.Text == b.Text : a.Number == b.Number);
        break;
    case TOp::Ruzne:
        r = pravda(texty ? a.Text != b.Text : a.Number != b.Number);
        break;
    case TOp::Mensi:
        r = pravda(a.Number < b.Number);
        break;
    case TOp::Vetsi:
        r = pravda(a.Number > b.Number);
        break;
    case TOp::MensiRovno:
        r = pravda(a.Number <= b.Number);
        break;
    case TOp::VetsiRovno:
        r = pravda(a.Number >= b.Number);
        break;
    case TOp::In:
        r = pravda(SeznamIn(a, b.Text));
        break;
    case TOp::Plus:
        // A sum keeps both texts side by side: 1+2 reads "12" as a text.
        r.Number = a.Number + b.Number;
        Zkontroluj(r.Number, p);
        r.Text = a.Text + b.Text;
        r.Kind = texty ? TCalcType::kText : TCalcType::kCislo;
        r.Null = null ? 1 : 0;
        break;
    case TOp::Minus:
        r = CisloHodnota(a.Number - b.Number, null);
        break;
    case TOp::Krat:
        r = CisloHodnota(a.Number * b.Number, null);
        break;
    case TOp::Deleno:
        if (b.Number == 0.0)
            Chyba(kChybaDefinicniObor, p);
        r = CisloHodnota(a.Number / b.Number, null);
        break;
    case TOp::Mocnina:
        if (!(a.Number > 0.0))
            Chyba(kChybaDefinicniObor, p);
        r = CisloHodnota(std::exp(b.Number * std::log(a.Number)), null);
        break;
    case TOp::And:
        r = pravda(a.IsTrue() && b.IsTrue());
        break;
    case TOp::Or:
        r = pravda(a.IsTrue() || b.IsTrue());
        break;
    case TOp::Zaporne:
    case TOp::Not:
        break;
    }
    Zkontroluj(r.Number, p);
    m_hodnoty.push_back(std::move(r));
}

// The IN list: numbers, 'texts', references or bare text, separated by commas.
// An item that cannot be read (an unknown reference) matches nothing.
bool TVyhodnoceni::SeznamIn(const TCalcType& vlevo, const QString& seznam) const {
    const int n = int(seznam.size());
    int i = 0;
    for (;;) {
        while (i < n && seznam.at(i) == QChar(' '))
            ++i;
        TCalcType polozka;
        bool platna = true;
        const QChar c = i < n ? seznam.at(i) : QChar();
        if (c == QChar('\'')) {
            int konec = seznam.indexOf(QChar('\''), i + 1);
            if (konec < 0)
                konec = n;
            polozka.Text = seznam.mid(i + 1, konec - i - 1);
            polozka.Number = TextNaCislo(polozka.Text, m_locale);
            i = konec + 1;
        } else if (c == QChar('#') || c == QChar('&') || c == QChar('@') || c == QChar('%')) {
            try {
                TVyhodnoceni cteni(seznam, m_kontext);
                int j = i;
                polozka = cteni.CtiOdkaz(j);
                i = j;
            } catch (const TChyba&) {
                platna = false;
                ++i;
            }
        } else {
            int konec = seznam.indexOf(QChar(','), i);
            if (konec < 0)
                konec = n;
            polozka.Text = seznam.mid(i, konec - i).trimmed();
            // A number as an expression writes it, else bare text.
            bool ok = !polozka.Text.isEmpty() && polozka.Text.at(0).isDigit();
            const double x = ok ? QLocale::c().toDouble(polozka.Text, &ok) : 0.0;
            polozka.Number = ok && std::isfinite(x) ? x : 0.0;
            i = konec;
        }
        if (platna && (polozka.Text == vlevo.Text ||
                       (polozka.Number != 0.0 && polozka.Number == vlevo.Number)))
            return true;
        const int carka = i < n ? int(seznam.indexOf(QChar(','), i)) : -1;
        if (carka < 0)
            return false;
        i = carka + 1;
    }
}

TCalcType TVyhodnoceni::CtiCislo(int& i) {
    const int zacatek = i;
    while (i < m_n && m_v.at(i).isDigit() && m_v.at(i).unicode() < 128)
        ++i;
    if (i < m_n && m_v.at(i) == QChar('.')) {
        ++i;
        while (i < m_n && m_v.at(i).isDigit() && m_v.at(i).unicode() < 128)
            ++i;
    }
    if (i < m_n && (m_v.at(i) == QChar('E') || m_v.at(i) == QChar('e'))) {
        ++i;
        if (i < m_n && (m_v.at(i) == QChar('+') || m_v.at(i) == QChar('-')))
            ++i;
        int cislic = 0;
        while (i < m_n && m_v.at(i).isDigit()) {
            if (++cislic > 2)
                Chyba(kChybaSpatneCislo, i);
            ++i;
        }
        if (cislic == 0)
            Chyba(kChybaSpatneCislo, i);
    }
    if (i < m_n && (m_v.at(i).isLetterOrNumber() || m_v.at(i) == QChar('_')))
        Chyba(kChybaSpatneCislo, i);
    const QString text = m_v.mid(zacatek, i - zacatek);
    const QByteArray ascii = text.toLatin1();
    double x = 0.0;
    // The literal is plain ASCII with "." as the decimal point, whatever the locale.
    bool ok = false;
    x = QLocale::c().toDouble(QString::fromLatin1(ascii), &ok);
    if (!ok || !std::isfinite(x))
        Chyba(kChybaSpatneCislo, zacatek);
    TCalcType h;
    h.Kind = TCalcType::kCislo;
    h.Number = x;
    h.Text = text;
    return h;
}

// A reference: a prefix and either 1-3 digits or a name. Names may also carry
// digits and "_" after their first letter ("@Funkce1" is a default function name).
TCalcType TVyhodnoceni::CtiOdkaz(int& i) const {
    const int zacatek = i;
    const QChar prefix = m_v.at(i++);
    if (i < m_n && m_v.at(i).isDigit() && m_v.at(i).unicode() < 128) {
        int cislo = 0;
        for (int k = 0; k < 3 && i < m_n && m_v.at(i).isDigit() && m_v.at(i).unicode() < 128;
             ++k, ++i)
            cislo = cislo * 10 + (m_v.at(i).unicode() - '0');
        return Odkaz(prefix, cislo, {}, false, zacatek);
    }
    if (i < m_n && m_v.at(i).isLetter()) {
        const int z = i;
        while (i < m_n && (m_v.at(i).isLetterOrNumber() || m_v.at(i) == QChar('_')))
            ++i;
        return Odkaz(prefix, 0, m_v.mid(z, i - z), true, zacatek);
    }
    Chyba(kChybaNeznamyNazev, zacatek);
}

TCalcType TVyhodnoceni::Odkaz(QChar prefix, int cislo, const QString& nazev, bool podleNazvu,
                              int pozice) const {
    // Whatever fails while reading gives the unreadable value: 0, "", kind 0, null.
    TCalcType chybna;
    chybna.Null = 1;
    if (podleNazvu && prefix != QChar('#') && prefix != QChar('@'))
        Chyba(kChybaNeznamyNazev, pozice);
    if (!m_kontext) {
        if (podleNazvu)
            Chyba(kChybaNeznamyNazev, pozice);
        return chybna;
    }
    int index = -1;
    try {
        if (prefix == QChar('#')) {
            index = podleNazvu ? m_kontext->FieldIndex(nazev) : cislo - 1;
            if (podleNazvu && index < 0)
                Chyba(kChybaNeznamyNazev, pozice);
            if (index < 0 || index >= m_kontext->FieldCount())
                return chybna;
            TCalcType h;
            h.Kind = std::uint8_t(m_kontext->FieldKind(index));
            h.Number = m_kontext->FieldNumber(index);
            if (!std::isfinite(h.Number))
                h.Number = 0.0;
            h.Text = m_kontext->FieldText(index);
            h.Null = m_kontext->FieldIsNull(index) ? 1 : 0;
            return h;
        }
        if (prefix == QChar('&')) {
            index = cislo - 1;
            if (index < 0 || index >= m_kontext->ParameterCount())
                return chybna;
            const QString radek = m_kontext->Parameter(index);
            return TextHodnota(radek, TextNaCislo(radek, m_locale), false);
        }
        if (prefix == QChar('@')) {
            const TListFunkci* funkce = m_kontext->UserFunctions();
            index = !funkce ? -1 : (podleNazvu ? funkce->Find(nazev) : cislo - 1);
            if (podleNazvu && index < 0)
                Chyba(kChybaNeznamyNazev, pozice);
            const TRadekFunkce* f = funkce ? funkce->Get(index) : nullptr;
            if (!f)
                return chybna;
            TCalcType h = f->Hodnota;
            if (!std::isfinite(h.Number))
                h.Number = 0.0;
            return h;
        }
        // "%": a system variable.
        index = cislo - 1;
        if (index < 0 || index >= m_kontext->SystemValueCount())
            return chybna;
        TCalcType h = m_kontext->SystemValue(index);
        h.Kind = TCalcType::kCislo;
        if (!std::isfinite(h.Number))
            h.Number = 0.0;
        return h;
    } catch (const TChyba&) {
        throw;
    } catch (...) {
        return chybna;
    }
}

void TVyhodnoceni::VolatFunkci(int kod, std::vector<TCalcType>& a, int p) {
    bool null = false;
    for (const TCalcType& h : a)
        null = null || h.IsNull();
    auto cislo = [&](double x) {
        Zkontroluj(x, p);
        return CisloHodnota(x, null);
    };
    auto text = [&](const QString& t, double x) { return TextHodnota(t, x, null); };
    auto textCislem = [&](const QString& t) {
        return TextHodnota(t, TextNaCislo(t, m_locale), null);
    };
    auto datum = [&](double x) {
        QDateTime dt;
        if (!DayNumberToDateTime(x, &dt))
            Chyba(kChybaDefinicniObor, p);
        return dt;
    };
    const double x = a[0].Number;
    const QString& t = a[0].Text;
    TCalcType r;
    switch (kod) {
    case 1:
        r = cislo(std::fabs(x));
        break;
    case 2:
        r = cislo(std::trunc(x));
        break;
    case 3:
        r = cislo(x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0));
        break;
    case 4:
        r = cislo(std::max(x, a[1].Number));
        break;
    case 5:
        r = cislo(std::min(x, a[1].Number));
        break;
    case 6: {
        const TCalcType& v = a[0].IsTrue() ? a[1] : a[2];
        r = a[1].IsText() && a[2].IsText() ? text(v.Text, v.Number) : cislo(v.Number);
        if (!r.IsText())
            r.Text = v.Text;
        break;
    }
    case 7:
        r = textCislem(t.left(std::max(0, NaInt(a[1].Number))));
        break;
    case 8:
        r = textCislem(t.right(std::max(0, NaInt(a[1].Number))));
        break;
    case 9: {
        const int od = std::max(1, NaInt(a[1].Number));
        const int pocet = NaInt(a[2].Number);
        r = textCislem(pocet <= 0 || od > t.size() ? QString() : t.mid(od - 1, pocet));
        break;
    }
    case 10:
        r = text(m_locale.toUpper(t), x);
        break;
    case 11:
        r = text(m_locale.toLower(t), x);
        break;
    case 12: {
        int i = 0;
        while (i < t.size() && JeMezera(t.at(i)))
            ++i;
        r = textCislem(t.mid(i));
        break;
    }
    case 13: {
        int i = int(t.size());
        while (i > 0 && JeMezera(t.at(i - 1)))
            --i;
        r = textCislem(t.left(i));
        break;
    }
    case 14: {
        int i = 0;
        int j = int(t.size());
        while (i < j && JeMezera(t.at(i)))
            ++i;
        while (j > i && JeMezera(t.at(j - 1)))
            --j;
        r = textCislem(t.mid(i, j - i));
        break;
    }
    case 15:
        r = text(FormatFloat(a[1].Text, x, m_locale), x);
        break;
    case 16:
        r = cislo(std::sin(x));
        break;
    case 17:
        r = cislo(std::cos(x));
        break;
    case 18:
        if (std::cos(x) == 0.0)
            Chyba(kChybaDefinicniObor, p);
        r = cislo(std::sin(x) / std::cos(x));
        break;
    case 19:
        if (std::sin(x) == 0.0)
            Chyba(kChybaDefinicniObor, p);
        r = cislo(std::cos(x) / std::sin(x));
        break;
    case 20:
        r = cislo(std::exp(x));
        break;
    case 21:
        if (!(x > 0))
            Chyba(kChybaDefinicniObor, p);
        r = cislo(std::log(x));
        break;
    case 22:
    case 23:
        if (x < -1.0 || x > 1.0)
            Chyba(kChybaDefinicniObor, p);
        r = cislo(kod == 22 ? std::asin(x) : std::acos(x));
        break;
    case 24:
        r = cislo(std::atan(x));
        break;
    case 25:
        r = cislo(std::numbers::pi / 2 - std::atan(x));
        break;
    case 26: {
        const int k = NaInt(x);
        r = textCislem(k > 0 && k < 256 ? QString(ZnakKodu(k)) : QString());
        break;
    }
    case 27:
        r = cislo(t.isEmpty() ? 0.0 : double(KodZnaku(t.at(0))));
        break;
    case 28:
        r = cislo(double(t.size()));
        r.Text.clear();
        break;
    case 29: {
        const int i = t.isEmpty() ? -1 : int(a[1].Text.indexOf(t.at(0)));
        r = cislo(double(i + 1));
        break;
    }
    case 30:
        r = CisloHodnota(a[0].IsNull() ? 1.0 : 0.0, false);
        r.Text.clear();
        break;
    case 31:
        r = cislo(datum(x).date().year());
        break;
    case 32:
        r = cislo(datum(x).date().month());
        break;
    case 33:
        r = cislo(datum(x).date().day());
        break;
    case 34:
        r = cislo(datum(x).time().hour());
        break;
    case 35:
        r = cislo(datum(x).time().minute());
        break;
    case 36:
        r = cislo(datum(x).time().second());
        break;
    case 37: {
        QString s;
        if (!FormatDateTime(a[1].Text, x, m_locale, &s))
            Chyba(kChybaDefinicniObor, p);
        r = text(s, x);
        break;
    }
    case 38:
        r = cislo(TextNaCislo(t, m_locale));
        r.Text = t;
        break;
    case 39:
        r = text(FloatToStr(x, m_locale), x);
        break;
    case 40:
        r = cislo(ZaokrouhliSude(x));
        break;
    default:
        Chyba(kChybaNeznamyNazev, p);
    }
    VlozHodnotu(std::move(r), p);
}

TVysledekVyrazu TVyhodnoceni::Spustit() {
    TVysledekVyrazu vysledek;
    try {
        int i = 0;
        while (i < m_n) {
            const QChar c = m_v.at(i);
            const int zacatek = i;
            if (c == QChar(' ')) {
                ++i;
            } else if (c.isDigit() && c.unicode() < 128) {
                TCalcType h = CtiCislo(i);
                Operand(std::move(h), zacatek);
            } else if (c == QChar('\'')) {
                const int konec = m_v.indexOf(QChar('\''), i + 1);
                if (konec < 0)
                    Chyba(kChybaNeukoncenyText, zacatek);
                const QString text = m_v.mid(i + 1, konec - i - 1);
                i = konec + 1;
                Operand(TextHodnota(text, TextNaCislo(text, m_locale), false), zacatek);
            } else if (c == QChar('[')) {
                const int konec = m_v.indexOf(QChar(']'), i + 1);
                if (konec < 0)
                    Chyba(kChybaNeukoncenaZavorka, zacatek);
                TCalcType h;
                h.Kind = TCalcType::kZavorka;
                h.Text = m_v.mid(i + 1, konec - i - 1);
                i = konec + 1;
                Operand(std::move(h), zacatek);
            } else if (c == QChar('#') || c == QChar('&') || c == QChar('@') || c == QChar('%')) {
                if (m_predchozi == TPredchozi::Operand || m_predchozi == TPredchozi::Funkce)
                    Chyba(kChybaNepatricnyToken, zacatek);
                TCalcType h = CtiOdkaz(i);
                Operand(std::move(h), zacatek);
            } else if (c.isLetter()) {
                while (i < m_n && (m_v.at(i).isLetter() || m_v.at(i) == QChar('#') ||
                                   m_v.at(i) == QChar('%') || m_v.at(i) == QChar('&') ||
                                   m_v.at(i) == QChar('@')))
                    ++i;
                const QString nazev = m_v.mid(zacatek, i - zacatek).toUpper();
                if (nazev == QLatin1String("NOT")) {
                    if (m_predchozi == TPredchozi::Operand || m_predchozi == TPredchozi::Funkce)
                        Chyba(kChybaNepatricnyToken, zacatek);
                    VlozOperator({TPolozkaOp::Operator, TOp::Not, 0, 1, 0, zacatek});
                    m_predchozi = TPredchozi::Operator;
                } else if (nazev == QLatin1String("AND")) {
                    BinarniOperator(TOp::And, zacatek);
                } else if (nazev == QLatin1String("OR")) {
                    BinarniOperator(TOp::Or, zacatek);
                } else if (nazev == QLatin1String("IN")) {
                    BinarniOperator(TOp::In, zacatek);
                } else {
                    const int kod = KodVestaveneFunkce(nazev);
                    if (kod == 0)
                        Chyba(kChybaNeznamyNazev, zacatek);
                    if (m_predchozi == TPredchozi::Operand || m_predchozi == TPredchozi::Funkce)
                        Chyba(kChybaNepatricnyToken, zacatek);
                    VlozOperator({TPolozkaOp::Funkce, TOp::Plus, kod, 1, 0, zacatek});
                    m_predchozi = TPredchozi::Funkce;
                }
            } else if (c == QChar('(')) {
                ++i;
                if (m_predchozi == TPredchozi::Operand)
                    Chyba(kChybaNepatricnyToken, zacatek);
                TPolozkaOp skupina{TPolozkaOp::Skupina, TOp::Plus, 0, 1, 0, zacatek};
                if (m_predchozi == TPredchozi::Funkce) {
                    skupina.KodFunkce = m_operatory.back().KodFunkce;
                    skupina.PocetArgumentu = kFunkce[size_t(skupina.KodFunkce - 1)].PocetArgumentu;
                }
                VlozOperator(skupina);
                m_predchozi = TPredchozi::Zavorka;
            } else if (c == QChar(',')) {
                ++i;
                AplikujDo(0);
                if (m_operatory.empty() || m_operatory.back().Typ != TPolozkaOp::Skupina)
                    Chyba(kChybaCarka, zacatek);
                if (m_predchozi != TPredchozi::Operand)
                    Chyba(kChybaNepatricnyToken, zacatek);
                TPolozkaOp& skupina = m_operatory.back();
                if (skupina.KodFunkce == 0 || skupina.Carek + 1 >= skupina.PocetArgumentu)
                    Chyba(kChybaCarka, zacatek);
                ++skupina.Carek;
                m_predchozi = TPredchozi::Carka;
            } else if (c == QChar(')')) {
                ++i;
                if (m_predchozi == TPredchozi::Operator || m_predchozi == TPredchozi::Carka ||
                    m_predchozi == TPredchozi::Funkce)
                    Chyba(kChybaNepatricnyToken, zacatek);
                AplikujDo(0);
                if (m_operatory.empty() || m_operatory.back().Typ != TPolozkaOp::Skupina)
                    Chyba(kChybaZavorkaNavic, zacatek);
                const TPolozkaOp skupina = m_operatory.back();
                if (m_predchozi == TPredchozi::Zavorka) {
                    // "()": a call without arguments, or an empty group.
                    Chyba(skupina.KodFunkce ? kChybaPocetArgumentu : kChybaNepatricnyToken,
                          zacatek);
                }
                if (skupina.Carek + 1 != skupina.PocetArgumentu)
                    Chyba(kChybaPocetArgumentu, zacatek);
                m_operatory.pop_back();
                if (skupina.KodFunkce) {
                    const TPolozkaOp funkce = m_operatory.back();
                    m_operatory.pop_back();
                    const size_t k = size_t(skupina.PocetArgumentu);
                    if (m_hodnoty.size() < k)
                        Chyba(kChybaNepatricnyToken, zacatek);
                    std::vector<TCalcType> argumenty(m_hodnoty.end() - std::ptrdiff_t(k),
                                                     m_hodnoty.end());
                    m_hodnoty.resize(m_hodnoty.size() - k);
                    VolatFunkci(funkce.KodFunkce, argumenty, funkce.Pozice);
                }
                m_predchozi = TPredchozi::Operand;
            } else if (c == QChar('-') &&
                       (m_predchozi == TPredchozi::Zacatek || m_predchozi == TPredchozi::Zavorka ||
                        m_predchozi == TPredchozi::Carka)) {
                ++i;
                VlozOperator({TPolozkaOp::Operator, TOp::Zaporne, 0, 1, 0, zacatek});
                m_predchozi = TPredchozi::Operator;
            } else {
                TOp op = TOp::Plus;
                ++i;
                const QChar d = i < m_n ? m_v.at(i) : QChar();
                switch (c.unicode()) {
                case '+':
                    op = TOp::Plus;
                    break;
                case '-':
                    op = TOp::Minus;
                    break;
                case '*':
                    op = TOp::Krat;
                    break;
                case '/':
                    op = TOp::Deleno;
                    break;
                case '^':
                    op = TOp::Mocnina;
                    break;
                case '=':
                    op = TOp::Rovno;
                    break;
                case '<':
                    op = TOp::Mensi;
                    if (d == QChar('>')) {
                        op = TOp::Ruzne;
                        ++i;
                    } else if (d == QChar('=')) {
                        op = TOp::MensiRovno;
                        ++i;
                    }
                    break;
                case '>':
                    op = TOp::Vetsi;
                    if (d == QChar('=')) {
                        op = TOp::VetsiRovno;
                        ++i;
                    }
                    break;
                default:
                    Chyba(kChybaNepatricnyToken, zacatek);
                }
                BinarniOperator(op, zacatek);
            }
        }
        if (m_predchozi == TPredchozi::Zacatek)
            return vysledek; // an empty expression
        for (const TPolozkaOp& op : m_operatory)
            if (op.Typ == TPolozkaOp::Skupina)
                Chyba(kChybaChybiZavorka, m_n);
        if (m_predchozi != TPredchozi::Operand)
            Chyba(kChybaNepatricnyToken, m_n);
        AplikujDo(0);
        if (m_hodnoty.size() != 1 || !m_operatory.empty())
            Chyba(kChybaNepatricnyToken, m_n);
        vysledek.Hodnota = std::move(m_hodnoty.back());
    } catch (const TChyba& chyba) {
        vysledek.Hodnota.Init();
        vysledek.Chyba = chyba.Kod;
        vysledek.Pozice = chyba.Pozice;
    }
    return vysledek;
}

} // namespace

TVysledekVyrazu Evaluate(const QString& vyraz, const TKontextVypoctu* kontext) {
    TVyhodnoceni vyhodnoceni(vyraz, kontext);
    return vyhodnoceni.Spustit();
}

TKontrolaVyrazu KontrolaVyrazu(const QString& vyraz, const TKontextVypoctu* kontext) {
    const TVysledekVyrazu v = Evaluate(vyraz, kontext);
    TKontrolaVyrazu k;
    k.Ok = v.Chyba == kVyrazOk;
    if (k.Ok) {
        k.Titulek = QStringLiteral("Informace");
        k.Zprava = QStringLiteral("Výraz je v pořádku.");
        return k;
    }
    // The message names no cause: the position is what the user acts on.
    k.Titulek = QStringLiteral("Chyba");
    k.Zprava = QStringLiteral("Chyba : \"%1\" na pozici %2").arg(QString()).arg(v.Pozice + 1);
    k.PoziceKurzoru = v.Pozice;
    return k;
}

const TVestavenaFunkce* VestaveneFunkce(int* pocet) {
    if (pocet)
        *pocet = int(kFunkce.size());
    return kFunkce.data();
}

int KodVestaveneFunkce(const QString& nazev) {
    const QString velky = nazev.toUpper();
    for (const TVestavenaFunkce& f : kFunkce)
        if (velky == QLatin1String(f.Nazev))
            return f.Kod;
    return 0;
}

} // namespace arvelo::report
