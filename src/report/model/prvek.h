#pragma once

#include "report/expr/calc_type.h"
#include "report/model/palette.h"
#include "report/model/sest_typy.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>

namespace arvelo::report {

class TSestavaTyp;
class TOddilSestavy;

// Font of a text element.
struct TPismoPrvku {
    QString Name = QStringLiteral("Arial");
    int Size = 10; // points
    TBarva Color = kCerna;
    int Style = 0; // TStylPisma bits
    int Charset = kDefaultCharset;

    bool operator==(const TPismoPrvku&) const = default;
};

// Text flags kept with an element's alignment.
enum TTextFlag : int {
    tfRtf = 0x08,
    tfViceRadku = 0x10,
    tfDoBloku = 0x20,
    tfPromennaVyska = 0x40,
};

// Border and picture flags.
enum TPrvekFlag : int {
    pfLevyOkraj = 0x01,
    pfHorniOkraj = 0x02,
    pfPravyOkraj = 0x04,
    pfDolniOkraj = 0x08,
    pfPodleOkna = 0x10,     // picture stretched / bar code check digit / drawing area in use
    pfZachovatPomer = 0x20, // keep aspect ratio / bar code human-readable text
    pfPovolitZmenu = 0x40,  // picture may change per record
};

inline constexpr int kMaxDelkaJmenaZdroje = 32;

// The font a text element is drawn with on screen and in metafiles: legacy script-suffixed
// names resolved, "Roman" printer fonts replaced by Courier New at their pitch.
struct TPouzitePismo {
    QString name;
    int size = 10; // points
    int style = 0;
    int charset = kDefaultCharset;
    bool fixedPitch = false;
    double charAdvance = 0.0; // 1/100 in; 0 = the font's own

    QFont ToQFont() const;
};

TPouzitePismo PouzitePismo(const TPismoPrvku& font, int charPitch,
                           const std::function<bool(const QString&)>& isInstalled);

// One positioned element of a section.
class TKolbraReportElement {
public:
    TKolbraReportElement(TSestavaTyp* report, TOddilSestavy* section)
        : report_(report), section_(section) {}

    TSestavaTyp* Report() const { return report_; }
    TOddilSestavy* Section() const { return section_; }

    int Kind = 0;
    int Source = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    TPismoPrvku Font;
    int Alignment = 0; // 0 left, 1 right, 2 centre
    int TextFlags = 0;
    int Flags = 0;
    QString Text;
    int CharPitch = 0;
    int Angle = 0;
    int Extra = 0;
    TBarva PenColor = kCerna;
    TBarva FillColor = kBila;
    int Param = 0;
    QImage Picture;
    QString PictureFile;
    TCalcType LastValue;

    // The field or function name written in the template instead of an index.
    const QString& SourceName() const { return sourceName_; }
    void SetSourceName(const QString& name) { sourceName_ = name.left(kMaxDelkaJmenaZdroje); }

    int PenWidth() const { return penWidth_; }
    int PenStyle() const { return penStyle_; }
    // Widths below 0 become 1; a line wider than 1 cannot be styled and gets style 0.
    void SetPenWidth(int width);
    void SetPenStyle(int style);

    // Alignment as printed: justified text ("Zarovnávat do bloku") reports 3.
    int EffectiveAlignment() const { return (TextFlags & tfDoBloku) != 0 ? 3 : Alignment; }

    bool IsTextKind() const { return Kind >= pkGrafickyText && Kind <= pkFunkce; }
    bool IsGraphicKind() const { return Kind >= pkUsecka && Kind <= pkKresliciPlocha; }
    bool HasPicture() const { return !Picture.isNull(); }

    // Designer caption of a kind ("Neznámý" for an unknown one); a detail's caption needs the
    // report and is built by the report.
    static QString NazevDruhu(int kind);

private:
    TSestavaTyp* report_;
    TOddilSestavy* section_;
    QString sourceName_;
    int penWidth_ = 1;
    int penStyle_ = 0;
};

} // namespace arvelo::report
