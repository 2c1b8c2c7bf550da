#include "rights/rights_list.h"

#include <limits>

namespace arvelo::rights {

namespace {

QString priznak(bool b) {
    return b ? QStringLiteral("-1") : QStringLiteral("0");
}

// A value holds no line break, or the next line would be read as a key.
QString jednoradkove(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

struct PolozkaVyberu {
    const char* nazev; // key suffix: CINN, STRED, ZAK, UCTY
    TFiltrVyberu TOmezeni::*filtr;
};
constexpr PolozkaVyberu Vybery[] = {
    {"CINN", &TOmezeni::Cinn},
    {"STRED", &TOmezeni::Stred},
    {"ZAK", &TOmezeni::Zak},
    {"UCTY", &TOmezeni::Ucty},
};

struct PolozkaPrepinace {
    const char* nazev; // key suffix: OVLIV, NEOVLIV, IGPREV
    TFiltrPrepinace TOmezeni::*filtr;
};
constexpr PolozkaPrepinace Prepinace[] = {
    {"OVLIV", &TOmezeni::Ovliv},
    {"NEOVLIV", &TOmezeni::NeOvliv},
    {"IGPREV", &TOmezeni::IgPrev},
};

} // namespace

TSeznamHodnot::TSeznamHodnot(const QStringList& radky) {
    for (const QString& radek : radky) {
        const qsizetype rovnitko = radek.indexOf(u'=');
        if (rovnitko < 0) {
            continue;
        }
        const QString klic = radek.left(rovnitko).toUpper();
        if (!m_hodnoty.contains(klic)) {
            m_hodnoty.insert(klic, radek.mid(rovnitko + 1));
        }
    }
}

QString TSeznamHodnot::Hodnota(const QString& klic) const {
    return m_hodnoty.value(klic.toUpper());
}

std::optional<qint64> TSeznamHodnot::Cislo(const QString& klic) const {
    const QString text = Hodnota(klic).trimmed();
    bool ok = false;
    const qint64 cislo = text.toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return cislo;
}

std::optional<bool> TSeznamHodnot::Priznak(const QString& klic) const {
    const auto cislo = Cislo(klic);
    if (!cislo) {
        return std::nullopt;
    }
    return *cislo != 0;
}

QStringList SestavitRadky(const TObsahPrav& obsah) {
    QStringList radky;
    radky << QStringLiteral("ROZSIRENAPRAVA=") + priznak(obsah.RozsirenaPrava);
    radky << QStringLiteral("RECORDCOUNT=") + QString::number(obsah.Uzivatele.size());
    int n = 0;
    for (const TUzivatelPrav& u : obsah.Uzivatele) {
        const QString p = QString::number(++n);
        radky << p + QStringLiteral("ID=") + QString::number(u.ID);
        radky << p + QStringLiteral("JMENO=") + jednoradkove(u.Jmeno);
        for (const PolozkaVyberu& v : Vybery) {
            const TFiltrVyberu& f = u.Omezeni.*v.filtr;
            const QString nazev = QString::fromLatin1(v.nazev);
            radky << p + QStringLiteral("LOCK") + nazev + u'=' + priznak(f.Lock);
            radky << p + QStringLiteral("CHECK") + nazev + u'=' + priznak(f.Check);
            radky << p + QStringLiteral("TEXT") + nazev + u'=' + jednoradkove(f.Text);
            radky << p + QStringLiteral("NEG") + nazev + u'=' + priznak(f.Neg);
        }
        for (const PolozkaPrepinace& s : Prepinace) {
            const TFiltrPrepinace& f = u.Omezeni.*s.filtr;
            const QString nazev = QString::fromLatin1(s.nazev);
            radky << p + QStringLiteral("LOCK") + nazev + u'=' + priznak(f.Lock);
            radky << p + QStringLiteral("CHECK") + nazev + u'=' + priznak(f.Check);
        }
    }
    return radky;
}

std::optional<TObsahPrav> PrecistRadky(const QStringList& radky) {
    const TSeznamHodnot hodnoty(radky);
    TObsahPrav obsah;
    const auto rozsirena = hodnoty.Priznak(QStringLiteral("ROZSIRENAPRAVA"));
    const auto pocet = hodnoty.Cislo(QStringLiteral("RECORDCOUNT"));
    if (!rozsirena || !pocet || *pocet < 0) {
        return std::nullopt;
    }
    obsah.RozsirenaPrava = *rozsirena;
    // Every user needs its own ID line, so a count beyond the lines present
    // fails at the first missing user, long before it could exhaust memory.
    for (qint64 n = 1; n <= *pocet; ++n) {
        const QString p = QString::number(n);
        const auto id = hodnoty.Cislo(p + QStringLiteral("ID"));
        if (!id || *id < std::numeric_limits<qint32>::min() ||
            *id > std::numeric_limits<qint32>::max()) {
            return std::nullopt;
        }
        TUzivatelPrav u;
        u.ID = static_cast<qint32>(*id);
        u.Jmeno = hodnoty.Hodnota(p + QStringLiteral("JMENO"));
        for (const PolozkaVyberu& v : Vybery) {
            TFiltrVyberu& f = u.Omezeni.*v.filtr;
            const QString nazev = QString::fromLatin1(v.nazev);
            const auto lock = hodnoty.Priznak(p + QStringLiteral("LOCK") + nazev);
            const auto check = hodnoty.Priznak(p + QStringLiteral("CHECK") + nazev);
            const auto neg = hodnoty.Priznak(p + QStringLiteral("NEG") + nazev);
            if (!lock || !check || !neg) {
                return std::nullopt;
            }
            f.Lock = *lock;
            f.Check = *check;
            f.Neg = *neg;
            f.Text = hodnoty.Hodnota(p + QStringLiteral("TEXT") + nazev);
        }
        for (const PolozkaPrepinace& s : Prepinace) {
            TFiltrPrepinace& f = u.Omezeni.*s.filtr;
            const QString nazev = QString::fromLatin1(s.nazev);
            const auto lock = hodnoty.Priznak(p + QStringLiteral("LOCK") + nazev);
            const auto check = hodnoty.Priznak(p + QStringLiteral("CHECK") + nazev);
            if (!lock || !check) {
                return std::nullopt;
            }
            f.Lock = *lock;
            f.Check = *check;
        }
        obsah.Uzivatele.push_back(std::move(u));
    }
    return obsah;
}

} // namespace arvelo::rights
