#include "host/host_paths.h"
#include "host/host_table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sqlite3.h>

using namespace arvelo;
using namespace arvelo::host;

namespace {

TableDef journalDef() {
    TableDef def;
    def.name = QStringLiteral("UCDENIK");
    def.fields = {
        {QStringLiteral("Cislo"), FieldType::Integer, 0},
        {QStringLiteral("Poradi"), FieldType::Integer, 0},
        {QStringLiteral("UcMD"), FieldType::Text, 6},
        {QStringLiteral("UcD"), FieldType::Text, 6},
        {QStringLiteral("Zakazka"), FieldType::Text, 10},
        {QStringLiteral("Castka"), FieldType::Amount, 0},
        {QStringLiteral("Datum"), FieldType::Date, 0},
        {QStringLiteral("Del"), FieldType::Boolean, 0},
        {QStringLiteral("Kurz"), FieldType::Float, 0},
    };
    def.indexes = {
        {QStringLiteral("UcMD"), {QStringLiteral("UcMD")}},
        {QStringLiteral("UcD"), {QStringLiteral("UcD")}},
        {QStringLiteral("Cislo+Poradi"), {QStringLiteral("Cislo"), QStringLiteral("Poradi")}},
        {QStringLiteral("Zakazka"), {QStringLiteral("Zakazka")}},
    };
    return def;
}

struct Line {
    int cislo;
    int poradi;
    QString ucMD;
    QString ucD;
    QString zakazka;
    long long castkaRaw;
};

class HostTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + QStringLiteral("/ROK.001/UCDENIK");
        QDir().mkpath(dir.path() + QStringLiteral("/ROK.001"));
        QString error;
        ASSERT_EQ(CreateTable(path, journalDef(), false, &error), result::Ok)
            << error.toStdString();
    }

    void fill(const std::vector<Line>& lines) {
        auto t = TBFTable::create();
        ASSERT_EQ(t->Open(path), result::Ok);
        ASSERT_EQ(t->BeginUpdate(), result::Ok);
        for (const Line& l : lines) {
            ASSERT_EQ(t->Append(), result::Ok);
            t->SetValue(QStringLiteral("Cislo"), l.cislo);
            t->SetValue(QStringLiteral("Poradi"), l.poradi);
            t->SetValue(QStringLiteral("UcMD"), l.ucMD);
            t->SetValue(QStringLiteral("UcD"), l.ucD);
            t->SetValue(QStringLiteral("Zakazka"), l.zakazka);
            t->SetValue(QStringLiteral("Castka"), Currency::fromRaw(l.castkaRaw));
            ASSERT_EQ(t->Post(), result::Ok) << t->LastError().toStdString();
        }
        ASSERT_EQ(t->CommitUpdate(), result::Ok);
    }

    // Every value of one field along the current index, from First to the end.
    static QStringList walk(TBFTable& t, const QString& field) {
        QStringList seen;
        if (t.RecordCount() > 0 && t.First() == result::Ok) {
            do {
                seen << t.Value(field).toString();
            } while (t.Next() != result::NoMore);
        }
        return seen;
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(HostTableTest, ValuesOfEveryTypeRoundTrip) {
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->Append(), result::Ok);
    t->SetValue(QStringLiteral("cislo"), 42); // field names ignore case
    t->SetValue(QStringLiteral("UcMD"), QStringLiteral("518300"));
    t->SetValue(QStringLiteral("Zakazka"), QStringLiteral("Řízení č.1"));
    t->SetValue(QStringLiteral("Castka"), *Currency::parse("-1234567.8912"));
    t->SetValue(QStringLiteral("Datum"), Variant::date(46000.75));
    t->SetValue(QStringLiteral("Del"), true);
    t->SetValue(QStringLiteral("Kurz"), 25.125);
    ASSERT_EQ(t->Post(), result::Ok);
    t->Close();

    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->RecordCount(), 1);
    ASSERT_EQ(t->First(), result::Ok);
    EXPECT_EQ(t->RecNo(), 1);
    EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), 42);
    EXPECT_EQ(t->Value(QStringLiteral("UcMD")).toString(), QStringLiteral("518300"));
    EXPECT_EQ(t->Value(QStringLiteral("ZAKAZKA")).toString(), QStringLiteral("Řízení č.1"));
    EXPECT_EQ(t->Value(QStringLiteral("Castka")).toCurrency().raw(), -12345678912LL);
    EXPECT_DOUBLE_EQ(t->Value(QStringLiteral("Datum")).toDate(), 46000.75);
    EXPECT_TRUE(t->Value(QStringLiteral("Del")).toBool());
    EXPECT_DOUBLE_EQ(t->Value(QStringLiteral("Kurz")).toDouble(), 25.125);
    // Fields never set read as their empty value.
    EXPECT_EQ(t->Value(QStringLiteral("UcD")).toString(), QString());
    EXPECT_EQ(t->Value(QStringLiteral("Poradi")).toInt(), 0);
}

