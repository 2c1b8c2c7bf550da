#include "ukazka.h"

#include "report/writers/emf_vystup.h"

#include <QBuffer>
#include <QDir>
#include <QtEndian>
#include <map>

using namespace arvelo::report;
using namespace arvelo::report::writers;
using namespace arvelo::report::test;

namespace {

quint32 U32(const QByteArray& d, qsizetype pos) {
    return qFromLittleEndian<quint32>(d.constData() + pos);
}

// An enhanced metafile read record by record: every size must add up to the header's counts.
struct TEmf {
    QString chyba;
    std::map<quint32, int> typy; // record type -> count
    QString texty;               // the characters of all text records
    int handles = 0;

    explicit TEmf(const QByteArray& d) {
        if (d.size() < 88 || U32(d, 0) != 1 || U32(d, 40) != 0x464D4520) {
            chyba = QStringLiteral("no EMF header");
            return;
        }
        const quint32 bajtu = U32(d, 48);
        const quint32 zaznamu = U32(d, 52);
        handles = qFromLittleEndian<quint16>(d.constData() + 56);
        if (bajtu != static_cast<quint32>(d.size()))
            chyba = QStringLiteral("nBytes %1, file %2").arg(bajtu).arg(d.size());
        qsizetype pos = 0;
        quint32 pocet = 0;
        quint32 posledni = 0;
        while (pos + 8 <= d.size()) {
            const quint32 typ = U32(d, pos);
            const quint32 velikost = U32(d, pos + 4);
            if (velikost < 8 || velikost % 4 != 0 || pos + velikost > d.size()) {
                chyba = QStringLiteral("record %1 at %2 has size %3").arg(typ).arg(pos).arg(velikost);
                return;
            }
            ++typy[typ];
            // Objects must fit the handle table.
            if ((typ == 38 || typ == 39 || typ == 82) && U32(d, pos + 8) >= quint32(handles))
                chyba = QStringLiteral("object %1 beyond %2 handles").arg(U32(d, pos + 8)).arg(handles);
            if (typ == 84) { // EMR_EXTTEXTOUTW
                const quint32 znaku = U32(d, pos + 44);
                const quint32 od = U32(d, pos + 48);
                texty += QString::fromUtf16(
                    reinterpret_cast<const char16_t*>(d.constData() + pos + od), znaku);
                texty += QLatin1Char('|');
            }
            posledni = typ;
            ++pocet;
            pos += velikost;
        }
        if (pos != d.size())
            chyba = QStringLiteral("%1 bytes after the last record").arg(d.size() - pos);
        if (pocet != zaznamu)
            chyba = QStringLiteral("nRecords %1, found %2").arg(zaznamu).arg(pocet);
        if (posledni != 14)
            chyba = QStringLiteral("no EOF record at the end");
    }
};

TEST(EmfVystupTest, PagesAreWellFormedMetafilesDrawnCallForCall) {
    TUkazka s;
    QTemporaryDir dir;
    ASSERT_EQ(ExportEmf(s.vystup, dir.filePath(QStringLiteral("sestava.emf"))), TSestError::seOK);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("sestava1.emf"), QStringLiteral("sestava2.emf")}));
    for (int i = 1; i <= 2; ++i) {
        const TEmf emf(Obsah(dir.filePath(QStringLiteral("sestava%1.emf").arg(i))));
        EXPECT_TRUE(emf.chyba.isEmpty()) << emf.chyba.toStdString();
        EXPECT_TRUE(emf.texty.contains(QStringLiteral("Firma <b>& \"Syn\" s.r.o. – strana %1").arg(i)))
            << emf.texty.toStdString();
        EXPECT_TRUE(emf.texty.contains(QStringLiteral("Účet 507 – Čárový kód žluťoučký")));
        const auto pocet = [&](quint32 typ) {
            const auto it = emf.typy.find(typ);
            return it == emf.typy.end() ? 0 : it->second;
        };
        EXPECT_EQ(pocet(43), 1);  // EMR_RECTANGLE: the frame
        EXPECT_EQ(pocet(42), 1);  // EMR_ELLIPSE
        EXPECT_EQ(pocet(59), 1);  // EMR_BEGINPATH: the rounded frame
        EXPECT_EQ(pocet(81), 1);  // EMR_STRETCHDIBITS: the bar code
        EXPECT_EQ(pocet(54), 5);  // EMR_LINETO: the rule and the rounded frame's sides
        EXPECT_GE(pocet(84), 17); // EMR_EXTTEXTOUTW: every text
        EXPECT_EQ(pocet(15), 0);  // no marker pixel left
    }
}

TEST(EmfVystupTest, StreamsAndMissingPages) {
    TUkazka s;
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    ASSERT_EQ(ExportEmfStream(s.vystup, 1, b), TSestError::seOK);
    EXPECT_TRUE(TEmf(b.data()).chyba.isEmpty());
    QBuffer prazdny;
    prazdny.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportEmfStream(s.vystup, 2, prazdny), TSestError::seWriteOutput);
    EXPECT_TRUE(prazdny.data().isEmpty());
    QTemporaryDir dir;
    EXPECT_EQ(ExportEmfFile(s.vystup, 0, dir.filePath(QStringLiteral("chybi/x.emf"))),
              TSestError::seWriteOutput);
}

} // namespace
