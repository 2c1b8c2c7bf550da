#include "report/model/sestava_typ.h"
#include "test_sestava.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

using test::TTestSestava;

TEST(Definice, VychoziHodnoty) {
    TTestSestava r;
    EXPECT_EQ(r.Popis, QStringLiteral("Tisková úloha KOLBRA"));
    EXPECT_EQ(r.IniFileName, QStringLiteral("SestDLL.ini"));
    EXPECT_EQ(r.Verze.major, 6);
    EXPECT_EQ(r.Verze.minor, 0);
    EXPECT_EQ(r.Verze.release, 27);
    EXPECT_EQ(r.PrintCopies, 1);
    EXPECT_EQ(r.StartPage, 1);
    EXPECT_EQ(r.EndPage, 9999);
    EXPECT_EQ(r.Columns, 1);
    ASSERT_EQ(r.Oddily().Count(), 5);
    const char* letters[] = {"Z", "H", "T", "K", "P"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(r.Oddily()[k].SectionKind, k);
        EXPECT_EQ(r.Oddily()[k].Letter(), QString::fromLatin1(letters[k]));
        EXPECT_FALSE(r.Oddily()[k].Visible);
        EXPECT_EQ(r.Oddily()[k].Height, 0);
    }
    EXPECT_EQ(TOddilSestavy::NazevOddilu(2), QStringLiteral("Tělo sestavy"));
    EXPECT_EQ(TOddilSestavy::NazevOddilu(7), QStringLiteral("Začátek skupiny"));
    EXPECT_EQ(TOddilSestavy::NazevOddilu(8), QStringLiteral("Konec skupiny"));
}

TEST(Definice, SkupinyPridatAOdebrat) {
    TTestSestava r;
    r.SetFieldNames({QStringLiteral("Ucet"), QStringLiteral("Nazev")});
    TPolSkup& g0 = r.AddGroup(QStringLiteral("nazev"), true, 10, true, 20, false);
    TPolSkup& g1 = r.AddGroup(QStringLiteral("0"), false, 30, false, 40, true);
    r.AddGroup(QStringLiteral("Neni"), false, 0, false, 0, false);
    EXPECT_EQ(g0.FieldIndex, 1); // case-insensitive
    EXPECT_EQ(g0.FieldName, QStringLiteral("nazev"));
    EXPECT_EQ(g1.FieldIndex, 0);
    EXPECT_TRUE(g1.FieldName.isEmpty());
    EXPECT_EQ(r.Skupiny()[2].FieldIndex, 0); // a name not found
    EXPECT_EQ(r.Skupiny().Strings(1), QStringLiteral("Skupina 2"));
    EXPECT_EQ(r.Oddily().Count(), 11);
    EXPECT_EQ(g1.Header->Letter(), QStringLiteral("S1"));
    EXPECT_EQ(g1.Footer->Letter(), QStringLiteral("U1"));
    g1.Header->AddElement().Kind = pkGrafickyText;
    TOddilSestavy* formerHeader = g1.Header;

    r.RemoveGroup(0);
    ASSERT_EQ(r.Skupiny().Count(), 2);
    EXPECT_EQ(r.Oddily().Count(), 9);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(r.Oddily()[k].SectionKind, k);
    const TPolSkup& moved = r.Skupiny()[0];
    EXPECT_EQ(moved.Index, 0);
    EXPECT_EQ(moved.Header, formerHeader);
    EXPECT_EQ(moved.Header->SectionKind, 5);
    EXPECT_EQ(moved.Footer->SectionKind, 6);
    EXPECT_EQ(moved.Header->ElementCount(), 1);
    EXPECT_EQ(moved.Header->Height, 40);
    EXPECT_EQ(r.Skupiny()[1].Header->Letter(), QStringLiteral("S1"));

    r.ClearDefinition();
    EXPECT_EQ(r.Skupiny().Count(), 0);
    EXPECT_EQ(r.Oddily().Count(), 5);
}

TEST(Prvky, VychoziHodnotyAPero) {
    TTestSestava r;
    TKolbraReportElement& e = r.PevnyOddil(okTelo).AddElement();
    EXPECT_EQ(e.Kind, 0);
    EXPECT_EQ(e.Source, 0);
    EXPECT_EQ(e.PenWidth(), 1);
    EXPECT_EQ(e.FillColor, kBila);
    EXPECT_EQ(e.Param, 0);
    EXPECT_TRUE(e.Text.isEmpty());
    EXPECT_FALSE(e.HasPicture());
    EXPECT_EQ(e.LastValue, TCalcType());
    EXPECT_EQ(e.Report(), &r);

    e.SetPenWidth(-3);
    EXPECT_EQ(e.PenWidth(), 1);

    e.Kind = pkUsecka;
    e.SetPenStyle(2);
    EXPECT_EQ(e.PenStyle(), 2);
    e.SetPenWidth(3); // a wide line cannot be dashed
    EXPECT_EQ(e.PenStyle(), 0);
    e.SetPenStyle(2);
    EXPECT_EQ(e.PenStyle(), 0);

    TKolbraReportElement& frame = r.PevnyOddil(okTelo).AddElement();
    frame.Kind = pkRamecek;
    frame.SetPenWidth(3);
    frame.SetPenStyle(2);
    EXPECT_EQ(frame.PenStyle(), 2);

    TKolbraReportElement& text = r.PevnyOddil(okTelo).AddElement();
    text.Kind = pkGrafickyText;
    text.Alignment = 1;
    EXPECT_EQ(text.EffectiveAlignment(), 1);
    text.TextFlags = tfDoBloku;
    EXPECT_EQ(text.EffectiveAlignment(), 3);

    text.SetSourceName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(text.SourceName().size(), 32);

    EXPECT_EQ(TKolbraReportElement::NazevDruhu(12), QStringLiteral("Čárový kód"));
    EXPECT_EQ(TKolbraReportElement::NazevDruhu(14), QStringLiteral("Neznámý"));
}

