#include "report/writers/wmf_vystup.h"

#include "report/model/text_codec.h"
#include "report/render/kolbra_canvas.h"
#include "report/render/rozvrh_textu.h"
#include "report/render/vystup.h"

#include <QPainter>
#include <QPicture>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace arvelo::report::writers {

namespace {

// Record functions of the Windows metafile format.
enum : quint16 {
    kEof = 0x0000,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetTextColor = 0x0209,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePen = 0x02FA,
    kCreateFont = 0x02FB,
    kCreateBrush = 0x02FC,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kRoundRect = 0x061C,
    kExtTextOut = 0x0A32,
    kStretchDib = 0x0F43,
};

qint16 Souradnice(double v) {
    return static_cast<qint16>(std::clamp<long>(std::lround(v), std::numeric_limits<qint16>::min(),
                                                std::numeric_limits<qint16>::max()));
}

// One record: its parameters as little-endian words.
class TZaznam {
public:
    explicit TZaznam(quint16 funkce) : funkce_(funkce) {}
    TZaznam& W(qint32 v) {
        char b[2];
        qToLittleEndian<quint16>(static_cast<quint16>(v), b);
        data_.append(b, 2);
        return *this;
    }
    TZaznam& D(quint32 v) {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        data_.append(b, 4);
        return *this;
    }
    TZaznam& Bajty(const QByteArray& b) {
        data_ += b;
        if (data_.size() % 2 != 0)
            data_ += '\0';
        return *this;
    }
    quint16 Funkce() const { return funkce_; }
    const QByteArray& Data() const { return data_; }

private:
    quint16 funkce_;
    QByteArray data_;
};

// The records of one metafile and its object table.
class TWmfZapis {
public:
    void Pridej(const TZaznam& z) {
        const quint32 slov = 3 + static_cast<quint32>(z.Data().size() / 2);
        char b[6];
        qToLittleEndian<quint32>(slov, b);
        qToLittleEndian<quint16>(z.Funkce(), b + 4);
        zaznamy_.append(b, 6);
        zaznamy_ += z.Data();
        nejvetsi_ = std::max(nejvetsi_, slov);
    }
    // A created object takes the lowest free slot of the table, as players assign them.
    int Vytvor(const TZaznam& z) {
        Pridej(z);
        auto it = std::find(obsazeno_.begin(), obsazeno_.end(), false);
        if (it == obsazeno_.end()) {
            obsazeno_.push_back(true);
            return static_cast<int>(obsazeno_.size()) - 1;
        }
        *it = true;
        return static_cast<int>(it - obsazeno_.begin());
    }
    void Smaz(int index) {
        Pridej(TZaznam(kDeleteObject).W(index));
        obsazeno_[static_cast<std::size_t>(index)] = false;
    }

    // Placeable header, standard header, the records and the end record.
    QByteArray Soubor(int sirka, int vyska, int naPalec) {
        Pridej(TZaznam(kEof));
        QByteArray d;
        auto w = [&d](quint16 v) {
            char b[2];
            qToLittleEndian<quint16>(v, b);
            d.append(b, 2);
        };
        auto dw = [&](quint32 v) {
            w(static_cast<quint16>(v & 0xFFFF));
            w(static_cast<quint16>(v >> 16));
        };
        dw(0x9AC6CDD7); // placeable key
        w(0);           // handle
        w(0);
        w(0);
        w(static_cast<quint16>(sirka));
        w(static_cast<quint16>(vyska));
        w(static_cast<quint16>(naPalec));
        dw(0);
        quint16 soucet = 0;
        for (int i = 0; i < 10; ++i)
            soucet ^= qFromLittleEndian<quint16>(d.constData() + 2 * i);
        w(soucet);
        w(1);      // memory metafile
        w(9);      // header words
        w(0x0300); // version
        dw(static_cast<quint32>(9 + zaznamy_.size() / 2));
        w(static_cast<quint16>(std::max<std::size_t>(1, obsazeno_.size())));
        dw(nejvetsi_);
        w(0);
        return d + zaznamy_;
    }

private:
    QByteArray zaznamy_;
    std::vector<bool> obsazeno_;
    quint32 nejvetsi_ = 0;
};

// The canvas writing Windows metafile records.
class TWmfCanvas : public TKolbraCanvas {
public:
    TWmfCanvas(TWmfZapis& wmf, int rozliseni) : wmf_(wmf), rozliseni_(rozliseni) {
        wmf_.Pridej(TZaznam(kSetBkMode).W(1));     // transparent
        wmf_.Pridej(TZaznam(kSetTextAlign).W(24)); // baseline, left
    }

