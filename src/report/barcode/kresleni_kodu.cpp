#include "report/barcode/kresleni_kodu.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>

namespace arvelo::report::barcode {

namespace {

constexpr int kZvetseniMin = 4;
constexpr int kZvetseniMax = 16;
constexpr int kZvetseniVychozi = 8;
constexpr int kModulMax = 49;

constexpr std::array<const char*, kZvetseniMax - kZvetseniMin + 1> kTextyZvetseni = {
    "0,50", "0,63", "0,75", "0,88", "1,00", "1,13", "1,25",
    "1,38", "1,50", "1,63", "1,75", "1,88", "2,00",
};

int PlatneZvetseni(int zvetseni) {
    return zvetseni >= kZvetseniMin && zvetseni <= kZvetseniMax ? zvetseni : kZvetseniVychozi;
}

// Restores the painter however the drawing ends.
class TUlozenyStav {
public:
    explicit TUlozenyStav(QPainter& p) : p_(p) { p_.save(); }
    ~TUlozenyStav() { p_.restore(); }
    TUlozenyStav(const TUlozenyStav&) = delete;
    TUlozenyStav& operator=(const TUlozenyStav&) = delete;

private:
    QPainter& p_;
};

void KresliText(QPainter& painter, const QRect& obdelnik, const QString& text, int modul,
                const QColor& barva) {
    QFont pismo(QStringLiteral("Arial"));
    // 3 x m points on the 96 dpi reference the templates were made on: 4 m pixels, whatever
    // the resolution of the device.
    pismo.setPixelSize(std::max(1, 4 * modul));
    painter.setFont(pismo);
    const QFontMetrics metriky(pismo, painter.device());
    const QRect ramec(obdelnik.topLeft(), QSize(metriky.horizontalAdvance(text), metriky.height()));
    if (!text.isEmpty())
        painter.fillRect(ramec, Qt::white);
    painter.setPen(barva);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(ramec, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

} // namespace

QString TextZvetseni(int zvetseni) {
    return QString::fromLatin1(kTextyZvetseni[size_t(PlatneZvetseni(zvetseni) - kZvetseniMin)]);
}

int SirkaModulu(int zvetseni, int meritko) {
    return std::clamp(meritko * PlatneZvetseni(zvetseni) / 6, 1, kModulMax);
}

TZakodovanyKod KresliCarovyKod(QPainter& painter, const QRect& obdelnik, const QString& hodnota,
                               const TParametryKodu& parametry, int meritko,
                               const QColor& barvaTextu) {
    TUlozenyStav stav(painter);
    TZakodovanyKod kod = Zakoduj(parametry.symbologie, hodnota, parametry.kontrolniSoucet);
    const int modul = SirkaModulu(parametry.zvetseni, meritko);
    const auto sirky = kod.Sirky(modul);
    const int vyska = obdelnik.height();
    const int kratka = vyska * 2 / 5;

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    // Rotation about the top-left corner, counter-clockwise on the page (y grows downward).
    QTransform otoceni;
    otoceni.translate(obdelnik.left(), obdelnik.top());
    otoceni.rotate(-parametry.uhel);
    painter.setWorldTransform(otoceni, true);
    int x = 0;
    for (const TPrvekKodu& p : kod.prvky) {
        const int w = sirky[size_t(p.trida - 1)];
        switch (p.druh) {
        case TDruhPrvku::Mezera:
            painter.fillRect(QRect(x, 0, w, vyska), Qt::white);
            break;
        case TDruhPrvku::Cara:
            painter.fillRect(QRect(x, 0, w, vyska), Qt::black);
            break;
        case TDruhPrvku::KratkaCara:
            // White above it, like the spaces, so the symbol is one black-on-white block.
            painter.fillRect(QRect(x, 0, w, vyska - kratka), Qt::white);
            painter.fillRect(QRect(x, vyska - kratka, w, kratka), Qt::black);
            break;
        }
        x += w;
    }
    painter.setWorldTransform(otoceni.inverted(), true);

    if (parametry.tisknoutText)
        KresliText(painter, obdelnik, kod.text, modul, barvaTextu);
    return kod;
}

} // namespace arvelo::report::barcode
