#include "report/render/kolbra_canvas.h"

#include "report/render/rozvrh_textu.h"

#include <QPicture>
#include <cmath>

namespace arvelo::report {

namespace {

// Fonts are sized in whole pixels; drawing them this many times larger and scaling the
// painter down keeps fractional sizes exact at small scales.
constexpr double kJemnost = 16.0;

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

TQtCanvas::TQtCanvas(QPainter& painter, int rozliseni) : painter_(painter), rozliseni_(rozliseni) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void TQtCanvas::SetFont(const TPismoRozvrhu& pismo, double pixelSize, int angle) {
    pismoMeritko_ = pixelSize * kJemnost > 30000 ? 1.0 : kJemnost;
    font_ = pismo.ToQFont(pixelSize * pismoMeritko_);
    barvaTextu_ = BarvaNaQColor(pismo.color);
    uhel_ = angle;
}

void TQtCanvas::TextOut(double x, double y, const QString& znaky,
                        const std::vector<double>& posuny) {
    painter_.save();
    painter_.setFont(font_);
    painter_.setPen(barvaTextu_);
    painter_.translate(x, y);
    if (uhel_ != 0)
        painter_.rotate(-uhel_);
    painter_.scale(1.0 / pismoMeritko_, 1.0 / pismoMeritko_);
    double pos = 0;
    for (int i = 0; i < znaky.size(); ++i) {
        painter_.drawText(QPointF(pos * pismoMeritko_, 0), QString(znaky[i]));
        pos += i < static_cast<int>(posuny.size()) ? posuny[static_cast<std::size_t>(i)] : 0.0;
    }
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