    int RozliseniPisma() const override { return rozliseni_; }

    void SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle) override {
        TZaznam z(kCreateFont);
        z.W(-std::max(1, static_cast<int>(std::lround(pixelSize))));
        z.W(0).W(angle * 10).W(angle * 10).W(pismo.bold ? 700 : 400);
        QByteArray bajty;
        bajty += static_cast<char>(pismo.italic ? 1 : 0);
        bajty += static_cast<char>(pismo.underline ? 1 : 0);
        bajty += static_cast<char>(pismo.strikeOut ? 1 : 0);
        bajty += static_cast<char>(kEastEuropeCharset); // texts are written in Windows-1250
        bajty += QByteArray(4, '\0');
        QByteArray jmeno = EncodeWindows1250(pismo.name).left(31);
        jmeno.resize(32, '\0');
        z.Bajty(bajty + jmeno);
        Vyber(pismo_, wmf_.Vytvor(z));
        wmf_.Pridej(TZaznam(kSetTextColor).D(pismo.color));
    }

    void TextOut(double x, double y, const QString& znaky,
                 const std::vector<double>& posuny) override {
        if (znaky.isEmpty())
            return;
        const QByteArray text = EncodeWindows1250(znaky);
        TZaznam z(kExtTextOut);
        z.W(Souradnice(y)).W(Souradnice(x)).W(static_cast<qint32>(text.size())).W(0);
        z.Bajty(text);
        double pozice = 0;
        int zaokrouhleno = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            pozice += i < static_cast<qsizetype>(posuny.size())
                          ? posuny[static_cast<std::size_t>(i)]
                          : 0.0;
            const int dx = static_cast<int>(std::lround(pozice)) - zaokrouhleno;
            zaokrouhleno += dx;
            z.W(dx);
        }
        wmf_.Pridej(z);
    }

    void SetPen(int style, TBarva color, double width) override {
        TZaznam z(kCreatePen);
        if (width <= 0 || style == 5)
            z.W(5).W(0).W(0).D(0); // PS_NULL
        else
            z.W(style >= 0 && style <= 4 ? style : 0)
                .W(std::max(1, static_cast<int>(std::lround(width))))
                .W(0)
                .D(color);
        Vyber(pero_, wmf_.Vytvor(z));
    }

    void SetBrush(int style, TBarva color) override {
        TZaznam z(kCreateBrush);
        static constexpr int kSrafy[] = {0, 1, 3, 2, 4, 5}; // HS_ values of styles 2-7
        if (style == 1)
            z.W(1).D(0).W(0); // BS_NULL
        else if (style >= 2 && style <= 7)
            z.W(2).D(color).W(kSrafy[style - 2]); // BS_HATCHED
        else
            z.W(0).D(color).W(0);
        Vyber(stetec_, wmf_.Vytvor(z));
    }

    void Line(double x1, double y1, double x2, double y2) override {
        wmf_.Pridej(TZaznam(kMoveTo).W(Souradnice(y1)).W(Souradnice(x1)));
        wmf_.Pridej(TZaznam(kLineTo).W(Souradnice(y2)).W(Souradnice(x2)));
    }

    void Rectangle(const QRectF& r) override { Obdelnik(kRectangle, r); }
    void Ellipse(const QRectF& r) override { Obdelnik(kEllipse, r); }

    void RoundRect(const QRectF& r, double corner) override {
        wmf_.Pridej(TZaznam(kRoundRect)
                        .W(Souradnice(corner))
                        .W(Souradnice(corner))
                        .W(Souradnice(r.bottom()))
                        .W(Souradnice(r.right()))
                        .W(Souradnice(r.top()))
                        .W(Souradnice(r.left())));
    }

    // A bottom-up 24-bit device-independent bitmap, on white where the picture is clear.
    void StretchImage(const QRectF& r, const QImage& image) override {
        if (image.isNull() || r.width() <= 0 || r.height() <= 0)
            return;
        QImage rgb(image.size(), QImage::Format_RGB888);
        rgb.fill(Qt::white);
        {
            QPainter p(&rgb);
            p.drawImage(0, 0, image);
        }
        const int radek = (rgb.width() * 3 + 3) / 4 * 4;
        QByteArray bity(static_cast<qsizetype>(radek) * rgb.height(), '\0');
        for (int y = 0; y < rgb.height(); ++y) {
            const uchar* zdroj = rgb.constScanLine(rgb.height() - 1 - y);
            char* cil = bity.data() + static_cast<qsizetype>(y) * radek;
            for (int x = 0; x < rgb.width(); ++x) { // RGB to the DIB's BGR
                cil[3 * x] = static_cast<char>(zdroj[3 * x + 2]);
                cil[3 * x + 1] = static_cast<char>(zdroj[3 * x + 1]);
                cil[3 * x + 2] = static_cast<char>(zdroj[3 * x]);
            }
        }
        TZaznam z(kStretchDib);
        z.D(0x00CC0020).W(0); // SRCCOPY, RGB colours
        z.W(rgb.height()).W(rgb.width()).W(0).W(0);
        z.W(Souradnice(r.height())).W(Souradnice(r.width()));
        z.W(Souradnice(r.top())).W(Souradnice(r.left()));
        z.D(40).D(static_cast<quint32>(rgb.width())).D(static_cast<quint32>(rgb.height()));
        z.W(1).W(24).D(0).D(static_cast<quint32>(bity.size())).D(0).D(0).D(0).D(0);
        z.Bajty(bity);
        wmf_.Pridej(z);
    }

