#include "report/writers/emf_vystup.h"

#include "report/render/kolbra_canvas.h"
#include "report/render/rozvrh_textu.h"
#include "report/render/vystup.h"

#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <vector>

// libEMF's GDI declarations come last: their macros must not reach Qt or the standard library.
#define NOMINMAX
#include <libEMF/emf.h>
#undef ERROR
#undef TRANSPARENT
#undef OPAQUE
#undef TextOut

namespace arvelo::report::writers {

namespace {

int Cele(double v) {
    return static_cast<int>(std::lround(v));
}

// A GDI object selected into the metafile until another replaces it.
class TGdiObjekt {
public:
    TGdiObjekt() = default;
    TGdiObjekt(const TGdiObjekt&) = delete;
    TGdiObjekt& operator=(const TGdiObjekt&) = delete;
    ~TGdiObjekt() { Uvolni(); }

    // Selects a newly created object (or a stock one, which is never deleted).
    void Vyber(HDC dc, HGDIOBJ objekt, bool vlastni) {
        SelectObject(dc, objekt);
        Uvolni();
        objekt_ = objekt;
        vlastni_ = vlastni;
    }

private:
    void Uvolni() {
        if (vlastni_ && objekt_ != 0)
            DeleteObject(objekt_);
        objekt_ = 0;
        vlastni_ = false;
    }
    HGDIOBJ objekt_ = 0;
    bool vlastni_ = false;
};

constexpr int kZnackaX = -123457;
constexpr COLORREF kZnackaBarva = 0x00A5F00D;

struct TBitmapa {
    QRect cil;
    QImage obraz;
};

void Zapis32(QByteArray& d, qsizetype pos, quint32 v) {
    qToLittleEndian<quint32>(v, d.data() + pos);
}

// EMR_STRETCHDIBITS of a picture: a bottom-up 32-bit DIB on white where the picture is clear.
QByteArray ZaznamBitmapy(const TBitmapa& b) {
    QImage dib(b.obraz.size(), QImage::Format_RGB32);
    dib.fill(Qt::white);
    {
        QPainter p(&dib);
        p.drawImage(0, 0, b.obraz);
    }
    dib = dib.mirrored(false, true);
    const qsizetype bity = dib.sizeInBytes();
    QByteArray d(80 + 40, '\0');
    Zapis32(d, 0, 81);
    Zapis32(d, 4, static_cast<quint32>(80 + 40 + bity));
    Zapis32(d, 8, static_cast<quint32>(b.cil.left()));
    Zapis32(d, 12, static_cast<quint32>(b.cil.top()));
    Zapis32(d, 16, static_cast<quint32>(b.cil.right()));
    Zapis32(d, 20, static_cast<quint32>(b.cil.bottom()));
    Zapis32(d, 24, static_cast<quint32>(b.cil.left()));
    Zapis32(d, 28, static_cast<quint32>(b.cil.top()));
    Zapis32(d, 40, static_cast<quint32>(dib.width()));
    Zapis32(d, 44, static_cast<quint32>(dib.height()));
    Zapis32(d, 48, 80);
    Zapis32(d, 52, 40);
    Zapis32(d, 56, 120);
    Zapis32(d, 60, static_cast<quint32>(bity));
    Zapis32(d, 64, 0);          // DIB_RGB_COLORS
    Zapis32(d, 68, 0x00CC0020); // SRCCOPY
    Zapis32(d, 72, static_cast<quint32>(b.cil.width()));
    Zapis32(d, 76, static_cast<quint32>(b.cil.height()));
    Zapis32(d, 80, 40); // BITMAPINFOHEADER
    Zapis32(d, 84, static_cast<quint32>(dib.width()));
    Zapis32(d, 88, static_cast<quint32>(dib.height()));
    qToLittleEndian<quint16>(1, d.data() + 92);
    qToLittleEndian<quint16>(32, d.data() + 94);
    Zapis32(d, 100, static_cast<quint32>(bity));
    d.append(reinterpret_cast<const char*>(dib.constBits()), bity);
    return d;
}

// Replaces the marker pixels of a closed metafile by the bitmap records and corrects the
// header's byte count. False when the file is not what libEMF writes.
bool VlozBitmapy(QByteArray& emf, const std::vector<TBitmapa>& bitmapy) {
    if (bitmapy.empty())
        return true;
    if (emf.size() < 88 || qFromLittleEndian<quint32>(emf.constData()) != 1)
        return false;
    QByteArray vysledek;
    qsizetype pos = 0;
    while (pos + 8 <= emf.size()) {
        const quint32 typ = qFromLittleEndian<quint32>(emf.constData() + pos);
        const quint32 velikost = qFromLittleEndian<quint32>(emf.constData() + pos + 4);
        if (velikost < 8 || pos + velikost > emf.size())
            return false;
        const auto x = static_cast<qint32>(qFromLittleEndian<quint32>(emf.constData() + pos + 8));
        const auto y = static_cast<qint32>(qFromLittleEndian<quint32>(emf.constData() + pos + 12));
        const qint32 k = -1 - y;
        if (typ == 15 && velikost == 20 && x == kZnackaX && k >= 0 &&
            k < static_cast<qint32>(bitmapy.size()) &&
            qFromLittleEndian<quint32>(emf.constData() + pos + 16) == kZnackaBarva)
            vysledek += ZaznamBitmapy(bitmapy[static_cast<std::size_t>(k)]);
        else
            vysledek += emf.mid(pos, velikost);
        pos += velikost;
    }
    Zapis32(vysledek, 48, static_cast<quint32>(vysledek.size()));
    emf = vysledek;
    return true;
}

// The canvas over a libEMF device context.
class TEmfCanvas : public TKolbraCanvas {
public:
    TEmfCanvas(HDC dc, int rozliseni) : dc_(dc), rozliseni_(rozliseni) {
        SetBkMode(dc_, 1); // transparent text background
        SetTextAlign(dc_, TA_BASELINE | TA_LEFT);
    }
    ~TEmfCanvas() override {
        // Stock objects back in before ours are deleted.
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    }