TEST_F(HostTableTest, SeeksAndWalksInIndexOrderWithoutRegardToCase) {
    fill({
        {1, 1, "602100", "311000", "Řízení", 100},
        {2, 1, "518300", "321000", "řízení", 200},
        {3, 1, "518300", "602100", "ABC", 300},
        {4, 1, "501100", "518300", "abc", 400},
        {5, 1, "518300", "211000", "čistota", 500},
        {6, 1, "511000", "211000", "", 600},
    });
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->SetIndex(QStringLiteral("ucmd")), result::Ok); // index names ignore case
    EXPECT_EQ(walk(*t, QStringLiteral("UcMD")),
              QStringList({"501100", "511000", "518300", "518300", "518300", "602100"}));

    ASSERT_EQ(t->Seek(QStringLiteral("518300")), result::Found);
    QList<long long> found;
    while (!t->Eof() && t->Value(QStringLiteral("UcMD")).toString() == u"518300") {
        found << t->Value(QStringLiteral("Cislo")).toInt();
        t->Next();
    }
    EXPECT_EQ(found, QList<long long>({2, 3, 5})); // equal keys in record order

    EXPECT_NE(t->Seek(QStringLiteral("518")), result::Found); // exact, not a prefix of a text
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(t->RecNo(), 0);
    EXPECT_NE(t->Seek(QStringLiteral("999999")), result::Found);

    // Czech letters fold like ASCII: "ŘÍZENÍ" finds "Řízení" and "řízení".
    ASSERT_EQ(t->SetIndex(QStringLiteral("Zakazka")), result::Ok);
    ASSERT_EQ(t->Seek(QStringLiteral("ŘÍZENÍ")), result::Found);
    EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), 1);
    ASSERT_EQ(t->Next(), result::Ok);
    EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), 2);
    ASSERT_EQ(t->Seek(QStringLiteral("ČISTOTA")), result::Found);
    EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), 5);
    ASSERT_EQ(t->Seek(QStringLiteral("Abc")), result::Found);
    EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), 3);
    // Upper and lower case sort together.
    EXPECT_EQ(walk(*t, QStringLiteral("Cislo")), QStringList({"6", "3", "4", "5", "1", "2"}));
}

TEST_F(HostTableTest, TextEqualsComparesLikeTheKeys) {
    fill({{1, 1, "518300", "", "Řízení", 100}, {2, 1, "5183", "", "abc", 0}});
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->First(), result::Ok);
    const int ucet = t->FieldIndex(QStringLiteral("UcMD"));
    const int zakazka = t->FieldIndex(QStringLiteral("Zakazka"));
    const int cislo = t->FieldIndex(QStringLiteral("Cislo"));
    struct Case {
        int field;
        const char* text;
        bool equal;
    };
    const Case first[] = {
        {ucet, "518300", true},      {ucet, "5183", false},     {ucet, "518300 ", false},
        {zakazka, "ŘÍZENÍ", true},   {zakazka, "řízení", true}, {zakazka, "Rizeni", false},
        {zakazka, "Řízení!", false}, {cislo, "1", true},        {cislo, "01", false},
    };
    for (const Case& c : first) {
        EXPECT_EQ(t->TextEquals(c.field, QString::fromUtf8(c.text)), c.equal) << c.text;
    }
    ASSERT_EQ(t->Next(), result::Ok);
    EXPECT_TRUE(t->TextEquals(zakazka, QStringLiteral("ABC")));
    EXPECT_FALSE(t->TextEquals(ucet, QStringLiteral("518300")));
    // An edited value counts before it is posted.
    t->SetValue(QStringLiteral("Zakazka"), QStringLiteral("nová"));
    EXPECT_TRUE(t->TextEquals(zakazka, QStringLiteral("NOVÁ")));
    t->Cancel();
    EXPECT_THROW(t->TextEquals(99, QStringLiteral("x")), HostError);
}

