#pragma once

#include "rights/rights_list.h"

#include <QString>

class QWidget;

namespace arvelo::rights {

// The seven restrictable filters of the wizard.
enum class TFiltr { Cinnosti, Strediska, Zakazky, Ucty, UctyOvlDan, UctyNEOvlDan, IgnorovatPrevod };
constexpr TFiltr VsechnyFiltry[] = {
    TFiltr::Cinnosti,   TFiltr::Strediska,    TFiltr::Zakazky,        TFiltr::Ucty,
    TFiltr::UctyOvlDan, TFiltr::UctyNEOvlDan, TFiltr::IgnorovatPrevod};

// The names of a filter's controls on the wizard's filter page. A switch has
// only its check box; the other three names are then empty.
struct TNazvyOvladacu {
    QString Check;    // chckCinnosti
    QString Text;     // edtCinnosti
    QString Neg;      // chckCinnostiNeg
    QString Tlacitko; // btnVyberCinnosti
};
TNazvyOvladacu NazvyOvladacu(TFiltr filtr);
bool JeVyber(TFiltr filtr);

// The values of one filter in a user's restrictions: a selection filter's
// (nullptr for a switch) or a switch's (nullptr for a selection filter).
TFiltrVyberu* VyberFiltru(TOmezeni& omezeni, TFiltr filtr);
TFiltrPrepinace* PrepinacFiltru(TOmezeni& omezeni, TFiltr filtr);

// The filter's values as a selection; for a switch only Lock and Check have a meaning.
TFiltrVyberu HodnotyFiltru(const TOmezeni& omezeni, TFiltr filtr);
bool JeZamceno(const TOmezeni& omezeni, TFiltr filtr);

// What the wizard offers for its filter controls, by the controls' names.
// The wizard window implements it (TOvladaceFormulare does so for any form
// whose controls carry these object names).
class TOvladaceFiltru {
public:
    virtual ~TOvladaceFiltru() = default;
    virtual void NastavitZaskrtnuti(const QString& ovladac, bool zaskrtnuto) = 0;
    virtual void NastavitText(const QString& ovladac, const QString& text) = 0;
    virtual void Povolit(const QString& ovladac, bool povoleno) = 0;
};

// Presets and disables the locked filters; an unlocked filter's controls are
// enabled and keep whatever the user chose. The wizard's own enabling rules
// must then leave the locked filters alone (JeZamceno).
void PouzitOmezeni(const TOmezeni& omezeni, TOvladaceFiltru& ovladace);

// TOvladaceFiltru over the child widgets of a form, found by object name:
// check boxes and buttons (QAbstractButton) and line edits (QLineEdit).
class TOvladaceFormulare final : public TOvladaceFiltru {
public:
    explicit TOvladaceFormulare(QWidget& formular) : m_formular(formular) {}
    void NastavitZaskrtnuti(const QString& ovladac, bool zaskrtnuto) override;
    void NastavitText(const QString& ovladac, const QString& text) override;
    void Povolit(const QString& ovladac, bool povoleno) override;

private:
    QWidget& m_formular;
};

} // namespace arvelo::rights