TEST(Pole, SeznamPoliAHodnotyZaznamu) {
    TTestSestava r;
    r.SetFieldNames({QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_EQ(r.HodnotyZaznamu,
              QStringList({QStringLiteral("Položka 1"), QStringLiteral("Položka 2")}));
    EXPECT_EQ(r.FieldCount(), 2);
    EXPECT_EQ(r.FieldIndex(QStringLiteral("b")), 1);
    EXPECT_EQ(r.FieldIndex(QStringLiteral("c")), -1);
    EXPECT_EQ(r.FieldName(5), QStringLiteral("5"));
    EXPECT_EQ(r.FieldLabel(0), QString());
    EXPECT_EQ(r.FieldText(2), QStringLiteral("Položka ?"));
    EXPECT_EQ(r.FieldWidth(0), 10);

    r.Parametry = QStringList({QStringLiteral("Nadpis")});
    EXPECT_EQ(r.ParameterCaption(0), QStringLiteral("1: Nadpis"));
    EXPECT_EQ(r.ParameterCaption(3), QStringLiteral("3"));
}

TEST(SystemovePromenne, CitacePrubehuASkupiny) {
    TTestSestava r;
    r.AddGroup(QStringLiteral("0"), false, 0, false, 0, false);
    r.Beh.cisloRadku = 7;
    r.Beh.cisloStrany = 3;
    r.Beh.pocetStran = 9;
    r.Skupiny()[0].LineInGroup = 4;
    r.Skupiny()[0].GroupNumber = 2;
    r.Beh.datumTisku = QDateTime(QDate(2024, 3, 1), QTime(12, 0));
    EXPECT_EQ(r.SystemValueCount(), 7);
    EXPECT_DOUBLE_EQ(r.SystemValue(2).Number, 7);
    EXPECT_DOUBLE_EQ(r.SystemValue(3).Number, 3);
    EXPECT_DOUBLE_EQ(r.SystemValue(4).Number, 9);
    EXPECT_DOUBLE_EQ(r.SystemValue(5).Number, 4);
    EXPECT_DOUBLE_EQ(r.SystemValue(6).Number, 2);
    EXPECT_DOUBLE_EQ(r.SystemValue(0).Number, 45352.5); // 1.3.2024 noon
    EXPECT_EQ(r.SystemValue(0).Kind, TCalcType::kCislo);
    EXPECT_EQ(r.SystemValue(99), TCalcType());

    TKolbraReportElement& e = r.PevnyOddil(okTelo).AddElement();
    e.Kind = pkPromenna;
    e.Source = 3;
    e.Text = QStringLiteral("Strana %d");
    EXPECT_EQ(r.TextPromenne(e), QStringLiteral("Strana 3"));
    e.Text = QStringLiteral("%s"); // needs a text argument
    EXPECT_EQ(r.TextPromenne(e), QStringLiteral("????"));
    e.Source = 0;
    e.Text = QStringLiteral("dd.mm.yyyy");
    EXPECT_EQ(r.TextPromenne(e), QStringLiteral("01.03.2024"));
}

TEST(Detaily, RegistraceAVlastnictvi) {
    auto master = std::make_unique<TTestSestava>();
    TTestSestava d1;
    TTestSestava d2;
    d1.Popis = QStringLiteral("Položky");
    d1.SetMasterSestava(master.get());
    d2.SetMasterSestava(master.get());
    ASSERT_EQ(master->Detaily().size(), 2u);
    EXPECT_EQ(master->NazevDetailu(0), QStringLiteral("Detail 1: Položky"));
    d1.SetMasterSestava(nullptr);
    ASSERT_EQ(master->Detaily().size(), 1u);
    EXPECT_EQ(master->Detaily()[0], &d2);
    master->SetMasterSestava(&d2); // a cycle is refused
    EXPECT_EQ(master->MasterSestava(), nullptr);
    {
        TTestSestava d3;
        d3.SetMasterSestava(master.get());
        EXPECT_EQ(master->Detaily().size(), 2u);
    }
    EXPECT_EQ(master->Detaily().size(), 1u); // a destroyed detail leaves its master
    master.reset();
    EXPECT_EQ(d2.MasterSestava(), nullptr); // a destroyed master releases its details
}

TEST(Obrazky, HledaniPodleSeznamuKandidatu) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.filePath(QStringLiteral("logo.png"))));

    struct TSestavaSeSlozkou : TTestSestava {
        QString path;
        QString TemplatePathInner() const override { return path; }
    } r;
    r.path = dir.filePath(QStringLiteral("faktura.pts"));
    r.Parametry = QStringList({QStringLiteral("logo.png")});

    EXPECT_EQ(
        TSestavaTyp::KandidatiObrazku(QStringLiteral("'a,b.png', &1 ,#2")),
        QStringList({QStringLiteral("'a,b.png'"), QStringLiteral("&1"), QStringLiteral("#2")}));

    TKolbraReportElement& e = r.PevnyOddil(okZacatek).AddElement();
    e.Kind = pkObrazek;
    e.Text = QStringLiteral("'chybi.png',&1");
    ASSERT_TRUE(r.NajdiObrazek(e));
    EXPECT_EQ(e.Picture.size(), QSize(4, 3));
    EXPECT_EQ(e.PictureFile, QStringLiteral("logo.png"));

    e.Text = QStringLiteral("'chybi.png'");
    EXPECT_FALSE(r.NajdiObrazek(e));
    EXPECT_FALSE(e.HasPicture());

    EXPECT_EQ(r.PictureList(), QStringList({QStringLiteral("logo.png")}));

    TTestSestava detail;
    detail.SetMasterSestava(&r);
    QImage viaMaster;
    EXPECT_TRUE(detail.LoadPicture(QStringLiteral("logo.png"), viaMaster));
}

} // namespace
} // namespace arvelo::report