    int RozliseniPisma() const override { return rozliseni_; }

    void SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle) override {
        LOGFONTW lf{};
        lf.lfHeight = -std::max(1, Cele(pixelSize)); // em size
        lf.lfEscapement = angle * 10;
        lf.lfOrientation = angle * 10;
        lf.lfWeight = pismo.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = pismo.italic ? 1 : 0;
        lf.lfUnderline = pismo.underline ? 1 : 0;
        lf.lfStrikeOut = pismo.strikeOut ? 1 : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        const QString jmeno = pismo.name.left(LF_FACESIZE - 1);
        std::copy_n(jmeno.utf16(), jmeno.size(), lf.lfFaceName);
        pismo_.Vyber(dc_, CreateFontIndirectW(&lf), true);
        SetTextColor(dc_, pismo.color);
    }

    void TextOut(double x, double y, const QString& znaky,
                 const std::vector<double>& posuny) override {
        if (znaky.isEmpty())
            return;
        // Advances in whole units, their rounding carried on so the characters do not drift.
        std::vector<INT> dx(static_cast<std::size_t>(znaky.size()), 0);
        double pozice = 0;
        int zaokrouhleno = 0;
        for (std::size_t i = 0; i < dx.size() && i < posuny.size(); ++i) {
            pozice += posuny[i];
            dx[i] = Cele(pozice) - zaokrouhleno;
            zaokrouhleno += dx[i];
        }
        ExtTextOutW(dc_, Cele(x), Cele(y), 0, nullptr, reinterpret_cast<LPCWSTR>(znaky.utf16()),
                    static_cast<UINT>(znaky.size()), dx.data());
    }

