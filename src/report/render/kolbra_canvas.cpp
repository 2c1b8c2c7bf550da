#include "report/render/kolbra_canvas.h"

#include "report/render/rozvrh_textu.h"

#include <QGlyphRun>
#include <QPicture>
#include <algorithm>
#include <cmath>

namespace arvelo::report {

namespace {

Qt::PenStyle PenStyle(int style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle BrushStyle(int style) {
    switch (style) {
    case 1:
        return Qt::NoBrush;
    case 2:
        return Qt::HorPattern;
    case 3:
        return Qt::VerPattern;
    case 4:
        return Qt::BDiagPattern;
    case 5:
        return Qt::FDiagPattern;
    case 6:
        return Qt::CrossPattern;
    case 7:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

} // namespace

void TKolbraCanvas::KresliPainterem(const QRectF& hranice,
                                    const std::function<void(QPainter&)>& kresleni) {
    const QRect pixely = hranice.toAlignedRect();
    if (pixely.isEmpty())
        return;
    QImage obraz(pixely.size(), QImage::Format_ARGB32_Premultiplied);
    obraz.fill(Qt::transparent);
    QPainter painter(&obraz);
    painter.translate(-pixely.topLeft());
    kresleni(painter);
    painter.end();
    StretchImage(QRectF(pixely), obraz);
}

void TKolbraCanvas::StretchPicture(const QRectF& r, const QPicture& picture, const QSizeF& size) {
    if (size.width() <= 0 || size.height() <= 0 || r.width() <= 0 || r.height() <= 0)
        return;
    QImage obraz(r.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.scale(r.width() / size.width(), r.height() / size.height());
    p.drawPicture(0, 0, picture);
    p.end();
    StretchImage(r, obraz);
}

TQtCanvas::TQtCanvas(QPainter& painter, int rozliseni) : painter_(painter), rozliseni_(rozliseni) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void TQtCanvas::SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle) {
    font_ = pismo.ToQFont(pixelSize);
    const double velikost = pixelSize > 0 ? pixelSize : 1;
    const auto it = std::find_if(rawFonty_.begin(), rawFonty_.end(), [&](const TRawPismo& f) {
        return f.velikost == velikost && f.font == font_;
    });
    if (it != rawFonty_.end()) {
        rawFont_ = it->raw;
    } else {
        rawFont_ = QRawFont::fromFont(font_);
        // Whole pixels are not enough at small scales: the glyphs take the exact size.
        rawFont_.setPixelSize(velikost);
        rawFonty_.push_back({font_, velikost, rawFont_});
    }
    barvaTextu_ = BarvaNaQColor(pismo.color);
    uhel_ = angle;
}

void TQtCanvas::TextOut(double x, double y, const QString& znaky,
                        const std::vector<double>& posuny) {
    painter_.save();
    painter_.setPen(barvaTextu_);
    painter_.translate(x, y);
    if (uhel_ != 0)
        painter_.rotate(-uhel_);
    // One glyph run with an explicit position for every character, so the text stands where
    // the layout measured it on every device.
    const QList<quint32> glyfy = rawFont_.glyphIndexesForString(znaky);
    QList<QPointF> pozice;
    pozice.reserve(glyfy.size());
    double pos = 0;
    for (int i = 0; i < glyfy.size(); ++i) {
        pozice.append(QPointF(pos, 0));
        pos += i < static_cast<int>(posuny.size()) ? posuny[static_cast<std::size_t>(i)] : 0.0;
    }
    QGlyphRun beh;
    beh.setRawFont(rawFont_);
    beh.setGlyphIndexes(glyfy);
    beh.setPositions(pozice);
    beh.setUnderline(font_.underline());
    beh.setStrikeOut(font_.strikeOut());
    painter_.drawGlyphRun(QPointF(0, 0), beh);
    painter_.restore();
}

void TQtCanvas::SetPen(int style, TBarva color, double width) {
    if (width <= 0 || style == 5) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(BarvaNaQColor(color));
    pen.setWidthF(width);
    pen.setStyle(PenStyle(style));
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void TQtCanvas::SetBrush(int style, TBarva color) {
    painter_.setBrush(QBrush(BarvaNaQColor(color), BrushStyle(style)));
}

void TQtCanvas::Line(double x1, double y1, double x2, double y2) {
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void TQtCanvas::Rectangle(const QRectF& r) {
    painter_.drawRect(r);
}

void TQtCanvas::RoundRect(const QRectF& r, double corner) {
    painter_.drawRoundedRect(r, corner / 2, corner / 2); // corner: the size of the corner ellipse
}

void TQtCanvas::Ellipse(const QRectF& r) {
    painter_.drawEllipse(r);
}

void TQtCanvas::StretchImage(const QRectF& r, const QImage& image) {
    if (!image.isNull() && r.width() > 0 && r.height() > 0)
        painter_.drawImage(r, image);
}

void TQtCanvas::StretchPicture(const QRectF& r, const QPicture& picture, const QSizeF& size) {
    if (size.width() <= 0 || size.height() <= 0)
        return;
    painter_.save();
    painter_.translate(r.topLeft());
    painter_.scale(r.width() / size.width(), r.height() / size.height());
    painter_.drawPicture(0, 0, picture);
    painter_.restore();
}

} // namespace arvelo::report

namespace arvelo::report {

void TQtCanvas::KresliPainterem(const QRectF&, const std::function<void(QPainter&)>& kresleni) {
    painter_.save();
    kresleni(painter_);
    painter_.restore();
}

} // namespace arvelo::report
