#include "rights/rights_file.h"
#include "rights/rights_list.h"
#include "rights/scramble.h"
#include "rights_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

using namespace arvelo::rights;
using namespace arvelo::rights::test;

namespace {

TUzivatelPrav user(qint32 id, const QString& name) {
    TUzivatelPrav u;
    u.ID = id;
    u.Jmeno = name;
    return u;
}

TObsahPrav twoUsers() {
    TObsahPrav obsah;
    obsah.RozsirenaPrava = true;
    TUzivatelPrav a = user(1, QStringLiteral("Správce"));
    a.Omezeni.Cinn = {true, true, QStringLiteral("OBCHOD;VYROBA;"), true};
    a.Omezeni.Ucty = {false, true, QStringLiteral("501100;518;"), false};
    a.Omezeni.NeOvliv = {true, false};
    TUzivatelPrav b = user(-5, QStringLiteral("Účetní = paní Nováková"));
    b.Omezeni.Zak = {true, false, QString(), false};
    b.Omezeni.IgPrev = {true, true};
    obsah.Uzivatele = {a, b};
    return obsah;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

class RightsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + QStringLiteral("/ORBPRA.TLD");
    }
    QTemporaryDir dir;
    QString path;
    QByteArray key = KlicPrav();
};

} // namespace

TEST(RightsCipher, FinalBlockCarriesTheRemainder) {
    const QByteArray key = KlicPrav();
    for (int length = 0; length <= 17; ++length) {
        QByteArray plain;
        for (int i = 0; i < length; ++i) {
            plain.append(static_cast<char>('a' + i));
        }
        const QByteArray cipher = soubor_prav::Zasifrovat(plain, key);
        EXPECT_EQ(cipher.size(), (length / 8 + 1) * 8) << length;
        // Full blocks are enciphered as they stand: the same 8 bytes give the same block.
        if (length >= 8) {
            EXPECT_EQ(cipher.left(8), soubor_prav::Zasifrovat(plain.left(8), key).left(8));
        }
        const auto back = soubor_prav::Desifrovat(cipher, key);
        ASSERT_TRUE(back.has_value()) << length;
        EXPECT_EQ(*back, plain);
    }
    // A length that is no multiple of the block, an empty text or another key do not decipher.
    const QByteArray cipher = soubor_prav::Zasifrovat(QByteArray("ROZSIRENAPRAVA=0"), key);
    EXPECT_FALSE(soubor_prav::Desifrovat(cipher.left(cipher.size() - 1), key));
    EXPECT_FALSE(soubor_prav::Desifrovat(QByteArray(), key));
    QByteArray otherKey = key;
    otherKey[0] = static_cast<char>(otherKey[0] ^ 1);
    EXPECT_FALSE(soubor_prav::Desifrovat(cipher, otherKey));
}