private:
    void Obdelnik(quint16 funkce, const QRectF& r) {
        wmf_.Pridej(TZaznam(funkce)
                        .W(Souradnice(r.bottom()))
                        .W(Souradnice(r.right()))
                        .W(Souradnice(r.top()))
                        .W(Souradnice(r.left())));
    }
    // Selects a new object and deletes the one it replaces.
    void Vyber(int& slot, int novy) {
        wmf_.Pridej(TZaznam(kSelectObject).W(novy));
        if (slot >= 0)
            wmf_.Smaz(slot);
        slot = novy;
    }

    TWmfZapis& wmf_;
    int rozliseni_;
    int pismo_ = -1;
    int pero_ = -1;
    int stetec_ = -1;
};

} // namespace

TSestError ExportWmfStream(const TSestVystup& vystup, int index, QIODevice& vystupni) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    const int sirka = vystup.tisknutelnaSirka * 6;
    const int vyska = vystup.tisknutelnaVyska * 6;
    // Coordinates of this format are 16-bit.
    if (sirka <= 0 || vyska <= 0 || sirka > std::numeric_limits<qint16>::max() ||
        vyska > std::numeric_limits<qint16>::max())
        return TSestError::seWriteOutput;
    TWmfZapis wmf;
    wmf.Pridej(TZaznam(kSetMapMode).W(8)); // anisotropic
    wmf.Pridej(TZaznam(kSetWindowOrg).W(0).W(0));
    wmf.Pridej(TZaznam(kSetWindowExt).W(vyska).W(sirka));
    {
        TWmfCanvas canvas(wmf, 100);
        vystup.KresliStranu(canvas, index, 6, 6);
    }
    const QByteArray data = wmf.Soubor(sirka, vyska, 600);
    return vystupni.write(data) == data.size() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportWmfFile(const TSestVystup& vystup, int index, const QString& soubor) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    QSaveFile f(soubor);
    if (!f.open(QIODevice::WriteOnly))
        return TSestError::seWriteOutput;
    const TSestError r = ExportWmfStream(vystup, index, f);
    if (r != TSestError::seOK) {
        f.cancelWriting();
        return r;
    }
    return f.commit() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportWmf(const TSestVystup& vystup, const QString& soubor,
                     const TNastaveniExportu& nastaveni) {
    return ExportPoStrankach(
        vystup, soubor, nastaveni, QStringLiteral(".wmf"),
        [&](int strana, const QString& jmeno) { return ExportWmfFile(vystup, strana, jmeno); });
}

} // namespace arvelo::report::writers
