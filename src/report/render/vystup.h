#pragma once

#include "report/model/prvek.h"
#include "report/render/rozvrh_textu.h"

#include <QImage>
#include <QPicture>
#include <QRect>
#include <memory>
#include <vector>

namespace arvelo::report {

class TKolbraCanvas;

// One positioned element of an output page; it still refers to its definition element.
struct TVystPrvek {
    const TKolbraReportElement* prvek = nullptr;
    int x = 0; // 1/100 in from the printable area's top-left corner
    int y = 0;
    int width = 0;
    int height = 0;
    QString text;
    std::shared_ptr<const TRadky> radky; // laid-out lines, none for a single-line text
    int prvniRadek = 0;
    int posledniRadek = -1;
    QImage obrazek;
    QString souborObrazku;
    int skupina = 0;
};

// One output page: its elements in drawing order.
class TStranaPrvku {
public:
    // Inserts in drawing order: shapes and pictures under the texts, texts by their flags.
    void Vloz(TVystPrvek prvek);
    const std::vector<TVystPrvek>& Prvky() const { return prvky_; }
    std::vector<TVystPrvek>& Prvky() { return prvky_; }
    int PocetSkupin() const { return pocetSkupin_; }

    // a is drawn before b.
    static bool PredChazi(const TVystPrvek& a, const TVystPrvek& b);

private:
    std::vector<TVystPrvek> prvky_;
    int pocetSkupin_ = 0;
};

// The result of a run: pages, page range and what drawing them needs.
class TSestVystup {
public:
    std::vector<TStranaPrvku> strany;
    int prvniStrana = 1;
    int posledniStrana = 9999;
    int kopie = 1;
    int tisknutelnaSirka = 0;
    int tisknutelnaVyska = 0;
    QImage pozadi;
    QRect obdelnikPozadi; // 1/100 in, relative to the printable area
    bool tisknoutPozadi = false;
    bool stop = false; // aborts rendering

    int PocetStran() const { return static_cast<int>(strany.size()); }
    // Creates pages up to index i.
    TStranaPrvku& Strana(int i);
    void Vymaz() { strany.clear(); }
    // Removes every page after the last of the range (EndPage).
    void PouzijRozsah(int startPage, int endPage);

    // The page as a vector recording of (printable width x 6) by (printable height x 6).
    QPicture Metafile(int index) const;
    // The page as a picture of the printable area at a scale (pixels per 1/100 in), white
    // under the elements; a null image for a page that does not exist.
    QImage Obraz(int index, double scale) const;
    // The page drawn on any canvas at a scale, shifted by an offset in 1/100 in.
    void KresliStranu(TKolbraCanvas& canvas, int index, double sx, double sy, double ox = 0,
                      double oy = 0) const;
};

// Where a picture of size w x h goes inside the rectangle r (device units).
QRectF UmisteniObrazku(const QRectF& r, QSizeF obrazek, double sx, double sy, int flags,
                       int alignment);

// Draws one output element on a canvas at the scale (device units per 1/100 in).
void KresliPrvek(TKolbraCanvas& canvas, TMeric& meric, const TVystPrvek& v, double sx, double sy,
                 double ox, double oy);

// The layout font of an element's font.
TPismoRozvrhu PismoPrvku(const TKolbraReportElement& e);

// Sheets and zoom of a page printed on a printer page smaller than the paper.
struct TListyTisku {
    int napric = 1;
    int dolu = 1;
    int zoom = 100;
};
enum class TVolbaTisku { Oriznout, Zmensit, VicListu };
// Printer page and paper in 1/100 in; margins of the template.
TListyTisku SpoctiListy(TVolbaTisku volba, int tiskarnaSirka, int tiskarnaVyska, int papirSirka,
                        int papirVyska, int levy, int pravy, int horni, int dolni);
// True when the printer page is at least 99 % of the paper in both directions.
bool TiskJednaKuJedne(int tiskarnaSirka, int tiskarnaVyska, int papirSirka, int papirVyska);

} // namespace arvelo::report