TEST_F(RightsFileTest, TwoUsersWrittenAndReadBack) {
    const TObsahPrav obsah = twoUsers();
    const QStringList lines = SestavitRadky(obsah);
    const QStringList keys = {
        "ID",        "JMENO",      "LOCKCINN",    "CHECKCINN",    "TEXTCINN",   "NEGCINN",
        "LOCKSTRED", "CHECKSTRED", "TEXTSTRED",   "NEGSTRED",     "LOCKZAK",    "CHECKZAK",
        "TEXTZAK",   "NEGZAK",     "LOCKUCTY",    "CHECKUCTY",    "TEXTUCTY",   "NEGUCTY",
        "LOCKOVLIV", "CHECKOVLIV", "LOCKNEOVLIV", "CHECKNEOVLIV", "LOCKIGPREV", "CHECKIGPREV"};
    ASSERT_EQ(lines.size(), 2 + 2 * keys.size());
    EXPECT_EQ(lines[0], QStringLiteral("ROZSIRENAPRAVA=-1"));
    EXPECT_EQ(lines[1], QStringLiteral("RECORDCOUNT=2"));
    for (int n = 1; n <= 2; ++n) {
        for (int k = 0; k < keys.size(); ++k) {
            const QString& line = lines[2 + (n - 1) * keys.size() + k];
            EXPECT_TRUE(line.startsWith(QString::number(n) + keys[k] + u'=')) << line.toStdString();
        }
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("1TEXTCINN=OBCHOD;VYROBA;")));
    EXPECT_TRUE(lines.contains(QStringLiteral("1LOCKCINN=-1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("1CHECKNEOVLIV=0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("2ID=-5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("2JMENO=Účetní = paní Nováková")));

    ASSERT_EQ(UlozSoubor(lines, path, nullptr, key), 0);
    const QByteArray file = readAll(path);
    ASSERT_GT(file.size(), 7);
    EXPECT_EQ(file.left(3), QByteArray("HSL"));
    QByteArray base64 = file.mid(7);
    for (char& c : base64) {
        c = static_cast<char>(~static_cast<unsigned char>(c));
    }
    const auto crc = static_cast<quint32>(crc32(crc32(0L, Z_NULL, 0),
                                                reinterpret_cast<const Bytef*>(base64.constData()),
                                                static_cast<uInt>(base64.size())));
    const auto stored = static_cast<quint32>(
        static_cast<unsigned char>(file[3]) | static_cast<unsigned char>(file[4]) << 8 |
        static_cast<unsigned char>(file[5]) << 16 | static_cast<unsigned char>(file[6]) << 24);
    EXPECT_EQ(stored, crc);
    EXPECT_TRUE(QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors));

    QStringList readBack;
    ASSERT_EQ(NactiSoubor(readBack, path, nullptr, key), 0);
    EXPECT_EQ(readBack, lines);
    const auto content = PrecistRadky(readBack);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, obsah);
    // No temporary file is left beside the target.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ORBPRA.TLD")});
}

TEST_F(RightsFileTest, DamagedFilesAreRefused) {
    ASSERT_EQ(UlozSoubor(SestavitRadky(twoUsers()), path, nullptr, key), 0);
    const QByteArray good = readAll(path);
    const QString formatMessage =
        QStringLiteral("Soubor ") + path + QStringLiteral(" má chybný formát.");

    struct Case {
        const char* what;
        QByteArray data;
    };
    QByteArray tampered = good;
    tampered[good.size() / 2] = static_cast<char>(tampered[good.size() / 2] ^ 0x04);
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'X';
    QByteArray wrongCrc = good;
    wrongCrc[4] = static_cast<char>(wrongCrc[4] + 1);
    const Case cases[] = {
        {"tampered byte", tampered},
        {"wrong magic", wrongMagic},
        {"wrong crc", wrongCrc},
        {"truncated", good.left(good.size() - 3)},
        {"only the magic", QByteArray("HSL")},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        writeAll(path, c.data);
        QStringList lines{QStringLiteral("stale")};
        EXPECT_EQ(NactiSoubor(lines, path, nullptr, key), -1) << c.what;
        EXPECT_TRUE(lines.isEmpty()) << c.what;
        ScriptedPrompts prompts;
        EXPECT_EQ(NactiSoubor(lines, path, &prompts, key), -1) << c.what;
        ASSERT_EQ(prompts.calls.size(), 1u) << c.what;
        EXPECT_EQ(prompts.calls[0].kind, QStringLiteral("error"));
        EXPECT_EQ(prompts.calls[0].text, formatMessage) << c.what;
    }
    ScriptedPrompts prompts;
    QStringList lines;
    const QString missing = dir.path() + QStringLiteral("/NENI.TLD");
    EXPECT_EQ(NactiSoubor(lines, missing, &prompts, key), -1);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].text,
              QStringLiteral("Soubor ") + missing + QStringLiteral(" neexistuje."));
}

TEST_F(RightsFileTest, WritingReplacesTheFileWholeOrReportsTheFailure) {
    writeAll(path, QByteArray("old content"));
    ASSERT_EQ(UlozSoubor({QStringLiteral("ROZSIRENAPRAVA=0"), QStringLiteral("RECORDCOUNT=0")},
                         path, nullptr, key),
              0);
    QStringList lines;
    ASSERT_EQ(NactiSoubor(lines, path, nullptr, key), 0);
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("ROZSIRENAPRAVA=0"), QStringLiteral("RECORDCOUNT=0")}));

    ScriptedPrompts prompts;
    const QString nowhere = dir.path() + QStringLiteral("/chybi/ORBPRA.TLD");
    EXPECT_EQ(UlozSoubor(lines, nowhere, nullptr, key), -1);
    EXPECT_EQ(UlozSoubor(lines, nowhere, &prompts, key), -1);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].text, QStringLiteral("Při zápisu do souboru ") + nowhere +
                                         QStringLiteral(" došlo k chybě."));
}

TEST_F(RightsFileTest, AFileThatCannotBeReplacedStaysAsItWas) {
    ASSERT_EQ(UlozSoubor({QStringLiteral("ROZSIRENAPRAVA=0")}, path, nullptr, key), 0);
    const QByteArray before = readAll(path);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(dir.path()).isWritable()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    ScriptedPrompts denied;
    EXPECT_EQ(UlozSoubor({QStringLiteral("X=1")}, path, &denied, key), -1);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(denied.calls.size(), 1u);
    EXPECT_EQ(denied.calls[0].text, QStringLiteral("Nelze přepsat soubor ") + path);
    EXPECT_EQ(readAll(path), before);
}