TEST_F(HostTableTest, CompoundIndexSeeksOnAPrefixOrAllFields) {
    std::vector<Line> lines;
    for (int c = 1; c <= 5; ++c) {
        for (int p = 3; p >= 1; --p) {
            lines.push_back({c * 10, p, "501100", "321000", "", c * 100 + p});
        }
    }
    fill(lines);
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->SetIndex(QStringLiteral("Cislo+Poradi")), result::Ok);

    struct Case {
        std::vector<Variant> keys;
        int found;
        long long cislo;
        long long poradi;
    };
    const Case cases[] = {
        {{30}, result::Found, 30, 1},
        {{30, 2}, result::Found, 30, 2},
        {{QStringLiteral("40"), QStringLiteral("3")}, result::Found, 40, 3}, // text keys convert
        {{30, 4}, 0, 0, 0},
        {{35}, 0, 0, 0},
        {{60}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t->SeekKeys(c.keys), c.found) << c.keys.front().toString().toStdString();
        if (c.found == result::Found) {
            EXPECT_EQ(t->Value(QStringLiteral("Cislo")).toInt(), c.cislo);
            EXPECT_EQ(t->Value(QStringLiteral("Poradi")).toInt(), c.poradi);
        }
    }
    // After a prefix seek the walk goes on in index order to the end of the table.
    ASSERT_EQ(t->Seek2(40, 2), result::Found);
    QStringList rest;
    do {
        rest << t->Value(QStringLiteral("Cislo")).toString() + u'/' +
                    t->Value(QStringLiteral("Poradi")).toString();
    } while (t->Next() == result::Ok);
    EXPECT_EQ(rest, QStringList({"40/2", "40/3", "50/1", "50/2", "50/3"}));
    EXPECT_EQ(t->Next(), result::NoMore);
    // More keys than the index has fields, or no keys: not found, no record current.
    EXPECT_NE(t->SeekKeys({10, 1, 1}), result::Found);
    EXPECT_NE(t->SeekKeys({}), result::Found);
    EXPECT_TRUE(t->Eof());
}

TEST_F(HostTableTest, EverySeekAndWalkMatchesABruteForceCount) {
    std::mt19937 rng(7);
    const QStringList accounts = {"501100", "501200", "511000", "518300", "521000", "548900",
                                  "602100", "604000", "648000", "211000", "321000", "311000"};
    std::vector<Line> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back({i, 1, accounts[int(rng() % accounts.size())],
                         accounts[int(rng() % accounts.size())], "", (long long)(rng() % 1000000)});
    }
    fill(lines);
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    for (const QString& side : {QStringLiteral("UcMD"), QStringLiteral("UcD")}) {
        std::map<QString, std::pair<int, long long>> expected;
        for (const Line& l : lines) {
            auto& e = expected[side == u"UcMD" ? l.ucMD : l.ucD];
            e.first++;
            e.second += l.castkaRaw;
        }
        ASSERT_EQ(t->SetIndex(side), result::Ok);
        for (const QString& account : accounts) {
            int count = 0;
            long long sum = 0;
            if (t->Seek(account) == result::Found) {
                const int field = t->FieldIndex(side);
                const int amount = t->FieldIndex(QStringLiteral("Castka"));
                while (!t->Eof() && t->Value(field).toString() == account) {
                    ++count;
                    sum += t->Value(amount).toCurrency().raw();
                    t->Next();
                }
            }
            EXPECT_EQ(count, expected[account].first)
                << side.toStdString() << " " << account.toStdString();
            EXPECT_EQ(sum, expected[account].second);
        }
    }
}

