#include "rights/frm_uzivatel.h"

#include "rights/rights_prompts.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arvelo::rights {

namespace {

QString popisek(TFiltr filtr) {
    switch (filtr) {
    case TFiltr::Cinnosti:
        return QStringLiteral("jen činnosti");
    case TFiltr::Strediska:
        return QStringLiteral("jen střediska");
    case TFiltr::Zakazky:
        return QStringLiteral("jen zakázky");
    case TFiltr::Ucty:
        return QStringLiteral("jen účty");
    case TFiltr::UctyOvlDan:
        return QStringLiteral("jen pohyby na účtech \"Ovlivňujících daň z příjmů\"");
    case TFiltr::UctyNEOvlDan:
        return QStringLiteral("jen pohyby na účtech \"Neovlivňujících daň z příjmů\"");
    case TFiltr::IgnorovatPrevod:
        return QStringLiteral("ignorovat převod na účet zisků a ztrát");
    }
    return {};
}

int druhSeznamu(TFiltr filtr) {
    switch (filtr) {
    case TFiltr::Cinnosti:
        return druh_seznamu::Cinnosti;
    case TFiltr::Strediska:
        return druh_seznamu::Strediska;
    case TFiltr::Zakazky:
        return druh_seznamu::Zakazky;
    case TFiltr::Ucty:
        return druh_seznamu::Ucty;
    default:
        return 0;
    }
}

std::size_t poradi(TFiltr filtr) {
    return static_cast<std::size_t>(filtr);
}

} // namespace