namespace arvelo::report {
namespace {

using test::TTestSestava;

TEST(Prvky, TistenyTextPodleDruhu) {
    TTestSestava r;
    r.SetFieldNames({QStringLiteral("Ucet")});
    r.FieldLabels = QStringList({QStringLiteral("Účet")});
    r.HodnotyZaznamu = QStringList({QStringLiteral("501100")});
    r.Parametry = QStringList({QStringLiteral("Rok 2024")});
    TRadekFunkce& f = r.Funkce().Add();
    f.TypVysledku = kVysledekText;
    f.Vyraz = QStringLiteral("'a'+'b'");
    r.Funkce().ComputeAll(r);

    struct Case {
        int kind;
        int source;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {pkGrafickyText, 0, "Pevný text", "Pevný text"},
        {pkPolozka, 0, "", "501100"},
        {pkPolozka, 3, "", "Položka ?"},
        {pkPopisPolozky, 0, "", "Účet"},
        {pkPopisPolozky, 4, "", ""},
        {pkParametr, 0, "", "Rok 2024"},
        {pkParametr, 1, "", ""},
        {pkPromenna, 2, "č. %d", "č. 1"},
        {pkFunkce, 0, "", "ab"},
        {pkUsecka, 0, "x", ""},
    };
    for (const auto& c : cases) {
        TKolbraReportElement& e = r.PevnyOddil(okTelo).AddElement();
        e.Kind = c.kind;
        e.Source = c.source;
        e.Text = QString::fromUtf8(c.text);
        EXPECT_EQ(r.TextPrvku(e), QString::fromUtf8(c.expected)) << c.kind << "/" << c.source;
    }

    TKolbraReportElement& code = r.PevnyOddil(okTelo).AddElement();
    code.Kind = pkCarovyKod;
    code.Text = QStringLiteral("&1,'druhý'");
    EXPECT_EQ(r.TextCarovehoKodu(code), QStringLiteral("Rok 2024"));
    code.Text = QStringLiteral("'8590000',#1");
    EXPECT_EQ(r.TextCarovehoKodu(code), QStringLiteral("8590000"));
}

TEST(Pisma, PouzitePismoPrvku) {
    auto none = [](const QString&) { return false; };
    TPismoPrvku arialCe{QStringLiteral("Arial CE"), 12, kCerna, fsBold | fsItalic, 0};
    const TPouzitePismo a = PouzitePismo(arialCe, 0, none);
    EXPECT_EQ(a.name, QStringLiteral("Arial"));
    EXPECT_EQ(a.charset, 238);
    EXPECT_EQ(a.size, 12);
    const QFont qa = a.ToQFont();
    EXPECT_TRUE(qa.bold());
    EXPECT_TRUE(qa.italic());
    EXPECT_FALSE(qa.underline());

    TPismoPrvku roman{QStringLiteral("Roman 17cpi"), 10, kCerna, 0, 0};
    const TPouzitePismo r = PouzitePismo(roman, 0, none);
    EXPECT_EQ(r.name, QStringLiteral("Courier New"));
    EXPECT_EQ(r.size, 8);
    EXPECT_TRUE(r.fixedPitch);
    EXPECT_DOUBLE_EQ(r.charAdvance, 100.0 / 17);
    EXPECT_DOUBLE_EQ(PouzitePismo(roman, 12, none).charAdvance, 12.0);
}

} // namespace
} // namespace arvelo::report
