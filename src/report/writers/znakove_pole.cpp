#include "report/writers/znakove_pole.h"

#include "report/model/palette.h"
#include "report/model/text_codec.h"
#include "report/render/vystup.h"
#include "report/writers/kodove_stranky.h"

#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace arvelo::report::writers {

namespace {

int Zaokrouhli(double v) {
    return static_cast<int>(std::lround(v));
}

QString BezRidicichZnaku(QString text) {
    for (QChar& c : text) {
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

QString TZnakovyRadek::Slouceny() const {
    QString r;
    for (const QString& vrstva : vrstvy) {
        if (r.size() < vrstva.size())
            r.resize(vrstva.size(), QLatin1Char(' '));
        for (int i = 0; i < vrstva.size(); ++i) {
            if (r[i] == QLatin1Char(' '))
                r[i] = vrstva[i];
        }
    }
    return r;
}

TUmisteniZnaku UmisteniZnaku(const QString& fontName, int size, int style) {
    if (const auto roman = RomanPismo(fontName))
        size = roman->body;
    int skupina = 0;
    if (size <= 8)
        skupina = 2;
    else if (size <= 10)
        skupina = 1;
    return {skupina * 8 + (style & 7), kZnakuNaPalec[static_cast<std::size_t>(skupina)]};
}

int RadkuNaPalec(int radkovani) {
    switch (radkovani) {
    case 1:
        return 4;
    case 2:
        return 3;
    default:
        return 6;
    }
}

TZnakovePole::TZnakovePole(int pocetRadku) : pocetRadku_(std::max(0, pocetRadku)) {
    radky_.resize(static_cast<std::size_t>(pocetRadku_));
}

void TZnakovePole::Vymaz() {
    radky_.assign(static_cast<std::size_t>(pocetRadku_), TZnakovyRadek());
    nejvyssi_ = -1;
}

void TZnakovePole::Vloz(int radek, int vrstva, int sloupec, int sirka, const QString& text,
                        int zarovnani) {
    if (radek < 0 || vrstva < 0 || vrstva >= kPocetVrstev || sloupec < 0 || sirka <= 0 ||
        sloupec > kPosledniSloupec)
        return;
    QString kus = text;
    int od = sloupec;
    if (zarovnani == 1) {
        kus = text.left(sirka);
        od = sloupec + sirka - static_cast<int>(kus.size());
    } else if (zarovnani == 2) {
        if (text.size() > sirka)
            kus = text.mid((text.size() - sirka) / 2, sirka);
        od = sloupec + (sirka - static_cast<int>(kus.size())) / 2;
    } else {
        kus = text.left(sirka);
    }
    // Text beyond the last column is not placed.
    const int konec = std::min(sloupec + sirka, kPosledniSloupec + 1);
    if (od + kus.size() > konec)
        kus.truncate(std::max(0, konec - od));
    // Lines below the page are kept rather than lost: the grid grows.
    if (radek >= PocetRadku())
        radky_.resize(static_cast<std::size_t>(radek) + 1);
    QString& cil = radky_[static_cast<std::size_t>(radek)].vrstvy[static_cast<std::size_t>(vrstva)];
    if (cil.size() < konec)
        cil.resize(konec, QLatin1Char(' '));
    cil.replace(od, kus.size(), kus);
    nejvyssi_ = std::max(nejvyssi_, radek);
}

void TZnakovePole::VlozPrvek(const TVystPrvek& v, int radkuNaPalec) {
    if (v.prvek == nullptr)
        return;
    const TKolbraReportElement& e = *v.prvek;
    const bool obrazekPole = e.Kind == pkPolozka && !v.obrazek.isNull();
    if (!e.IsTextKind() || obrazekPole)
        return;
    const TUmisteniZnaku u = UmisteniZnaku(e.Font.Name, e.Font.Size, e.Font.Style);
    const int radek = Zaokrouhli(v.y * radkuNaPalec / 100.0);
    const int sloupec = Zaokrouhli(v.x * u.cpi / 100.0);
    const int sirka = Zaokrouhli(v.width * u.cpi / 100.0);
    const int zarovnani = e.EffectiveAlignment();
    if (v.radky) {
        int i = radek;
        for (int r = std::max(0, v.prvniRadek); r <= v.posledniRadek && r < v.radky->Count();
             ++r, ++i) {
            const TRadek& l = v.radky->radky[static_cast<std::size_t>(r)];
            Vloz(i, u.vrstva, sloupec, sirka, BezRidicichZnaku(l.znaky.left(l.count)), zarovnani);
        }
        return;
    }
    Vloz(radek, u.vrstva, sloupec, sirka, BezRidicichZnaku(v.text), zarovnani);
}

int RadkuStrany(const TNastaveniExportu& nastaveni) {
    return nastaveni.stranka.VyskaStranky() * RadkuNaPalec(nastaveni.radkovani) / 100;
}

TZnakovePole ZnakovePoleStrany(const TSestVystup& vystup, int index,
                               const TNastaveniExportu& nastaveni) {
    TZnakovePole pole(RadkuStrany(nastaveni));
    if (index < 0 || index >= vystup.PocetStran())
        return pole;
    const int lpi = RadkuNaPalec(nastaveni.radkovani);
    for (const TVystPrvek& v : vystup.strany[static_cast<std::size_t>(index)].Prvky())
        pole.VlozPrvek(v, lpi);
    return pole;
}

TSestError ExportTextStream(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                            QIODevice& vystupni) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seOK;
    const int lpi = RadkuNaPalec(nastaveni.radkovani);
    TZnakovePole pole(RadkuStrany(nastaveni));
    for (int kopie = 0; kopie < std::max(1, nastaveni.kopie); ++kopie) {
        for (int s = rozsah.od; s <= rozsah.po; ++s) {
            pole.Vymaz();
            for (const TVystPrvek& v : vystup.strany[static_cast<std::size_t>(s)].Prvky()) {
                pole.VlozPrvek(v, lpi);
                if (nastaveni.Preruseno())
                    return TSestError::seCancelled;
            }
            // The last page of the range ends with its last used line.
            const int radku = s == rozsah.po ? pole.NejvyssiRadek() + 1 : pole.PocetRadku();
            QByteArray text;
            for (int i = 0; i < radku; ++i) {
                text +=
                    PrevedKodovani(EncodeWindows1250(pole.Radek(i).Slouceny()), nastaveni.jazyk);
                text += "\r\n";
            }
            if (vystupni.write(text) != text.size())
                return TSestError::seWriteOutput;
        }
    }
    return TSestError::seOK;
}

TSestError ExportText(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                      const QString& soubor) {
    QSaveFile f(soubor);
    if (!f.open(QIODevice::WriteOnly))
        return TSestError::seWriteOutput;
    const TSestError r = ExportTextStream(vystup, nastaveni, f);
    if (r != TSestError::seOK) {
        f.cancelWriting();
        return r;
    }
    return f.commit() ? TSestError::seOK : TSestError::seWriteOutput;
}

} // namespace arvelo::report::writers
