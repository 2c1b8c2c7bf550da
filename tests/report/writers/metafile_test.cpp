#include "report/model/text_codec.h"
#include "report/writers/emf_vystup.h"
#include "report/writers/wmf_vystup.h"
#include "ukazka.h"

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
                chyba =
                    QStringLiteral("record %1 at %2 has size %3").arg(typ).arg(pos).arg(velikost);
                return;
            }
            ++typy[typ];
            // Objects must fit the handle table.
            if ((typ == 38 || typ == 39 || typ == 82) && U32(d, pos + 8) >= quint32(handles))
                chyba =
                    QStringLiteral("object %1 beyond %2 handles").arg(U32(d, pos + 8)).arg(handles);
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
        EXPECT_TRUE(
            emf.texty.contains(QStringLiteral("Firma <b>& \"Syn\" s.r.o. – strana %1").arg(i)))
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

quint16 U16(const QByteArray& d, qsizetype pos) {
    return qFromLittleEndian<quint16>(d.constData() + pos);
}

// A placeable Windows metafile read record by record against its two headers.
struct TWmf {
    QString chyba;
    std::map<quint16, int> funkce;
    QString texty;
    int sirka = 0;
    int vyska = 0;
    int naPalec = 0;

    explicit TWmf(const QByteArray& d) {
        if (d.size() < 40 || U32(d, 0) != 0x9AC6CDD7) {
            chyba = QStringLiteral("no placeable header");
            return;
        }
        quint16 soucet = 0;
        for (int i = 0; i < 10; ++i)
            soucet ^= U16(d, 2 * i);
        if (soucet != U16(d, 20))
            chyba = QStringLiteral("checksum");
        sirka = static_cast<qint16>(U16(d, 10)) - static_cast<qint16>(U16(d, 6));
        vyska = static_cast<qint16>(U16(d, 12)) - static_cast<qint16>(U16(d, 8));
        naPalec = U16(d, 14);
        const QByteArray m = d.mid(22);
        if (U16(m, 0) != 1 || U16(m, 2) != 9 || U16(m, 4) != 0x0300)
            chyba = QStringLiteral("standard header");
        if (U32(m, 6) * 2 != static_cast<quint32>(m.size()))
            chyba = QStringLiteral("size %1 words, file %2 bytes").arg(U32(m, 6)).arg(m.size());
        const int objektu = U16(m, 10);
        quint32 nejvetsi = 0;
        std::vector<bool> obsazeno(static_cast<std::size_t>(objektu), false);
        qsizetype pos = 18;
        quint16 posledni = 0xFFFF;
        while (pos + 6 <= m.size()) {
            const quint32 slov = U32(m, pos);
            const quint16 f = U16(m, pos + 4);
            if (slov < 3 || pos + 2 * slov > m.size()) {
                chyba = QStringLiteral("record %1 at %2 has %3 words").arg(f).arg(pos).arg(slov);
                return;
            }
            nejvetsi = std::max(nejvetsi, slov);
            ++funkce[f];
            if (f == 0x02FA || f == 0x02FB || f == 0x02FC) { // objects take the lowest free slot
                auto it = std::find(obsazeno.begin(), obsazeno.end(), false);
                if (it == obsazeno.end())
                    chyba = QStringLiteral("more objects than the header's %1").arg(objektu);
                else
                    *it = true;
            }
            if (f == 0x01F0 || f == 0x012D) {
                const quint16 i = U16(m, pos + 6);
                if (i >= obsazeno.size() || !obsazeno[i])
                    chyba = QStringLiteral("object %1 used but not created").arg(i);
                else if (f == 0x01F0)
                    obsazeno[i] = false;
            }
            if (f == 0x0A32)
                texty += DecodeWindows1250(m.mid(pos + 14, U16(m, pos + 10))) + QLatin1Char('|');
            posledni = f;
            pos += 2 * slov;
        }
        if (pos != m.size())
            chyba = QStringLiteral("%1 bytes after the records").arg(m.size() - pos);
        if (posledni != 0)
            chyba = QStringLiteral("no end record");
        if (nejvetsi != U32(m, 12))
            chyba = QStringLiteral("largest record %1, header %2").arg(nejvetsi).arg(U32(m, 12));
    }
};

TEST(WmfVystupTest, PagesAreWellFormedPlaceableMetafiles) {
    TUkazka s;
    QTemporaryDir dir;
    ASSERT_EQ(ExportWmf(s.vystup, dir.filePath(QStringLiteral("sestava.wmf"))), TSestError::seOK);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("sestava1.wmf"), QStringLiteral("sestava2.wmf")}));
    for (int i = 1; i <= 2; ++i) {
        const TWmf wmf(Obsah(dir.filePath(QStringLiteral("sestava%1.wmf").arg(i))));
        EXPECT_TRUE(wmf.chyba.isEmpty()) << wmf.chyba.toStdString();
        EXPECT_EQ(wmf.sirka, 726 * 6);
        EXPECT_EQ(wmf.vyska, 1069 * 6);
        EXPECT_EQ(wmf.naPalec, 600);
        EXPECT_TRUE(
            wmf.texty.contains(QStringLiteral("Firma <b>& \"Syn\" s.r.o. – strana %1").arg(i)))
            << wmf.texty.toStdString();
        EXPECT_TRUE(wmf.texty.contains(QStringLiteral("Účet 507")));
        const auto pocet = [&](quint16 f) {
            const auto it = wmf.funkce.find(f);
            return it == wmf.funkce.end() ? 0 : it->second;
        };
        EXPECT_EQ(pocet(0x041B), 1); // rectangle
        EXPECT_EQ(pocet(0x0418), 1); // ellipse
        EXPECT_EQ(pocet(0x061C), 1); // rounded rectangle
        EXPECT_EQ(pocet(0x0F43), 1); // the bar code as a bitmap
        EXPECT_EQ(pocet(0x0213), 1); // the rule
    }
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportWmfStream(s.vystup, 2, b), TSestError::seWriteOutput);
    EXPECT_TRUE(b.data().isEmpty());
}

} // namespace