    void SetPen(int style, TBarva color, double width) override {
        if (width <= 0 || style == 5) {
            pero_.Vyber(dc_, GetStockObject(NULL_PEN), false);
            return;
        }
        static constexpr INT kStyly[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
        const INT s = style >= 0 && style <= 4 ? kStyly[style] : PS_SOLID;
        pero_.Vyber(dc_, CreatePen(s, std::max(1, Cele(width)), color), true);
    }

    void SetBrush(int style, TBarva color) override {
        if (style == 1) {
            stetec_.Vyber(dc_, GetStockObject(NULL_BRUSH), false);
            return;
        }
        LOGBRUSH lb{};
        lb.lbColor = color;
        lb.lbStyle = BS_SOLID;
        static constexpr INT kSrafy[] = {HS_HORIZONTAL, HS_VERTICAL, HS_BDIAGONAL,
                                         HS_FDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
        if (style >= 2 && style <= 7) {
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = kSrafy[style - 2];
        }
        stetec_.Vyber(dc_, CreateBrushIndirect(&lb), true);
    }

    void Line(double x1, double y1, double x2, double y2) override {
        MoveToEx(dc_, Cele(x1), Cele(y1), nullptr);
        LineTo(dc_, Cele(x2), Cele(y2));
    }

    void Rectangle(const QRectF& r) override {
        ::Rectangle(dc_, Cele(r.left()), Cele(r.top()), Cele(r.right()), Cele(r.bottom()));
    }

    void Ellipse(const QRectF& r) override {
        ::Ellipse(dc_, Cele(r.left()), Cele(r.top()), Cele(r.right()), Cele(r.bottom()));
    }

    // libEMF has no RoundRect: the same outline as a path of lines and quarter-ellipse curves.
    void RoundRect(const QRectF& r, double corner) override {
        const double rx = std::min(corner / 2, r.width() / 2);
        const double ry = std::min(corner / 2, r.height() / 2);
        constexpr double k = 0.5523; // control point distance of a quarter ellipse
        const double l = r.left();
        const double t = r.top();
        const double p = r.right();
        const double b = r.bottom();
        auto bod = [](double x, double y) { return POINT{Cele(x), Cele(y)}; };
        BeginPath(dc_);
        MoveToEx(dc_, Cele(l + rx), Cele(t), nullptr);
        LineTo(dc_, Cele(p - rx), Cele(t));
        const POINT roh1[] = {bod(p - rx + k * rx, t), bod(p, t + ry - k * ry), bod(p, t + ry)};
        PolyBezierTo(dc_, roh1, 3);
        LineTo(dc_, Cele(p), Cele(b - ry));
        const POINT roh2[] = {bod(p, b - ry + k * ry), bod(p - rx + k * rx, b), bod(p - rx, b)};
        PolyBezierTo(dc_, roh2, 3);
        LineTo(dc_, Cele(l + rx), Cele(b));
        const POINT roh3[] = {bod(l + rx - k * rx, b), bod(l, b - ry + k * ry), bod(l, b - ry)};
        PolyBezierTo(dc_, roh3, 3);
        LineTo(dc_, Cele(l), Cele(t + ry));
        const POINT roh4[] = {bod(l, t + ry - k * ry), bod(l + rx - k * rx, t), bod(l + rx, t)};
        PolyBezierTo(dc_, roh4, 3);
        CloseFigure(dc_);
        EndPath(dc_);
        StrokeAndFillPath(dc_);
    }

    // libEMF records no bitmaps: a marker pixel stands in the metafile where the picture goes,
    // and the bitmap record replaces it once libEMF has written the file (VlozBitmapy).
    void StretchImage(const QRectF& r, const QImage& image) override {
        if (image.isNull() || r.width() <= 0 || r.height() <= 0)
            return;
        const int k = static_cast<int>(bitmapy_.size());
        bitmapy_.push_back({r.toAlignedRect(), image});
        ::SetPixel(dc_, kZnackaX, -1 - k, kZnackaBarva);
    }

    std::vector<TBitmapa>& Bitmapy() { return bitmapy_; }

private:
    HDC dc_;
    int rozliseni_;
    std::vector<TBitmapa> bitmapy_;
    TGdiObjekt pismo_;
    TGdiObjekt pero_;
    TGdiObjekt stetec_;
};

// The metafile of a page, written and closed however the drawing ends.
class TEmfSoubor {
public:
    TEmfSoubor(const QString& soubor, int sirka, int vyska) {
        // The frame in 1/100 mm; drawing units are 1/600 in.
        const RECT ramec{0, 0, sirka * 254 / 10, vyska * 254 / 10};
        const QString popis =
            QStringLiteral("Arvelo") + QChar(0) + QStringLiteral("Strana") + QChar(0) + QChar(0);
        const QString jmeno = soubor;
        dc_ = CreateEnhMetaFileW(0, reinterpret_cast<LPCWSTR>(jmeno.utf16()), &ramec,
                                 reinterpret_cast<LPCWSTR>(popis.utf16()));
        if (dc_ == 0)
            return;
        SetMapMode(dc_, MM_ANISOTROPIC);
        SetWindowOrgEx(dc_, 0, 0, nullptr);
        SetWindowExtEx(dc_, sirka * 6, vyska * 6, nullptr);
        // The reference device's pixels for the frame.
        const int px = GetDeviceCaps(dc_, HORZRES);
        const int py = GetDeviceCaps(dc_, VERTRES);
        const int mmx = std::max(1, GetDeviceCaps(dc_, HORZSIZE));
        const int mmy = std::max(1, GetDeviceCaps(dc_, VERTSIZE));
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        SetViewportExtEx(dc_, std::max(1, Cele(sirka * 0.254 * px / mmx)),
                         std::max(1, Cele(vyska * 0.254 * py / mmy)), nullptr);
    }
    ~TEmfSoubor() { Zavri(); }
    TEmfSoubor(const TEmfSoubor&) = delete;
    TEmfSoubor& operator=(const TEmfSoubor&) = delete;

    HDC Dc() const { return dc_; }
    bool Zavri() {
        if (dc_ == 0)
            return false;
        HENHMETAFILE mf = CloseEnhMetaFile(dc_);
        dc_ = 0;
        if (mf == 0)
            return false;
        DeleteEnhMetaFile(mf);
        return true;
    }

private:
    HDC dc_ = 0;
};

} // namespace

TSestError ExportEmfFile(const TSestVystup& vystup, int index, const QString& soubor) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    // Written beside the target and renamed over it once complete.
    const QString docasny = soubor + QStringLiteral(".part");
    bool ok = false;
    {
        TEmfSoubor emf(docasny, vystup.tisknutelnaSirka, vystup.tisknutelnaVyska);
        if (emf.Dc() != 0) {
            std::vector<TBitmapa> bitmapy;
            {
                TEmfCanvas canvas(emf.Dc(), 100);
                vystup.KresliStranu(canvas, index, 6, 6);
                bitmapy = std::move(canvas.Bitmapy());
            }
            ok = emf.Zavri();
            if (ok && !bitmapy.empty()) {
                QFile f(docasny);
                QByteArray data;
                if (f.open(QIODevice::ReadOnly))
                    data = f.readAll();
                f.close();
                ok = VlozBitmapy(data, bitmapy) && f.open(QIODevice::WriteOnly) &&
                     f.write(data) == data.size();
            }
        }
    }
    ok = ok && QFile(docasny).size() > 0;
    if (ok) {
        QFile::remove(soubor);
        ok = QFile::rename(docasny, soubor);
    }
    if (!ok)
        QFile::remove(docasny);
    return ok ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportEmfStream(const TSestVystup& vystup, int index, QIODevice& vystupni) {
    QTemporaryDir dir;
    const QString soubor = dir.filePath(QStringLiteral("strana.emf"));
    const TSestError r = ExportEmfFile(vystup, index, soubor);
    if (r != TSestError::seOK)
        return r;
    QFile f(soubor);
    if (!f.open(QIODevice::ReadOnly))
        return TSestError::seWriteOutput;
    const QByteArray data = f.readAll();
    return vystupni.write(data) == data.size() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportEmf(const TSestVystup& vystup, const QString& soubor,
                     const TNastaveniExportu& nastaveni) {
    return ExportPoStrankach(
        vystup, soubor, nastaveni, QStringLiteral(".emf"),
        [&](int strana, const QString& jmeno) { return ExportEmfFile(vystup, strana, jmeno); });
}

} // namespace arvelo::report::writers