TEST(RightsLines, KeysIgnoreCaseAndMissingKeysReadEmpty) {
    const TSeznamHodnot values({QStringLiteral("Klic=a=b"), QStringLiteral("KLIC=druhy"),
                                QStringLiteral("bez rovnitka"), QStringLiteral("cislo= 12 "),
                                QStringLiteral("minus=-1"), QStringLiteral("nula=0"),
                                QStringLiteral("pet=5"), QStringLiteral("text=x1")});
    EXPECT_EQ(values.Hodnota(QStringLiteral("klic")), QStringLiteral("a=b"));
    EXPECT_EQ(values.Hodnota(QStringLiteral("chybi")), QString());
    EXPECT_EQ(values.Cislo(QStringLiteral("CISLO")), 12);
    EXPECT_EQ(values.Priznak(QStringLiteral("minus")), true);
    EXPECT_EQ(values.Priznak(QStringLiteral("nula")), false);
    EXPECT_EQ(values.Priznak(QStringLiteral("pet")), true);
    EXPECT_EQ(values.Priznak(QStringLiteral("text")), std::nullopt);
    EXPECT_EQ(values.Priznak(QStringLiteral("chybi")), std::nullopt);
}

TEST(RightsLines, NumbersThatDoNotReadMakeTheFileDamaged) {
    const QStringList good = SestavitRadky(twoUsers());
    ASSERT_TRUE(PrecistRadky(good).has_value());
    auto replaced = [&](const QString& prefix, const QString& line) {
        QStringList out = good;
        for (QString& l : out) {
            if (l.startsWith(prefix)) {
                l = line;
            }
        }
        return out;
    };
    auto without = [&](const QString& prefix) {
        QStringList out = good;
        out.removeIf([&](const QString& l) { return l.startsWith(prefix); });
        return out;
    };
    struct Case {
        const char* what;
        QStringList lines;
    };
    const Case damaged[] = {
        {"count missing", without(QStringLiteral("RECORDCOUNT="))},
        {"count not a number",
         replaced(QStringLiteral("RECORDCOUNT="), QStringLiteral("RECORDCOUNT=dva"))},
        {"count negative",
         replaced(QStringLiteral("RECORDCOUNT="), QStringLiteral("RECORDCOUNT=-1"))},
        {"count beyond the users",
         replaced(QStringLiteral("RECORDCOUNT="), QStringLiteral("RECORDCOUNT=2000000000"))},
        {"flag missing", without(QStringLiteral("ROZSIRENAPRAVA="))},
        {"flag not a number",
         replaced(QStringLiteral("ROZSIRENAPRAVA="), QStringLiteral("ROZSIRENAPRAVA=ano"))},
        {"id not a number", replaced(QStringLiteral("2ID="), QStringLiteral("2ID=x"))},
        {"id beyond 32 bits", replaced(QStringLiteral("2ID="), QStringLiteral("2ID=4294967296"))},
        {"lock empty", replaced(QStringLiteral("1LOCKZAK="), QStringLiteral("1LOCKZAK="))},
        {"check missing", without(QStringLiteral("2CHECKIGPREV="))},
        {"neg not a number", replaced(QStringLiteral("1NEGUCTY="), QStringLiteral("1NEGUCTY=-"))},
    };
    for (const Case& c : damaged) {
        EXPECT_FALSE(PrecistRadky(c.lines).has_value()) << c.what;
    }
    // Texts may be missing; keys in any case.
    QStringList lower = without(QStringLiteral("1TEXTCINN="));
    for (QString& l : lower) {
        const qsizetype eq = l.indexOf(u'=');
        l = l.left(eq).toLower() + l.mid(eq);
    }
    const auto content = PrecistRadky(lower);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->Uzivatele.size(), 2u);
    EXPECT_EQ(content->Uzivatele[0].Omezeni.Cinn.Text, QString());
    EXPECT_EQ(content->Uzivatele[1].Jmeno, QStringLiteral("Účetní = paní Nováková"));
    // A line break in a value would start a new key; it is written as a space.
    TObsahPrav withBreak;
    withBreak.Uzivatele = {user(1, QStringLiteral("a\r\n2ID=x"))};
    const auto back = PrecistRadky(SestavitRadky(withBreak));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Uzivatele[0].Jmeno, QStringLiteral("a  2ID=x"));
}

