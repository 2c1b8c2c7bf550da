#include "qt_tisk.h"
#include "report/model/text_codec.h"
#include "report/template/predloha_zapis.h"
#include "report/template/sestava.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace arvelo::report {
namespace {

// Valid records of every kind; the mutations start from these.
const char* const kZaklad[] = {
    R"(I,0,"Sestava ""A""")",
    "I,1,1,5,2",
    "I,2,3,850,1100,40,30,50,60,2,10,0",
    "I,3,0,1,96,1",
    "I,3,3,0,16,3",
    "I,4,0,Ucet,1,30,1,25,1",
    "I,4,1,1,0,10,1,12,0",
    "I,5,3",
    "I,6,1,5,6,2,1,1,0",
    R"(I,7,1,1,1,10,20,300,400,"pozadi.png")",
    R"(F,0,Soucet,"Součet",0,"0",2,"#2*2+@1",2,15,2,2)",
    R"(F,1,Popis,"",1,"",0,"'a'+&1",0,10,0,4)",
    R"(Z,1,0,0,40,800,40,Arial CE,-24,0,1,18,5,238,"Nadpis",0,0,0)",
    R"(Z,5,5,0,0,100,20,Arial,10,12,2,66,0,238,"%d",0,90,7)",
    R"(T,2,Ucet,0,0,100,20,Roman 17cpi,10,0,0,1,0,238,"",0,0,0)",
    R"(T,6,Soucet,100,0,100,20,Arial,10,0,0,1,0,238,"",0,0,0)",
    "T,7,0,0,20,800,0,,2,0,3,1,0,0",
    R"(T,11,11,0,0,50,50,,1,0,0,48,15,0,"'logo.png',&1,#1,@1")",
    R"(T,12,12,0,0,200,50,,2,0,3,48,15,0,"123",0,90,0)",
    "T,13,13,0,0,100,100,,1,0,0,16,15,9",
    "T,15,0,0,30,800,20",
    R"(S0,3,0,0,0,100,20,Arial,10,0,0,0,0,238,"",0,0,0)",
    R"(U1,5,6,0,0,100,20,Arial,10,0,0,0,0,238,"",0,0,0)",
    R"(D0,I,0,"Detail")",
    R"(D0,T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,"řádek")",
    R"(D1,T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,"nic")",
};

const QString kZnaky = QStringLiteral(",\"'0123456789-+IFZHTKPSUD#&@ abcřž\r\t\\:");

class TMutator {
public:
    explicit TMutator(std::uint32_t seed) : gen_(seed) {}

    int Cislo(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }

    QString Znak() {
        if (Cislo(10) == 0)
            return QString(QChar(static_cast<char16_t>(Cislo(0x3000) + 1)));
        return QString(kZnaky[Cislo(static_cast<int>(kZnaky.size()))]);
    }

    QString Token() {
        static const char* const kCisla[] = {"0", "-1", "2147483647", "-2147483648", "99999999999",
                                             "",  "\"", "\"\"",       "S99999",      "D0"};
        return QString::fromLatin1(kCisla[Cislo(10)]);
    }

    QString ZmenRadek(QString line) {
        const int edits = 1 + Cislo(4);
        for (int i = 0; i < edits; ++i) {
            const int at = line.isEmpty() ? 0 : Cislo(static_cast<int>(line.size()) + 1);
            switch (Cislo(5)) {
            case 0:
                line.insert(at, Znak());
                break;
            case 1:
                line.remove(at, 1 + Cislo(3));
                break;
            case 2:
                line.insert(at, Token());
                break;
            case 3:
                line.truncate(at);
                break;
            default:
                line.insert(at, QStringLiteral(",") + Token());
                break;
            }
        }
        return line;
    }

    TPredloha Predloha() {
        TPredloha lines;
        for (const char* l : kZaklad)
            lines.append(QString::fromUtf8(l));
        const int changes = 1 + Cislo(12);
        for (int i = 0; i < changes; ++i) {
            const int at = Cislo(static_cast<int>(lines.size()));
            switch (Cislo(4)) {
            case 0:
                lines.insert(at, lines[Cislo(static_cast<int>(lines.size()))]);
                break;
            case 1:
                lines.removeAt(at);
                break;
            default:
                lines[at] = ZmenRadek(lines[at]);
                break;
            }
            if (lines.isEmpty())
                lines.append(QString());
        }
        return lines;
    }

private:
    std::mt19937 gen_;
};

// Mutated templates never crash or hang the parser, and whatever it read is written in a
// form that reads back to the same lines.
TEST(Odolnost, NahodneZmenenePredlohy) {
    constexpr int kPokusu = 1500;
    TMutator mutator(20241210);
    QElapsedTimer timer;
    timer.start();
    int groups = 0;
    for (int i = 0; i < kPokusu; ++i) {
        const TPredloha lines = mutator.Predloha();
        TSestava master;
        TSestDetail detail;
        detail.SetMasterSestava(&master);
        master.SetFieldNames({QStringLiteral("Ucet"), QStringLiteral("Castka")});
        detail.SetFieldNames(master.FieldNames());
        master.SetPredloha(lines);
        groups += master.Skupiny().Count();

        const TPredloha written = ZapisPredlohu(master);
        TSestava again;
        TSestDetail againDetail;
        againDetail.SetMasterSestava(&again);
        again.SetFieldNames(master.FieldNames());
        againDetail.SetFieldNames(master.FieldNames());
        again.SetPredloha(written);
        ASSERT_EQ(ZapisPredlohu(again), written) << "case " << i << ":\n"
                                                 << lines.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_GT(groups, 0);
    std::cout << "[ fuzz ] " << kPokusu << " mutated templates in " << timer.elapsed() << " ms\n";
}

// Arbitrary bytes, decoded as a template file is, never crash the parser.
TEST(Odolnost, NahodneBajty) {
    constexpr int kPokusu = 1000;
    std::mt19937 gen(77);
    const QByteArray alphabet("ITZHKPSUDF0123456789,\"'-#&@ \r\n\xC8\xE8\xFF\x80");
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kPokusu; ++i) {
        QByteArray bytes;
        const int size = std::uniform_int_distribution<int>(0, 600)(gen);
        for (int j = 0; j < size; ++j) {
            const bool any = std::uniform_int_distribution<int>(0, 9)(gen) == 0;
            bytes.append(any ? static_cast<char>(std::uniform_int_distribution<int>(0, 255)(gen))
                             : alphabet[std::uniform_int_distribution<int>(
                                   0, static_cast<int>(alphabet.size()) - 1)(gen)]);
        }
        const TPredloha lines(DecodeFileText(bytes).text.split(QLatin1Char('\n')));
        TSestava r;
        TSestDetail d;
        d.SetMasterSestava(&r);
        r.SetPredloha(lines);
        const TPredloha written = ZapisPredlohu(r);
        TSestava again;
        TSestDetail againDetail;
        againDetail.SetMasterSestava(&again);
        again.SetPredloha(written);
        ASSERT_EQ(ZapisPredlohu(again), written) << "case " << i;
    }
    std::cout << "[ fuzz ] " << kPokusu << " random byte templates in " << timer.elapsed()
              << " ms\n";
}

// Templates with very many groups and sections stay linear to read.
TEST(Odolnost, MnohoSkupinAPrvku) {
    TPredloha lines;
    for (int g = 0; g < 3000; ++g) {
        lines.append(QStringLiteral("I,4,%1,0,1,10,1,10,0").arg(g));
        lines.append(QStringLiteral("S%1,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"x\"").arg(g));
    }
    const QString longText(1 << 20, QLatin1Char('x'));
    lines.append(QStringLiteral("T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"") + longText +
                 QStringLiteral("\"") + QString(100000, QLatin1Char(',')));
    TSestava r;
    r.SetPredloha(lines);
    EXPECT_EQ(r.PevnyOddil(okTelo).Element(0).Text.size(), longText.size());
    EXPECT_EQ(r.Skupiny().Count(), 3000);
    EXPECT_EQ(r.Oddily().Count(), 5 + 6000);
    EXPECT_EQ(r.Skupiny()[2999].Header->ElementCount(), 1);
}

} // namespace
} // namespace arvelo::report
