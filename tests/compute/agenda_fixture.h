#pragma once

#include "app/main_data.h"
#include "app/scripted_prompts.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace arvelo::test {

// One account of UCOSNOVA. Type 3 cost, 4 revenue; sub-type 4 not affecting
// income tax; kind 2 income statement.
struct Ucet {
    QString ucet{};
    QString nazev{};
    int typ = 3;
    int podTyp = 0;
    int druh = 2;
};

// One line of UCDENIK. An invalid date leaves Datum empty.
struct Radek {
    int cislo = 0;
    QDate datum{};
    QString md{};
    QString d{};
    QString castka{};
    QString zdroj = QStringLiteral("ID");
    QString zakazka{};
    QString stred{};
    QString cinnost{};
    QString ico{};
    QString adCislo{};
    bool del = false;
    bool free = false;
    double cas = 0.0; // time of day as a day fraction
};

struct Kod {
    QString zkrat{};
    QString nazev{};
};

struct Firma {
    int cislo = 0;
    QString ico{};
    QString nazev{};
};

// A host data root with one agenda (DATA/AGENDA.001) in a temporary folder:
// years with ROK.INI, chart of accounts, journal and code lists, and the
// address book, all made through the host schema catalogue.
class TestAgenda {
public:
    TestAgenda();
    QString root() const { return m_dir.path() + u'/'; }
    QString agenda() const { return root() + QStringLiteral("AGENDA.001/"); }
    QString yearFolder(const QString& number) const {
        return agenda() + QStringLiteral("ROK.") + number + u'/';
    }

    // A year folder with ROK.INI ("Účetní rok", fiscal bounds as the host
    // stores them) and empty UCOSNOVA, UCDENIK, ZAKAZKY, SZSTRED, SZCINN.
    void addYear(const QString& number, const QString& name, QDate od, QDate do_);
    void accounts(const QString& year, const std::vector<Ucet>& accounts);
    void journal(const QString& year, const std::vector<Radek>& lines);
    void codes(const QString& year, const QString& table, const std::vector<Kod>& codes);
    void addresses(const std::vector<Firma>& firms);
    // A host user of the data root's rights tables (newer layout) with every
    // right, the module's right ("Vysledovka") as given. The agenda starts with
    // user 1, "Správce", without a password and with every right.
    void hostUser(int id, const QString& name, const QString& password, bool vysledovka);

    // The two calendar years 2018 (ROK.001) and 2019 (ROK.002) with the usual
    // accounts: 501100, 518300, 518400, 521000 costs, 602100, 604000 revenues.
    void standardYears();

    // The data object on this agenda, the current year being `year`.
    void attach(app::THlavniData& data, const QString& year) const;

    // The parameter string the host would pass for the current year.
    QStringList hostArguments(const QString& year, const QString& password = {}) const;

private:
    QTemporaryDir m_dir;
};

// Czech formats for the data object (dates "dd.MM.yyyy").
app::SystemFormats czechFormats();

} // namespace arvelo::test