// Mutates valid files and their lines at random (fixed seed) and feeds them to
// the reader: every outcome must be a clean refusal or a consistent content.
TEST(RightsRobustness, RandomMutationsNeverCrashAndAreDetected) {
    std::mt19937 rng(20261210);
    const QByteArray key = KlicPrav();
    auto randomText = [&](int maxLen) {
        static const char16_t alphabet[] = u"aA0;=-ěščřžýáíéúůĚŠČŘŽ \t x9";
        QString s;
        const int len = std::uniform_int_distribution<int>(0, maxLen)(rng);
        for (int i = 0; i < len; ++i) {
            s.append(QChar(
                alphabet[std::uniform_int_distribution<int>(0, std::size(alphabet) - 2)(rng)]));
        }
        return s;
    };
    auto randomContent = [&] {
        TObsahPrav o;
        o.RozsirenaPrava = rng() % 2;
        const int users = std::uniform_int_distribution<int>(0, 4)(rng);
        for (int i = 0; i < users; ++i) {
            TUzivatelPrav u = user(static_cast<qint32>(rng()), randomText(20));
            for (TFiltrVyberu* f :
                 {&u.Omezeni.Cinn, &u.Omezeni.Stred, &u.Omezeni.Zak, &u.Omezeni.Ucty}) {
                *f = {rng() % 2 == 0, rng() % 2 == 0, randomText(30), rng() % 2 == 0};
            }
            for (TFiltrPrepinace* f : {&u.Omezeni.Ovliv, &u.Omezeni.NeOvliv, &u.Omezeni.IgPrev}) {
                *f = {rng() % 2 == 0, rng() % 2 == 0};
            }
            o.Uzivatele.push_back(u);
        }
        return o;
    };

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/ORBPRA.TLD");
    int envelopes = 0;
    int parsedMutations = 0;
    for (int round = 0; round < 3000; ++round) {
        const TObsahPrav content = randomContent();
        const QStringList lines = SestavitRadky(content);
        // Round trip of random content.
        const QByteArray file = soubor_prav::Obal(lines, key);
        const auto unpacked = soubor_prav::Rozbal(file, key);
        ASSERT_TRUE(unpacked.has_value());
        ASSERT_EQ(PrecistRadky(*unpacked), content);

        // Envelope mutations: one or more changed bytes, truncation, extension.
        QByteArray mutated = file;
        switch (rng() % 4) {
        case 0: {
            const auto at = std::uniform_int_distribution<qsizetype>(0, mutated.size() - 1)(rng);
            mutated[at] = static_cast<char>(mutated[at] ^ (1 + rng() % 255));
            // Every single changed byte is caught (magic, CRC, or a CRC mismatch).
            EXPECT_FALSE(soubor_prav::Rozbal(mutated, key).has_value()) << round;
            break;
        }
        case 1:
            mutated.truncate(std::uniform_int_distribution<qsizetype>(0, mutated.size() - 1)(rng));
            EXPECT_FALSE(soubor_prav::Rozbal(mutated, key).has_value()) << round;
            break;
        case 2:
            for (int i = 0, n = 1 + int(rng() % 8); i < n; ++i) {
                mutated[std::uniform_int_distribution<qsizetype>(0, mutated.size() - 1)(rng)] =
                    static_cast<char>(rng());
            }
            (void)soubor_prav::Rozbal(mutated, key);
            break;
        default:
            mutated.append(static_cast<char>(rng()));
            EXPECT_FALSE(soubor_prav::Rozbal(mutated, key).has_value()) << round;
            break;
        }
        if (round % 10 == 0) {
            writeAll(path, mutated);
            QStringList out;
            const int rc = NactiSoubor(out, path, nullptr, key);
            EXPECT_TRUE(rc == 0 || out.isEmpty());
            ++envelopes;
        }

        // Line mutations inside a well-formed envelope: the parser decides.
        QStringList changed = lines;
        for (int i = 0, n = 1 + int(rng() % 4); i < n && !changed.isEmpty(); ++i) {
            const auto at = std::uniform_int_distribution<qsizetype>(0, changed.size() - 1)(rng);
            switch (rng() % 4) {
            case 0:
                changed.removeAt(at);
                break;
            case 1:
                changed[at] = randomText(12);
                break;
            case 2: {
                QString& l = changed[at];
                l.insert(std::uniform_int_distribution<qsizetype>(0, l.size())(rng), randomText(3));
                break;
            }
            default:
                changed.insert(
                    at,
                    changed[std::uniform_int_distribution<qsizetype>(0, changed.size() - 1)(rng)]);
                break;
            }
        }
        const auto repacked = soubor_prav::Rozbal(soubor_prav::Obal(changed, key), key);
        ASSERT_TRUE(repacked.has_value());
        const auto parsed = PrecistRadky(*repacked);
        if (parsed) {
            const TSeznamHodnot values(*repacked);
            ASSERT_EQ(static_cast<qint64>(parsed->Uzivatele.size()),
                      values.Cislo(QStringLiteral("RECORDCOUNT")));
            ++parsedMutations;
        }
    }
    EXPECT_GT(envelopes, 0);
    EXPECT_GT(parsedMutations, 0); // some mutations leave a valid file, so both paths ran
}
