#include "agenda_fixture.h"
#include "compute/computation.h"
#include "compute/grouping.h"
#include "compute/progress.h"
#include "compute/run_settings.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>

using namespace arvelo;

namespace {

// Everything a run leaves: the turnover rows by (key, account), the groups in
// their order with every field, the error lines and the totals.
struct Snapshot {
    std::map<std::pair<QString, QString>, QStringList> rows;
    std::vector<QStringList> groups;
    QStringList problems;
    QStringList totals;
    bool ok = false;
};

QStringList fields(const ui::TMemTable& t, ui::RecId id) {
    QStringList out;
    for (int f = 0; f < t.fieldCount(); ++f) {
        const host::Variant& v = t.valueAt(id, f);
        out << (t.fields()[std::size_t(f)].type == host::FieldType::Amount
                    ? v.toCurrency().toPlainString()
                    : v.toString());
    }
    return out;
}

Snapshot runOnce(const test::TestAgenda& agenda, const compute::TNastaveniBehu& settings,
                 bool periodByPeriod) {
    app::ScriptedPrompts prompts;
    app::THlavniData data(prompts, test::czechFormats());
    agenda.attach(data, "002");
    compute::TPrubehVyzvy progress(prompts);
    compute::TVypocet run(data, settings, progress);
    run.setPruchodPoObdobich(periodByPeriod);
    Snapshot s;
    s.ok = run.Spustit();
    for (const ui::RecId id : data.mtObraty.viewIds()) {
        const QStringList f = fields(data.mtObraty, id);
        s.rows[{f[0], f[1]}] = f;
    }
    for (const ui::RecId id : data.mtSkupiny.viewIds()) {
        s.groups.push_back(fields(data.mtSkupiny, id));
    }
    s.problems = data.Informace;
    s.totals = {data.SoucetNakladyOB.toPlainString(), data.SoucetVynosyOB.toPlainString(),
                data.SoucetHospVysl.toPlainString()};
    return s;
}

// A journal of two years with every kind of line the period rules tell apart:
// dated in and around the periods, with a time of day, without a date,
// opening balances with and without a date, lines of an untyped account.
TEST(PeriodsInOnePass, GiveWhatOnePassPerPeriodGives) {
    test::TestAgenda agenda;
    agenda.standardYears();
    agenda.accounts("001", {{"548900", "Bez typu", 0}});
    agenda.accounts("002", {{"548900", "Bez typu", 0}});
    QRandomGenerator random(20190101);
    const char* const accounts[] = {"501100", "518300", "518400", "521000",
                                    "602100", "604000", "211000", "548900"};
    for (const char* year : {"001", "002"}) {
        const int y = QString::fromLatin1(year) == u"001" ? 2018 : 2019;
        std::vector<test::Radek> lines;
        for (int i = 1; i <= 300; ++i) {
            test::Radek r;
            r.cislo = i;
            const int kind = int(random.bounded(20));
            r.datum = kind == 0 ? QDate() : QDate(y, 1, 1).addDays(random.bounded(365));
            r.zdroj = kind == 1 || kind == 2 ? QStringLiteral("XP") : QStringLiteral("ID");
            r.cas = kind == 3 ? 0.99 : 0.0;
            r.md = QString::fromLatin1(accounts[random.bounded(8)]);
            r.d = QString::fromLatin1(accounts[random.bounded(8)]);
            r.castka = QString::number(random.bounded(1, 100000)) + QStringLiteral(".") +
                       QString::number(random.bounded(10, 99));
            lines.push_back(r);
        }
        agenda.journal(year, lines);
    }

    struct Case {
        int kind;
        bool dateFilter;
        QDate od, do_;
    } cases[] = {
        {compute::Mesice, true, {2018, 11, 15}, {2019, 2, 10}},
        {compute::Mesice, false, {}, {}},
        {compute::Ctvrtleti, true, {2018, 2, 1}, {2019, 12, 31}},
        {compute::Pololeti, true, {2018, 12, 31}, {2019, 6, 30}},
        {compute::Roky, true, {2018, 7, 1}, {2019, 7, 1}},
        {compute::Mesice, true, {2019, 3, 3}, {2019, 3, 3}},
    };
    for (const Case& c : cases) {
        compute::TNastaveniBehu settings;
        settings.Seskupit = true;
        settings.SeskupitDle = c.kind;
        settings.DleDatumu = c.dateFilter;
        settings.DatumOd = c.od;
        settings.DatumDo = c.do_;
        const Snapshot perPeriod = runOnce(agenda, settings, true);
        const Snapshot onePass = runOnce(agenda, settings, false);
        const std::string name = compute::TextDruhu(c.kind).toStdString() + " " +
                                 c.od.toString(Qt::ISODate).toStdString();
        ASSERT_TRUE(perPeriod.ok) << name;
        ASSERT_TRUE(onePass.ok) << name;
        EXPECT_FALSE(perPeriod.groups.empty()) << name;
        EXPECT_EQ(onePass.rows, perPeriod.rows) << name;
        EXPECT_EQ(onePass.groups, perPeriod.groups) << name;
        EXPECT_EQ(onePass.problems, perPeriod.problems) << name;
        EXPECT_EQ(onePass.totals, perPeriod.totals) << name;
        EXPECT_GT(perPeriod.problems.size(), 2) << name;
    }
}

} // namespace
