#pragma once

#include "report/model/palette.h"

#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

namespace arvelo::report {

struct TPismoRozvrhu;

// The drawing surface of the engine: every page, preview, printer page and exported metafile
// is drawn through these calls only, so a metafile writer can implement them one to one.
// Coordinates are device units of the canvas; fonts are sized in device units per em.
class TKolbraCanvas {
public:
    virtual ~TKolbraCanvas() = default;

    // Units per inch that font sizes are pinned to (100 for pages and measuring).
    virtual int RozliseniPisma() const = 0;

    // pixelSize: em size in device units; angle in degrees, counter-clockwise.
    virtual void SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle = 0) = 0;
    // Characters on a baseline from (x, y), each followed by its own advance.
    virtual void TextOut(double x, double y, const QString& znaky,
                         const std::vector<double>& posuny) = 0;
    // Pen style as the templates number them: 0 solid, 1 dash, 2 dot, 3 dash-dot,
    // 4 dash-dot-dot, 5 none. A width of 0 means no outline at all.
    virtual void SetPen(int style, TBarva color, double width) = 0;
    // Brush style: 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward and 5 backward
    // diagonal, 6 cross, 7 diagonal cross.
    virtual void SetBrush(int style, TBarva color) = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Rectangle(const QRectF& r) = 0;
    virtual void RoundRect(const QRectF& r, double corner) = 0;
    virtual void Ellipse(const QRectF& r) = 0;
    virtual void StretchImage(const QRectF& r, const QImage& image) = 0;
    // Draws another page recording stretched into r. This default renders it into a bitmap
    // of r's size and stretches that in through StretchImage (metafile canvases).
    virtual void StretchPicture(const QRectF& r, const class QPicture& picture,
                                const QSizeF& pictureSize);
    // A drawing that only a QPainter can make (bar codes): `kresleni` paints in device units
    // inside `hranice`. This default renders it into a bitmap of the device resolution and
    // stretches that into `hranice`, so every canvas gets it through StretchImage.
    virtual void KresliPainterem(const QRectF& hranice,
                                 const std::function<void(QPainter&)>& kresleni);
};

// The canvas over a QPainter: images, QPicture recordings, printers.
class TQtCanvas : public TKolbraCanvas {
public:
    TQtCanvas(QPainter& painter, int rozliseni = 100);

    int RozliseniPisma() const override { return rozliseni_; }
    void SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle) override;
    void TextOut(double x, double y, const QString& znaky,
                 const std::vector<double>& posuny) override;
    void SetPen(int style, TBarva color, double width) override;
    void SetBrush(int style, TBarva color) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Rectangle(const QRectF& r) override;
    void RoundRect(const QRectF& r, double corner) override;
    void Ellipse(const QRectF& r) override;
    void StretchImage(const QRectF& r, const QImage& image) override;
    void StretchPicture(const QRectF& r, const QPicture& picture, const QSizeF& size) override;
    // Paints straight onto the painter: vectors stay vectors.
    void KresliPainterem(const QRectF& hranice,
                         const std::function<void(QPainter&)>& kresleni) override;

private:
    QPainter& painter_;
    int rozliseni_;
    QFont font_;
    QRawFont rawFont_; // glyphs of font_, looked up once per font
    struct TRawPismo {
        QFont font;
        double velikost;
        QRawFont raw;
    };
    std::vector<TRawPismo> rawFonty_;
    QColor barvaTextu_;
    int uhel_ = 0;
};

} // namespace arvelo::report