TEST_F(HostTableTest, WritesKeepTheWalkConsistent) {
    fill({{1, 1, "501100", "", "", 1}, {2, 1, "502000", "", "", 2}, {3, 1, "503000", "", "", 3}});
    auto t = TBFTable::create();
    ASSERT_EQ(t->Open(path), result::Ok);
    ASSERT_EQ(t->SetIndex(QStringLiteral("UcMD")), result::Ok);

    // Changing the key of the current record moves it in the index.
    ASSERT_EQ(t->Seek(QStringLiteral("501100")), result::Found);
    t->SetValue(QStringLiteral("UcMD"), QStringLiteral("509000"));
    ASSERT_EQ(t->Post(), result::Ok);
    EXPECT_EQ(t->Value(QStringLiteral("UcMD")).toString(), QStringLiteral("509000"));
    EXPECT_EQ(t->Next(), result::NoMore);
    EXPECT_EQ(walk(*t, QStringLiteral("UcMD")), QStringList({"502000", "503000", "509000"}));

    // Deleting makes the next record in index order current.
    ASSERT_EQ(t->Seek(QStringLiteral("502000")), result::Found);
    ASSERT_EQ(t->Delete(), result::Ok);
    ASSERT_FALSE(t->Eof());
    EXPECT_EQ(t->Value(QStringLiteral("UcMD")).toString(), QStringLiteral("503000"));
    EXPECT_EQ(t->RecordCount(), 2);

    // A rolled-back batch leaves nothing behind.
    ASSERT_EQ(t->BeginUpdate(), result::Ok);
    for (int i = 0; i < 10; ++i) {
        t->Append();
        t->SetValue(QStringLiteral("UcMD"), QStringLiteral("600000"));
        ASSERT_EQ(t->Post(), result::Ok);
    }
    t->RollbackUpdate();
    EXPECT_EQ(t->RecordCount(), 2);
    EXPECT_NE(t->Seek(QStringLiteral("600000")), result::Found);

    // A cancelled append writes nothing.
    t->Append();
    t->SetValue(QStringLiteral("UcMD"), QStringLiteral("700000"));
    t->Cancel();
    EXPECT_EQ(t->RecordCount(), 2);
}

TEST_F(HostTableTest, ReadingNeverChangesTheFile) {
    fill({{1, 1, "501100", "602100", "X", 5}, {2, 1, "518300", "602100", "Y", 6}});
    const QString file = path + QStringLiteral(".DAT");
    auto digest = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();
    {
        auto t = TBFTable::create();
        ASSERT_EQ(t->Open(path), result::Ok);
        for (const QString& index :
             {QStringLiteral("UcMD"), QStringLiteral("UcD"), QStringLiteral("Cislo+Poradi")}) {
            ASSERT_EQ(t->SetIndex(index), result::Ok);
            walk(*t, QStringLiteral("Castka"));
            t->Seek(QStringLiteral("602100"));
        }
        t->RecordCount();
    }
    EXPECT_EQ(digest(), before);
}