TfrmUzivatel::TfrmUzivatel(const TUzivatelPrav& uzivatel, TRightsPrompts& prompts,
                           TVyberySeznamu& seznamy, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_seznamy(seznamy), m_id(uzivatel.ID),
      m_jmeno(uzivatel.Jmeno) {
    setObjectName(QStringLiteral("frmUzivatel"));
    setWindowTitle(QStringLiteral("Nastavení uživatele"));

    auto* hlavni = new QVBoxLayout(this);

    auto* identita = new QGridLayout;
    m_edtID = new QLineEdit(QString::number(uzivatel.ID), this);
    m_edtID->setObjectName(QStringLiteral("edtIDUzivatele"));
    m_edtID->setReadOnly(true);
    m_edtJmeno = new QLineEdit(uzivatel.Jmeno, this);
    m_edtJmeno->setObjectName(QStringLiteral("edtJmenoUzivatele"));
    m_edtJmeno->setReadOnly(true);
    identita->addWidget(new QLabel(QStringLiteral("ID uživatele:"), this), 0, 0);
    identita->addWidget(m_edtID, 0, 1);
    identita->addWidget(new QLabel(QStringLiteral("Jméno:"), this), 1, 0);
    identita->addWidget(m_edtJmeno, 1, 1);
    identita->setColumnStretch(1, 1);
    hlavni->addLayout(identita);

    auto* cara = new QFrame(this);
    cara->setFrameShape(QFrame::HLine);
    cara->setFrameShadow(QFrame::Sunken);
    hlavni->addWidget(cara);

    auto* filtry = new QGridLayout;
    int radekMrizky = 0;
    for (TFiltr filtr : VsechnyFiltry) {
        const TNazvyOvladacu nazvy = NazvyOvladacu(filtr);
        Radek& r = m_radky[poradi(filtr)];
        r.pevny = new QCheckBox(QStringLiteral("pevný filtr"), this);
        r.pevny->setObjectName(QStringLiteral("chckPevny") + nazvy.Check.mid(4));
        r.check = new QCheckBox(popisek(filtr), this);
        r.check->setObjectName(nazvy.Check);
        filtry->addWidget(r.pevny, radekMrizky, 0);
        if (JeVyber(filtr)) {
            r.druhSeznamu = druhSeznamu(filtr);
            r.text = new QLineEdit(this);
            r.text->setObjectName(nazvy.Text);
            r.text->setReadOnly(true);
            r.text->setMinimumWidth(220);
            r.tlacitko = new QPushButton(QStringLiteral("..."), this);
            r.tlacitko->setObjectName(nazvy.Tlacitko);
            r.tlacitko->setFixedWidth(
                r.tlacitko->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
            r.neg = new QCheckBox(QStringLiteral("negace"), this);
            r.neg->setObjectName(nazvy.Neg);
            filtry->addWidget(r.check, radekMrizky, 1);
            filtry->addWidget(r.text, radekMrizky, 2);
            filtry->addWidget(r.tlacitko, radekMrizky, 3);
            filtry->addWidget(r.neg, radekMrizky, 4);
            connect(r.tlacitko, &QPushButton::clicked, this, [this, &r] { Vybrat(r); });
        } else {
            filtry->addWidget(r.check, radekMrizky, 1, 1, 4);
        }
        connect(r.pevny, &QCheckBox::toggled, this, &TfrmUzivatel::NastavitPrvky);
        connect(r.check, &QCheckBox::toggled, this, &TfrmUzivatel::NastavitPrvky);
        ++radekMrizky;
    }
    filtry->setColumnStretch(2, 1);
    hlavni->addLayout(filtry);
    hlavni->addStretch(1);

    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* zpet = new QPushButton(QStringLiteral("Zpět"), this);
    zpet->setObjectName(QStringLiteral("btnZpet"));
    tlacitka->addWidget(ok);
    tlacitka->addWidget(zpet);
    hlavni->addLayout(tlacitka);
    connect(ok, &QPushButton::clicked, this, &TfrmUzivatel::Potvrdit);
    connect(zpet, &QPushButton::clicked, this, &QDialog::reject);

    NastavitHodnoty(uzivatel.Omezeni);
    NastavitPrvky();
}

void TfrmUzivatel::NastavitHodnoty(const TOmezeni& omezeni) {
    for (TFiltr filtr : VsechnyFiltry) {
        const TFiltrVyberu h = HodnotyFiltru(omezeni, filtr);
        Radek& r = m_radky[poradi(filtr)];
        r.pevny->setChecked(h.Lock);
        r.check->setChecked(h.Check);
        if (r.text != nullptr) {
            r.text->setText(h.Text);
            r.neg->setChecked(h.Neg);
        }
    }
}

void TfrmUzivatel::NastavitPrvky() {
    for (Radek& r : m_radky) {
        const bool pevny = r.pevny->isChecked();
        r.check->setEnabled(pevny);
        if (r.text == nullptr) {
            continue;
        }
        r.text->setEnabled(pevny);
        r.tlacitko->setEnabled(pevny);
        r.neg->setEnabled(pevny);
        // The list field looks editable only while its filter is ticked.
        QPalette paleta = r.text->palette();
        paleta.setColor(QPalette::Base,
                        palette().color(r.check->isChecked() ? QPalette::Base : QPalette::Button));
        r.text->setPalette(paleta);
    }
}

void TfrmUzivatel::Vybrat(Radek& radek) {
    radek.text->setText(m_seznamy.UpravitSeznam(radek.text->text(), radek.druhSeznamu));
}

TUzivatelPrav TfrmUzivatel::Uzivatel() const {
    TUzivatelPrav u;
    u.ID = m_id;
    u.Jmeno = m_jmeno;
    for (TFiltr filtr : VsechnyFiltry) {
        const Radek& r = m_radky[poradi(filtr)];
        if (TFiltrVyberu* v = VyberFiltru(u.Omezeni, filtr)) {
            v->Lock = r.pevny->isChecked();
            v->Check = r.check->isChecked();
            v->Text = r.text->text();
            v->Neg = r.neg->isChecked();
        } else {
            TFiltrPrepinace* p = PrepinacFiltru(u.Omezeni, filtr);
            p->Lock = r.pevny->isChecked();
            p->Check = r.check->isChecked();
        }
    }
    return u;
}

void TfrmUzivatel::Potvrdit() {
    const TOmezeni o = Uzivatel().Omezeni;
    if (o.Ovliv.Lock && o.NeOvliv.Lock && !o.Ovliv.Check && !o.NeOvliv.Check) {
        m_prompts.Varovani(QStringLiteral("Alespoň jeden přepínač \"jen pohyby na účtech "
                                          "Ovlivňujících nebo Neovlivňujících daň z příjmů\" musí "
                                          "zůstat aktivní."));
        return;
    }
    accept();
}

} // namespace arvelo::rights
