#include "report/expr/format.h"

#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace arvelo::report {

namespace {

// Most significant digits a double carries; more would only show noise.
constexpr int kMaxPresnost = 15;
constexpr qint64 kMsZaDen = 86400000;
// Day numbers of 1 January 1 and of the day after 31 December 9999.
constexpr double kPrvniDen = -693593.0;
constexpr double kZaPoslednimDnem = 2958466.0;

// A decimal number: value = 0.Cislice x 10^Exponent; no digits means zero.
struct TDesetinne {
    bool Zaporne = false;
    std::string Cislice; // no trailing zeros
    int Exponent = 0;
    bool JeNula() const { return Cislice.empty(); }
};

TDesetinne Rozloz(double v, int presnost) {
    TDesetinne d;
    d.Zaporne = std::signbit(v);
    if (v == 0.0)
        return d;
    presnost = std::clamp(presnost, 1, 17);
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                 presnost - 1);
    const std::string s(buf, r.ptr);
    const auto e = s.find('e');
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            d.Cislice.push_back(s[i]);
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
    d.Exponent = exponent + 1;
    while (!d.Cislice.empty() && d.Cislice.back() == '0')
        d.Cislice.pop_back();
    return d;
}

// Rounds to that many decimal places, halves away from zero.
void Zaokrouhli(TDesetinne& d, int desetinna) {
    if (d.JeNula())
        return;
    const long long ponechat = (long long)d.Exponent + desetinna;
    if (ponechat >= (long long)d.Cislice.size())
        return;
    if (ponechat < 0) {
        d.Cislice.clear();
        return;
    }
    const bool nahoru = d.Cislice[size_t(ponechat)] >= '5';
    d.Cislice.resize(size_t(ponechat));
    if (nahoru) {
        long long i = ponechat - 1;
        while (i >= 0 && d.Cislice[size_t(i)] == '9') {
            d.Cislice[size_t(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.Cislice.insert(d.Cislice.begin(), '1');
            ++d.Exponent;
        } else {
            ++d.Cislice[size_t(i)];
        }
    }
    while (!d.Cislice.empty() && d.Cislice.back() == '0')
        d.Cislice.pop_back();
}

QChar Cislice(const TDesetinne& d, long long i) {
    return (i >= 0 && i < (long long)d.Cislice.size()) ? QChar(d.Cislice[size_t(i)]) : QChar('0');
}

// Integer digits ("" for a value below 1) and the first `desetinna` decimals.
QString CeleCislice(const TDesetinne& d) {
    QString s;
    for (long long i = 0; i < d.Exponent; ++i)
        s += Cislice(d, i);
    return s;
}

QString DesetinneCislice(const TDesetinne& d, int desetinna) {
    QString s;
    for (int i = 0; i < desetinna; ++i)
        s += Cislice(d, (long long)d.Exponent + i);
    return s;
}

QString Seskup(const QString& cele, const QString& oddelovac) {
    QString s;
    const int n = int(cele.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            s += oddelovac;
        s += cele.at(i);
    }
    return s;
}

QString DesetinnaTecka(const QLocale& locale) {
    const QString t = locale.decimalPoint();
    return t.isEmpty() ? QStringLiteral(".") : t;
}

QString Exponent(int exponent, bool plusVzdy, int minCislic) {
    QString s = QStringLiteral("E");
    if (exponent < 0)
        s += QChar('-');
    else if (plusVzdy)
        s += QChar('+');
    s += QString::number(std::abs(exponent)).rightJustified(minCislic, QChar('0'));
    return s;
}

// The General format of a decomposed number.
QString Obecny(const TDesetinne& d, int presnost, int cislicExponentu, const QLocale& locale) {
    if (d.JeNula())
        return QStringLiteral("0");
    QString s = d.Zaporne ? QStringLiteral("-") : QString();
    if (d.Exponent > presnost || d.Exponent < -3) {
        s += QChar(d.Cislice[0]);
        if (d.Cislice.size() > 1) {
            s += DesetinnaTecka(locale);
            s += QString::fromLatin1(d.Cislice.data() + 1, qsizetype(d.Cislice.size() - 1));
        }
        s += Exponent(d.Exponent - 1, false, std::clamp(cislicExponentu, 0, 4));
        return s;
    }
    const QString cele = CeleCislice(d);
    s += cele.isEmpty() ? QStringLiteral("0") : cele;
    const long long zbyva = (long long)d.Cislice.size() - d.Exponent;
    if (zbyva > 0) {
        s += DesetinnaTecka(locale);
        s += DesetinneCislice(d, int(zbyva));
    }
    return s;
}

QString Specialni(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                    const QLocale& locale) {
    if (!std::isfinite(value))
        return Specialni(value);
    const int presnost = std::clamp(precision, 1, kMaxPresnost);
    TDesetinne d = Rozloz(value, presnost);
    switch (format) {
    case TFloatFormat::General:
        return Obecny(d, presnost, digits, locale);
    case TFloatFormat::Exponent: {
        QString s = d.Zaporne && !d.JeNula() ? QStringLiteral("-") : QString();
        s += Cislice(d, 0);
        if (presnost > 1) {
            s += DesetinnaTecka(locale);
            for (int i = 1; i < presnost; ++i)
                s += Cislice(d, i);
        }
        s += Exponent(d.JeNula() ? 0 : d.Exponent - 1, true, std::clamp(digits, 0, 4));
        return s;
    }
    case TFloatFormat::Fixed:
    case TFloatFormat::Number:
    case TFloatFormat::Currency:
        break;
    }
    if (d.Exponent > presnost)
        return Obecny(d, presnost, 0, locale);
    const int desetinna = std::clamp(digits, 0, 18);
    Zaokrouhli(d, desetinna);
    QString cele = CeleCislice(d);
    if (cele.isEmpty())
        cele = QStringLiteral("0");
    if (format != TFloatFormat::Fixed)
        cele = Seskup(cele, locale.groupSeparator());
    QString cislo = cele;
    if (desetinna > 0)
        cislo += DesetinnaTecka(locale) + DesetinneCislice(d, desetinna);
    const bool zaporne = d.Zaporne && !d.JeNula();
    if (format != TFloatFormat::Currency)
        return zaporne ? QStringLiteral("-") + cislo : cislo;
    // The locale's own placement of the symbol and the sign, with our digits.
    const QString vzor = locale.toCurrencyString(zaporne ? -1.0 : 1.0, locale.currencySymbol(), 0);
    const int i = vzor.indexOf(QChar('1'));
    if (i < 0)
        return (zaporne ? QStringLiteral("-") : QString()) + cislo;
    return vzor.left(i) + cislo + vzor.mid(i + 1);
}

QString FloatToStr(double value, const QLocale& locale) {
    return FloatToStrF(value, TFloatFormat::General, kMaxPresnost, 0, locale);
}

// ---------------------------------------------------------------------------
// Format strings of numbers

namespace {

struct TZnak {
    enum Typ { Literal, Nula, Krizek, Tecka, Exp } Typ;
    QString Text;          // the literal
    bool PlusVzdy = false; // "E+" rather than "E-"
    int CislicExp = 0;     // "0"s after "E+"
};

struct TSekce {
    std::vector<TZnak> Znaky;
    bool Seskupovat = false;
    bool SeskupovatMezerou = false;
    int Celych = 0;      // digit places before the decimal point
    int MinCelych = 0;   // from the leftmost "0" of the integer part
    int Desetinnych = 0; // digit places after the decimal point
    int MinDesetinnych = 0;
    bool Vedecky = false;
    bool MaCislice() const { return Celych + Desetinnych > 0; }
};

std::vector<QString> RozdelSekce(const QString& format) {
    std::vector<QString> sekce(1);
    QChar uvozovka;
    for (const QChar c : format) {
        if (!uvozovka.isNull()) {
            if (c == uvozovka)
                uvozovka = QChar();
        } else if (c == QChar('\'') || c == QChar('"')) {
            uvozovka = c;
        } else if (c == QChar(';')) {
            sekce.emplace_back();
            continue;
        }
        sekce.back() += c;
    }
    return sekce;
}

bool JeMisto(QChar c) {
    return c == QChar('0') || c == QChar('#');
}

TSekce RozeberSekci(const QString& s) {
    TSekce sekce;
    bool zaTeckou = false;
    bool zaExponentem = false;
    const int n = int(s.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = s.at(i);
        if (c == QChar('\'') || c == QChar('"')) {
            const int konec = s.indexOf(c, i + 1);
            const int k = konec < 0 ? n : konec;
            sekce.Znaky.push_back({TZnak::Literal, s.mid(i + 1, k - i - 1)});
            i = k;
        } else if (JeMisto(c) && !zaExponentem) {
            const bool nula = c == QChar('0');
            sekce.Znaky.push_back({nula ? TZnak::Nula : TZnak::Krizek, {}});
            if (zaTeckou) {
                ++sekce.Desetinnych;
                if (nula)
                    sekce.MinDesetinnych = sekce.Desetinnych;
            } else {
                ++sekce.Celych;
            }
        } else if (c == QChar('.') && !zaTeckou && !zaExponentem) {
            zaTeckou = true;
            sekce.Znaky.push_back({TZnak::Tecka, {}});
        } else if (c == QChar(',') && !zaExponentem) {
            sekce.Seskupovat = true;
        } else if ((c == QChar('E') || c == QChar('e')) && i + 1 < n &&
                   (s.at(i + 1) == QChar('+') || s.at(i + 1) == QChar('-')) && !zaExponentem &&
                   sekce.MaCislice()) {
            TZnak z{TZnak::Exp, {}};
            z.PlusVzdy = s.at(i + 1) == QChar('+');
            i += 2;
            while (i < n && s.at(i) == QChar('0')) {
                ++z.CislicExp;
                ++i;
            }
            --i;
            z.CislicExp = std::min(z.CislicExp, 4);
            sekce.Znaky.push_back(z);
            sekce.Vedecky = true;
            zaExponentem = true;
        } else if (c == QChar(' ') && !zaTeckou && !zaExponentem && sekce.Celych > 0 && i + 1 < n &&
                   JeMisto(s.at(i + 1))) {
            // "# ##0": a space between the digits of the integer part groups them.
            sekce.SeskupovatMezerou = true;
        } else {
            sekce.Znaky.push_back({TZnak::Literal, QString(c)});
        }
    }
    // Integer places from the leftmost "0" on are always shown.
    int misto = 0;
    sekce.MinCelych = 0;
    for (const TZnak& z : sekce.Znaky) {
        if (z.Typ == TZnak::Tecka || z.Typ == TZnak::Exp)
            break;
        if (z.Typ == TZnak::Nula || z.Typ == TZnak::Krizek) {
            if (z.Typ == TZnak::Nula && sekce.MinCelych == 0)
                sekce.MinCelych = sekce.Celych - misto;
            ++misto;
        }
    }
    return sekce;
}

QString VedeckySekce(const TSekce& sekce, double hodnota, const QLocale& locale) {
    const int celych = std::max(1, sekce.Celych);
    const int presnost = std::clamp(celych + sekce.Desetinnych, 1, kMaxPresnost);
    TDesetinne d = Rozloz(std::fabs(hodnota), presnost);
    const int exponent = d.JeNula() ? 0 : d.Exponent - celych;
    QString desetinne;
    for (int i = 0; i < sekce.Desetinnych; ++i)
        desetinne += Cislice(d, celych + i);
    while (desetinne.size() > sekce.MinDesetinnych && desetinne.endsWith(QChar('0')))
        desetinne.chop(1);
    QString s;
    int misto = 0;
    int desetinneMisto = 0;
    bool tecka = false;
    for (const TZnak& z : sekce.Znaky) {
        switch (z.Typ) {
        case TZnak::Literal:
            s += z.Text;
            break;
        case TZnak::Nula:
        case TZnak::Krizek:
            if (!tecka) {
                if (misto < celych)
                    s += Cislice(d, misto);
                ++misto;
            } else {
                if (desetinneMisto < desetinne.size())
                    s += desetinne.at(desetinneMisto);
                ++desetinneMisto;
            }
            break;
        case TZnak::Tecka:
            tecka = true;
            if (sekce.Celych == 0 && misto == 0) {
                s += Cislice(d, 0);
                misto = 1;
            }
            if (!desetinne.isEmpty())
                s += DesetinnaTecka(locale);
            break;
        case TZnak::Exp:
            s += Exponent(exponent, z.PlusVzdy, z.CislicExp);
            break;
        }
    }
    return s;
}

QString PevnySekce(const TSekce& sekce, const TDesetinne& d, const QLocale& locale) {
    QString cele = CeleCislice(d);
    while (cele.size() < sekce.MinCelych)
        cele.prepend(QChar('0'));
    QString desetinne = DesetinneCislice(d, sekce.Desetinnych);
    while (desetinne.size() > sekce.MinDesetinnych && desetinne.endsWith(QChar('0')))
        desetinne.chop(1);
    const QString oddelovac = sekce.SeskupovatMezerou
                                  ? QStringLiteral(" ")
                                  : (sekce.Seskupovat ? locale.groupSeparator() : QString());
    const int n = int(cele.size());
    const int p = sekce.Celych;
    QString s;
    bool celaVypsana = false;
    int vypsano = 0;
    auto vypisCislici = [&](int j) {
        if (vypsano > 0 && !oddelovac.isEmpty() && (n - j) % 3 == 0)
            s += oddelovac;
        s += cele.at(j);
        ++vypsano;
    };
    int misto = 0;
    int desetinneMisto = 0;
    bool tecka = false;
    for (const TZnak& z : sekce.Znaky) {
        switch (z.Typ) {
        case TZnak::Literal:
            // Text between the digits shows only once the number has begun.
            if (tecka || misto == 0 || vypsano > 0 || misto >= p)
                s += z.Text;
            break;
        case TZnak::Nula:
        case TZnak::Krizek:
            if (!tecka) {
                const int j = misto - (p - n);
                if (misto == 0)
                    for (int k = 0; k <= j && k < n; ++k)
                        vypisCislici(k);
                else if (j >= 0)
                    vypisCislici(j);
                ++misto;
                if (misto == p)
                    celaVypsana = true;
            } else {
                if (desetinneMisto < desetinne.size())
                    s += desetinne.at(desetinneMisto);
                ++desetinneMisto;
            }
            break;
        case TZnak::Tecka:
            tecka = true;
            if (!celaVypsana && p == 0) {
                for (int k = 0; k < n; ++k)
                    vypisCislici(k);
                celaVypsana = true;
            }
            if (!desetinne.isEmpty())
                s += DesetinnaTecka(locale);
            break;
        case TZnak::Exp:
            break;
        }
    }
    return s;
}

} // namespace

QString FormatFloat(const QString& format, double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return Specialni(value);
    if (format.isEmpty())
        return FloatToStr(value, locale);
    const std::vector<QString> sekce = RozdelSekce(format);
    auto ma = [&](size_t i) { return sekce.size() > i && !sekce[i].isEmpty(); };
    size_t volba = 0;
    if (value < 0 && ma(1))
        volba = 1;
    else if (value == 0 && ma(2))
        volba = 2;
    TSekce s = RozeberSekci(sekce[volba]);
    if (!s.MaCislice()) {
        QString text;
        for (const TZnak& z : s.Znaky)
            text += z.Text;
        return text;
    }
    if (s.Vedecky) {
        const QString text = VedeckySekce(s, value, locale);
        return value < 0 && volba == 0 ? QStringLiteral("-") + text : text;
    }
    TDesetinne d = Rozloz(std::fabs(value), kMaxPresnost);
    Zaokrouhli(d, s.Desetinnych);
    if (d.JeNula() && value != 0) {
        // Rounded to zero: the zero section when there is one, and no sign.
        if (ma(2)) {
            volba = 2;
            s = RozeberSekci(sekce[2]);
            if (!s.MaCislice()) {
                QString text;
                for (const TZnak& z : s.Znaky)
                    text += z.Text;
                return text;
            }
        }
        return PevnySekce(s, d, locale);
    }
    const QString text = PevnySekce(s, d, locale);
    return value < 0 && volba == 0 ? QStringLiteral("-") + text : text;
}

// ---------------------------------------------------------------------------
// Date and time

bool DayNumberToDateTime(double dayNumber, QDateTime* dateTime) {
    if (!std::isfinite(dayNumber) || dayNumber < kPrvniDen - 1 || dayNumber >= kZaPoslednimDnem)
        return false;
    double cela = std::trunc(dayNumber);
    qint64 ms = std::llround(std::fabs(dayNumber - cela) * double(kMsZaDen));
    if (ms >= kMsZaDen) {
        ms -= kMsZaDen;
        cela += 1;
    }
    if (cela < kPrvniDen || cela >= kZaPoslednimDnem)
        return false;
    const QDate datum = QDate(1899, 12, 30).addDays(qint64(cela));
    *dateTime = QDateTime(datum, QTime::fromMSecsSinceStartOfDay(int(ms)));
    return true;
}

double DateToDayNumber(const QDate& date) {
    return double(QDate(1899, 12, 30).daysTo(date));
}

double DateTimeToDayNumber(const QDateTime& dateTime) {
    const double dny = DateToDayNumber(dateTime.date());
    const double cas = double(dateTime.time().msecsSinceStartOfDay()) / double(kMsZaDen);
    // Days before the base carry their time as a positive fraction away from zero.
    return dny < 0 ? dny - cas : dny + cas;
}

namespace {

QChar PrvniOddelovac(const QString& vzor, QChar vychozi) {
    QChar uvozovka;
    for (const QChar c : vzor) {
        if (c == QChar('\''))
            uvozovka = uvozovka.isNull() ? c : QChar();
        else if (uvozovka.isNull() && !c.isLetter() && c != QChar(' '))
            return c;
    }
    return vychozi;
}

// The locale's time format without the time zone.
QString BezZony(QString vzor) {
    vzor.remove(QChar('t'));
    return vzor.trimmed();
}

bool ZacinaNa(const QString& s, int i, const char* co) {
    const QString c = QString::fromLatin1(co);
    return s.mid(i, c.size()).compare(c, Qt::CaseInsensitive) == 0;
}

int Pocet(const QString& s, int i, QChar znak) {
    int n = 0;
    while (i + n < s.size() && s.at(i + n).toLower() == znak)
        ++n;
    return n;
}

QString Dve(int n) {
    return QString::number(n).rightJustified(2, QChar('0'));
}

} // namespace

bool FormatDateTime(const QString& format, double dayNumber, const QLocale& locale, QString* text) {
    QDateTime dt;
    if (!DayNumberToDateTime(dayNumber, &dt))
        return false;
    const QDate datum = dt.date();
    const QTime cas = dt.time();
    const QString kratkyCas = BezZony(locale.timeFormat(QLocale::ShortFormat));
    const QString dlouhyCas = BezZony(locale.timeFormat(QLocale::LongFormat));
    const QChar oddelovacData = PrvniOddelovac(locale.dateFormat(QLocale::ShortFormat), '/');
    const QChar oddelovacCasu = PrvniOddelovac(kratkyCas, ':');
    if (format.isEmpty()) {
        // As "c": the date and, when there is one, the time.
        *text = locale.toString(datum, QLocale::ShortFormat);
        if (cas.msecsSinceStartOfDay() != 0)
            *text += QChar(' ') + locale.toString(cas, dlouhyCas);
        return true;
    }

    // Any am/pm marker turns every hour into the 12-hour clock.
    bool dvanactka = false;
    {
        QChar uvozovka;
        for (int i = 0; i < format.size(); ++i) {
            const QChar c = format.at(i);
            if (!uvozovka.isNull()) {
                if (c == uvozovka)
                    uvozovka = QChar();
            } else if (c == QChar('\'') || c == QChar('"')) {
                uvozovka = c;
            } else if (ZacinaNa(format, i, "am/pm") || ZacinaNa(format, i, "a/p") ||
                       ZacinaNa(format, i, "ampm")) {
                dvanactka = true;
            }
        }
    }
    const int hodina12 = cas.hour() % 12 == 0 ? 12 : cas.hour() % 12;
    const int hodina = dvanactka ? hodina12 : cas.hour();
    const bool odpoledne = cas.hour() >= 12;

    QString s;
    bool poHodine = false;
    const int n = int(format.size());
    for (int i = 0; i < n;) {
        const QChar c = format.at(i);
        const QChar m = c.toLower();
        if (c == QChar('\'') || c == QChar('"')) {
            const int konec = format.indexOf(c, i + 1);
            const int k = konec < 0 ? n : konec;
            s += format.mid(i + 1, k - i - 1);
            i = k + 1;
            continue;
        }
        if (ZacinaNa(format, i, "am/pm")) {
            const QString vzor = format.mid(i, 5);
            s += odpoledne ? vzor.mid(3, 2) : vzor.left(2);
            i += 5;
            continue;
        }
        if (ZacinaNa(format, i, "a/p")) {
            const QString vzor = format.mid(i, 3);
            s += odpoledne ? vzor.mid(2, 1) : vzor.left(1);
            i += 3;
            continue;
        }
        if (ZacinaNa(format, i, "ampm")) {
            s += odpoledne ? locale.pmText() : locale.amText();
            i += 4;
            continue;
        }
        int k = 1;
        switch (m.unicode()) {
        case 'c':
            s += locale.toString(datum, QLocale::ShortFormat);
            if (cas.msecsSinceStartOfDay() != 0)
                s += QChar(' ') + locale.toString(cas, dlouhyCas);
            break;
        case 'd':
            k = Pocet(format, i, 'd');
            switch (std::min(k, 6)) {
            case 1:
                s += QString::number(datum.day());
                break;
            case 2:
                s += Dve(datum.day());
                break;
            case 3:
                s += locale.dayName(datum.dayOfWeek(), QLocale::ShortFormat);
                break;
            case 4:
                s += locale.dayName(datum.dayOfWeek(), QLocale::LongFormat);
                break;
            case 5:
                s += locale.toString(datum, QLocale::ShortFormat);
                break;
            default:
                s += locale.toString(datum, QLocale::LongFormat);
                break;
            }
            break;
        case 'm':
            k = Pocet(format, i, 'm');
            if (poHodine) {
                k = std::min(k, 2);
                s += k == 1 ? QString::number(cas.minute()) : Dve(cas.minute());
            } else {
                switch (std::min(k, 4)) {
                case 1:
                    s += QString::number(datum.month());
                    break;
                case 2:
                    s += Dve(datum.month());
                    break;
                case 3:
                    s += locale.monthName(datum.month(), QLocale::ShortFormat);
                    break;
                default:
                    s += locale.monthName(datum.month(), QLocale::LongFormat);
                    break;
                }
            }
            break;
        case 'y':
            k = Pocet(format, i, 'y');
            s += k <= 2 ? Dve(datum.year() % 100)
                        : QString::number(datum.year()).rightJustified(4, QChar('0'));
            break;
        case 'h':
            k = std::min(Pocet(format, i, 'h'), 2);
            s += k == 1 ? QString::number(hodina) : Dve(hodina);
            break;
        case 'n':
            k = std::min(Pocet(format, i, 'n'), 2);
            s += k == 1 ? QString::number(cas.minute()) : Dve(cas.minute());
            break;
        case 's':
            k = std::min(Pocet(format, i, 's'), 2);
            s += k == 1 ? QString::number(cas.second()) : Dve(cas.second());
            break;
        case 'z':
            k = std::min(Pocet(format, i, 'z'), 3);
            s += k < 3 ? QString::number(cas.msec())
                       : QString::number(cas.msec()).rightJustified(3, QChar('0'));
            break;
        case 't':
            k = std::min(Pocet(format, i, 't'), 2);
            s += locale.toString(cas, k == 1 ? kratkyCas : dlouhyCas);
            break;
        case '/':
            s += oddelovacData;
            break;
        case ':':
            s += oddelovacCasu;
            break;
        default:
            s += c;
            break;
        }
        if (m != QChar(' ') && m != QChar(':') && !m.isPunct())
            poHodine = m == QChar('h');
        i += k;
    }
    *text = s;
    return true;
}

// ---------------------------------------------------------------------------
// Integer format strings

bool FormatInteger(const QString& format, std::int64_t value, QString* text) {
    QString s;
    bool pouzito = false;
    const int n = int(format.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != QChar('%')) {
            s += c;
            continue;
        }
        if (++i >= n)
            return false;
        if (format.at(i) == QChar('%')) {
            s += QChar('%');
            continue;
        }
        auto cislo = [&](int* cil) {
            bool ma = false;
            long long v = 0;
            while (i < n && format.at(i).isDigit() && format.at(i).unicode() < 128) {
                v = std::min<long long>(v * 10 + (format.at(i).unicode() - '0'), 1000);
                ++i;
                ma = true;
            }
            *cil = int(v);
            return ma;
        };
        // An explicit argument index must be 0: there is one argument.
        int index = 0;
        const int zacatek = i;
        if (cislo(&index) && i < n && format.at(i) == QChar(':')) {
            if (index != 0)
                return false;
            ++i;
        } else {
            i = zacatek;
            if (pouzito)
                return false;
        }
        bool vlevo = false;
        if (i < n && format.at(i) == QChar('-')) {
            vlevo = true;
            ++i;
        }
        int sirka = 0;
        cislo(&sirka);
        int presnost = -1;
        if (i < n && format.at(i) == QChar('.')) {
            ++i;
            cislo(&presnost);
        }
        if (i >= n)
            return false;
        QString cast;
        switch (format.at(i).toLower().unicode()) {
        case 'd':
            cast =
                QString::number(value < 0 ? -(unsigned long long)value : (unsigned long long)value);
            if (presnost > 0)
                cast = cast.rightJustified(presnost, QChar('0'));
            if (value < 0)
                cast.prepend(QChar('-'));
            break;
        case 'u':
            cast = QString::number((unsigned long long)value);
            if (presnost > 0)
                cast = cast.rightJustified(presnost, QChar('0'));
            break;
        case 'x':
            cast = QString::number((unsigned long long)value, 16).toUpper();
            if (presnost > 0)
                cast = cast.rightJustified(presnost, QChar('0'));
            break;
        default:
            return false;
        }
        pouzito = true;
        s += vlevo ? cast.leftJustified(sirka, QChar(' ')) : cast.rightJustified(sirka, QChar(' '));
    }
    *text = s;
    return true;
}

} // namespace arvelo::report