TEST_F(HostTableTest, FailuresAreAnsweredWithoutACrash) {
    auto t = TBFTable::create();
    // Missing file; operations on a cursor that is not open.
    EXPECT_EQ(t->Open(dir.path() + QStringLiteral("/NEXISTUJE")), result::NotFound);
    EXPECT_FALSE(t->IsOpen());
    EXPECT_EQ(t->First(), result::NotOpen);
    EXPECT_EQ(t->SetIndex(QStringLiteral("UcMD")), result::NotOpen);
    EXPECT_EQ(t->RecordCount(), 0);
    EXPECT_THROW(t->Value(QStringLiteral("UcMD")), HostError);

    // Files that are not tables.
    struct Bad {
        const char* name;
        QByteArray content;
    };
    QByteArray header = QByteArray("SQLite format 3") + '\0';
    const Bad bad[] = {
        {"TEXT", "[Global]\nUcetni rok=2025\n"},
        {"EMPTY", ""},
        {"JUNK", QByteArray(5000, '\x5a')},
        {"HEADER", header + QByteArray(200, '\x01')},
    };
    for (const Bad& b : bad) {
        QFile f(dir.path() + u'/' + QLatin1String(b.name) + QStringLiteral(".DAT"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b.content);
        f.close();
        const int rc = t->Open(dir.path() + u'/' + QLatin1String(b.name));
        EXPECT_NE(rc, result::Ok) << b.name;
        EXPECT_FALSE(t->IsOpen()) << b.name;
        EXPECT_FALSE(t->LastError().isEmpty()) << b.name;
    }

    // A database with two tables is not a host table.
    {
        const QByteArray two = (dir.path() + QStringLiteral("/TWO.DAT")).toUtf8();
        sqlite3* db = nullptr;
        sqlite3_open(two.constData(), &db);
        sqlite3_exec(db, "CREATE TABLE a(x); CREATE TABLE b(y);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        EXPECT_EQ(t->Open(dir.path() + QStringLiteral("/TWO")), result::NotATable);
    }

    // A truncated table file: whatever opens, reading it never crashes.
    fill({{1, 1, "501100", "602100", "X", 5}});
    {
        std::vector<Line> many;
        for (int i = 0; i < 2000; ++i) {
            many.push_back({i, 1, "501100", "602100", QStringLiteral("Z%1").arg(i), i});
        }
        fill(many);
        QFile whole(path + QStringLiteral(".DAT"));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        const QByteArray content = whole.readAll();
        QFile cut(dir.path() + QStringLiteral("/CUT.DAT"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(content.left(content.size() / 2));
        cut.close();
        if (t->Open(dir.path() + QStringLiteral("/CUT")) == result::Ok) {
            t->SetIndex(QStringLiteral("Zakazka"));
            walk(*t, QStringLiteral("Zakazka"));
            t->Seek(QStringLiteral("Z1999"));
            t->Close();
        }
    }

    // A missing index fails; a missing field raises an error the caller catches.
    ASSERT_EQ(t->Open(path), result::Ok);
    EXPECT_EQ(t->SetIndex(QStringLiteral("Datum")), result::NoIndex);
    EXPECT_FALSE(t->LastError().isEmpty());
    ASSERT_EQ(t->First(), result::Ok);
    EXPECT_THROW(t->Value(QStringLiteral("Neexistuje")), HostError);
    EXPECT_THROW(t->SetValue(QStringLiteral("Neexistuje"), 1), HostError);
    EXPECT_EQ(t->FieldIndex(QStringLiteral("Neexistuje")), -1);
    EXPECT_THROW(t->Value(99), HostError);
    // Past the end no record is current.
    while (t->Next() == result::Ok) {
    }
    EXPECT_TRUE(t->Eof());
    EXPECT_THROW(t->Value(QStringLiteral("UcMD")), HostError);
    EXPECT_EQ(t->Delete(), result::NoRecord);
}

TEST_F(HostTableTest, AWriterLockedOutGetsAResultCode) {
    fill({{1, 1, "501100", "", "", 1}});
    const QByteArray file = (path + QStringLiteral(".DAT")).toUtf8();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    auto t = TBFTable::create();
    const int rc = t->Open(path);
    if (rc == result::Ok) {
        EXPECT_EQ(t->BeginUpdate(), result::Locked);
        t->Close();
    } else {
        EXPECT_EQ(rc, result::Locked);
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

TEST_F(HostTableTest, OpensUnderAnyLetterCaseAndDelimiter) {
    fill({{1, 1, "501100", "", "", 1}});
    auto t = TBFTable::create();
    QString windowsStyle = dir.path() + QStringLiteral("\\rok.001\\ucdenik");
    EXPECT_EQ(t->Open(windowsStyle), result::Ok);
    EXPECT_EQ(t->RecordCount(), 1);
}

TEST(HostPaths, ResolveAndListWithoutRegardToCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"ROK.002", "Rok.001", "rok.010", "Rok.txt"}) {
        QDir(dir.path()).mkdir(QLatin1String(name));
    }
    QFile(dir.path() + QStringLiteral("/ROK.INI")).open(QIODevice::WriteOnly);
    QFile(dir.path() + QStringLiteral("/Rok.003"))
        .open(QIODevice::WriteOnly); // a file, not a folder

    EXPECT_EQ(paths::list(dir.path(), QStringLiteral("Rok.*"), true),
              QStringList({"Rok.001", "ROK.002", "rok.010", "Rok.txt"}));
    EXPECT_EQ(paths::list(dir.path(), QStringLiteral("rok.0*"), false),
              QStringList({"Rok.001", "ROK.002", "Rok.003", "rok.010"}));
    EXPECT_EQ(paths::resolve(dir.path() + QStringLiteral("\\rok.002\\")),
              dir.path() + QStringLiteral("/ROK.002/"));
    EXPECT_EQ(paths::resolve(dir.path() + QStringLiteral("/rok.ini")),
              dir.path() + QStringLiteral("/ROK.INI"));
    // A missing component stays as written, the existing part is resolved.
    EXPECT_EQ(paths::resolve(dir.path() + QStringLiteral("/rok.001/NOVY/x.dat")),
              dir.path() + QStringLiteral("/Rok.001/NOVY/x.dat"));
    EXPECT_EQ(paths::folder(QStringLiteral("C:\\Data\\Money")), QStringLiteral("C:/Data/Money/"));
    EXPECT_EQ(paths::folder(QStringLiteral("/a/b//")), QStringLiteral("/a/b/"));
}
