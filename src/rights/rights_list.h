#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace arvelo::rights {

// A selection filter of the wizard (activities, cost centres, orders,
// accounts): whether it is fixed for the user, and its preset state.
struct TFiltrVyberu {
    bool Lock = false;
    bool Check = false;
    QString Text; // the item list as the wizard's list field holds it
    bool Neg = false;
    bool operator==(const TFiltrVyberu&) const = default;
};

// A switch of the wizard (the two tax switches, the transfer switch).
struct TFiltrPrepinace {
    bool Lock = false;
    bool Check = true;
    bool operator==(const TFiltrPrepinace&) const = default;
};

// The 22 restriction values of one user. The defaults are those of a new
// user in the administration window: the switches ticked, the rest clear.
struct TOmezeni {
    TFiltrVyberu Cinn;
    TFiltrVyberu Stred;
    TFiltrVyberu Zak;
    TFiltrVyberu Ucty;
    TFiltrPrepinace Ovliv;
    TFiltrPrepinace NeOvliv;
    TFiltrPrepinace IgPrev;
    bool operator==(const TOmezeni&) const = default;
};

// One row of the user list.
struct TUzivatelPrav {
    qint32 ID = 0;
    QString Jmeno;
    TOmezeni Omezeni;
    bool operator==(const TUzivatelPrav&) const = default;
};

// The content of the rights file.
struct TObsahPrav {
    bool RozsirenaPrava = false;
    std::vector<TUzivatelPrav> Uzivatele;
    bool operator==(const TObsahPrav&) const = default;
};

// Key-and-value lines: a key is the text before the first "=", looked up
// without regard to case; the first line of a key counts, a missing key reads
// as the empty text.
class TSeznamHodnot {
public:
    explicit TSeznamHodnot(const QStringList& radky);

    QString Hodnota(const QString& klic) const;
    // The value as a whole decimal number; empty when missing or not a number.
    std::optional<qint64> Cislo(const QString& klic) const;
    // A flag: any non-zero number is true, "0" false; empty when not a number.
    std::optional<bool> Priznak(const QString& klic) const;

private:
    QHash<QString, QString> m_hodnoty; // upper-cased key -> value
};

// The lines of the file for the given content, users numbered 1 ... count.
QStringList SestavitRadky(const TObsahPrav& obsah);

// The content read back from the lines. A count, ID or flag that is missing
// or not a number makes the whole file count as damaged (empty optional).
std::optional<TObsahPrav> PrecistRadky(const QStringList& radky);

} // namespace arvelo::rights
