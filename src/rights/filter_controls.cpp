#include "rights/filter_controls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

namespace arvelo::rights {

namespace {

TNazvyOvladacu vyberove(const QString& zaklad) {
    return {QStringLiteral("chck") + zaklad, QStringLiteral("edt") + zaklad,
            QStringLiteral("chck") + zaklad + QStringLiteral("Neg"),
            QStringLiteral("btnVyber") + zaklad};
}

} // namespace

TFiltrVyberu* VyberFiltru(TOmezeni& o, TFiltr filtr) {
    switch (filtr) {
    case TFiltr::Cinnosti:
        return &o.Cinn;
    case TFiltr::Strediska:
        return &o.Stred;
    case TFiltr::Zakazky:
        return &o.Zak;
    case TFiltr::Ucty:
        return &o.Ucty;
    default:
        return nullptr;
    }
}

TFiltrPrepinace* PrepinacFiltru(TOmezeni& o, TFiltr filtr) {
    switch (filtr) {
    case TFiltr::UctyOvlDan:
        return &o.Ovliv;
    case TFiltr::UctyNEOvlDan:
        return &o.NeOvliv;
    case TFiltr::IgnorovatPrevod:
        return &o.IgPrev;
    default:
        return nullptr;
    }
}

bool JeVyber(TFiltr filtr) {
    return filtr == TFiltr::Cinnosti || filtr == TFiltr::Strediska || filtr == TFiltr::Zakazky ||
           filtr == TFiltr::Ucty;
}

TNazvyOvladacu NazvyOvladacu(TFiltr filtr) {
    switch (filtr) {
    case TFiltr::Cinnosti:
        return vyberove(QStringLiteral("Cinnosti"));
    case TFiltr::Strediska:
        return vyberove(QStringLiteral("Strediska"));
    case TFiltr::Zakazky:
        return vyberove(QStringLiteral("Zakazky"));
    case TFiltr::Ucty:
        return vyberove(QStringLiteral("Ucty"));
    case TFiltr::UctyOvlDan:
        return {QStringLiteral("chckUctyOvlDan"), {}, {}, {}};
    case TFiltr::UctyNEOvlDan:
        return {QStringLiteral("chckUctyNEOvlDan"), {}, {}, {}};
    case TFiltr::IgnorovatPrevod:
        return {QStringLiteral("chckIgnorovatPrevod"), {}, {}, {}};
    }
    return {};
}

TFiltrVyberu HodnotyFiltru(const TOmezeni& omezeni, TFiltr filtr) {
    TOmezeni kopie = omezeni;
    if (const TFiltrVyberu* v = VyberFiltru(kopie, filtr)) {
        return *v;
    }
    const TFiltrPrepinace* p = PrepinacFiltru(kopie, filtr);
    TFiltrVyberu out;
    out.Lock = p->Lock;
    out.Check = p->Check;
    return out;
}

bool JeZamceno(const TOmezeni& omezeni, TFiltr filtr) {
    return HodnotyFiltru(omezeni, filtr).Lock;
}

void PouzitOmezeni(const TOmezeni& omezeni, TOvladaceFiltru& ovladace) {
    for (TFiltr filtr : VsechnyFiltry) {
        const TFiltrVyberu hodnoty = HodnotyFiltru(omezeni, filtr);
        const TNazvyOvladacu nazvy = NazvyOvladacu(filtr);
        const bool volny = !hodnoty.Lock;
        ovladace.Povolit(nazvy.Check, volny);
        if (JeVyber(filtr)) {
            ovladace.Povolit(nazvy.Neg, volny);
            ovladace.Povolit(nazvy.Tlacitko, volny);
        }
        if (volny) {
            continue;
        }
        ovladace.NastavitZaskrtnuti(nazvy.Check, hodnoty.Check);
        if (JeVyber(filtr)) {
            ovladace.NastavitText(nazvy.Text, hodnoty.Text);
            ovladace.NastavitZaskrtnuti(nazvy.Neg, hodnoty.Neg);
        }
    }
}

void TOvladaceFormulare::NastavitZaskrtnuti(const QString& ovladac, bool zaskrtnuto) {
    if (auto* b = m_formular.findChild<QAbstractButton*>(ovladac)) {
        b->setChecked(zaskrtnuto);
    }
}

void TOvladaceFormulare::NastavitText(const QString& ovladac, const QString& text) {
    if (auto* e = m_formular.findChild<QLineEdit*>(ovladac)) {
        e->setText(text);
    }
}

void TOvladaceFormulare::Povolit(const QString& ovladac, bool povoleno) {
    if (auto* w = m_formular.findChild<QWidget*>(ovladac)) {
        w->setEnabled(povoleno);
    }
}

} // namespace arvelo::rights
