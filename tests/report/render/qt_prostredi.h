#pragma once

#include "support/test_application.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

// Fonts need a GUI application; one lives for the whole test program.
[[maybe_unused]] inline const auto* const kQtProstredi =
    arvelo::test::kTestApplication<QGuiApplication>;

// Records what is drawn so that tests can check positions.
#include "report/render/kolbra_canvas.h"
#include "report/render/rozvrh_textu.h"

#include <QStringList>

class TZaznamCanvas : public arvelo::report::TKolbraCanvas {
public:
    struct TText {
        double x, y;
        QString znaky;
        std::vector<double> posuny;
        arvelo::report::TPismoRozvrhu pismo;
    };
    std::vector<TText> texty;
    QStringList volani; // shapes as "Line x1,y1,x2,y2" etc.
    arvelo::report::TPismoRozvrhu pismo;
    double penWidth = 0;

    int RozliseniPisma() const override { return 100; }
    void SetFont(const arvelo::report::TPismoRozvrhu& p, double, int) override { pismo = p; }
    void TextOut(double x, double y, const QString& z, const std::vector<double>& p) override {
        texty.push_back({x, y, z, p, pismo});
    }
    void SetPen(int, arvelo::report::TBarva, double w) override { penWidth = w; }
    void SetBrush(int, arvelo::report::TBarva) override {}
    void Line(double x1, double y1, double x2, double y2) override {
        volani << QStringLiteral("Line %1,%2,%3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
    }
    void Rectangle(const QRectF& r) override { volani << Popis("Rect", r); }
    void RoundRect(const QRectF& r, double c) override {
        volani << Popis("Round", r) + QStringLiteral(" %1").arg(c);
    }
    void Ellipse(const QRectF& r) override { volani << Popis("Ellipse", r); }
    void StretchImage(const QRectF& r, const QImage&) override { volani << Popis("Image", r); }
    void StretchPicture(const QRectF& r, const class QPicture&, const QSizeF&) override {
        volani << Popis("Picture", r);
    }

private:
    static QString Popis(const char* co, const QRectF& r) {
        return QStringLiteral("%1 %2,%3,%4,%5")
            .arg(QLatin1String(co))
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height());
    }
};
