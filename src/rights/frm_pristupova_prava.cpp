#include "rights/frm_pristupova_prava.h"

#include "rights/frm_uzivatel.h"
#include "rights/rights_prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace arvelo::rights {

TfrmPristupovaPrava::TfrmPristupovaPrava(std::vector<TUzivatelPrav>& uzivatele, bool rozsirenaPrava,
                                         TRightsPrompts& prompts, TVyberySeznamu& seznamy,
                                         QWidget* parent)
    : QDialog(parent), m_uzivatele(uzivatele), m_prompts(prompts), m_seznamy(seznamy) {
    setObjectName(QStringLiteral("frmPristupovaPrava"));
    setWindowTitle(QStringLiteral("Nastavení přístupových práv"));

    auto* hlavni = new QVBoxLayout(this);
    m_rbStandardni = new QRadioButton(QStringLiteral("použít standardní práva z Money"), this);
    m_rbStandardni->setObjectName(QStringLiteral("rbStandardniPrava"));
    m_rbRozsirena = new QRadioButton(QStringLiteral("použít rozšířená práva"), this);
    m_rbRozsirena->setObjectName(QStringLiteral("rbRozsirenaPrava"));
    (rozsirenaPrava ? m_rbRozsirena : m_rbStandardni)->setChecked(true);
    hlavni->addWidget(m_rbStandardni);
    hlavni->addWidget(m_rbRozsirena);
    connect(m_rbStandardni, &QRadioButton::clicked, this, &TfrmPristupovaPrava::NastavitPrvky);
    connect(m_rbRozsirena, &QRadioButton::clicked, this, &TfrmPristupovaPrava::NastavitPrvky);

    auto* seznam = new QHBoxLayout;
    m_mrizka = new QTableWidget(0, 1, this);
    m_mrizka->setObjectName(QStringLiteral("grUzivatele"));
    m_mrizka->setHorizontalHeaderLabels({QStringLiteral("Jméno")});
    m_mrizka->horizontalHeader()->setStretchLastSection(true);
    m_mrizka->verticalHeader()->hide();
    m_mrizka->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_mrizka->setSelectionMode(QAbstractItemView::SingleSelection);
    m_mrizka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_mrizka->setMinimumSize(260, 200);
    seznam->addWidget(m_mrizka, 1);
    connect(m_mrizka, &QTableWidget::cellDoubleClicked, this, [this] { EditovatUzivatele(); });

    auto* akce = new QVBoxLayout;
    auto tlacitko = [this, akce](const char* nazev, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(nazev));
        akce->addWidget(b);
        return b;
    };
    m_pridat = tlacitko("btnPridatUzivatele", QStringLiteral("Přidat uživatele"));
    m_editovat = tlacitko("btnEditovatUzivatele", QStringLiteral("Editovat uživatele"));
    m_kopirovat = tlacitko("btnKopirovatUzivatele", QStringLiteral("Kopírovat uživatele"));
    m_vyjmout = tlacitko("btnVyjmoutUzivatele", QStringLiteral("Vyjmout uživatele"));
    akce->addStretch(1);
    seznam->addLayout(akce);
    hlavni->addLayout(seznam, 1);
    connect(m_pridat, &QPushButton::clicked, this, &TfrmPristupovaPrava::PridatUzivatele);
    connect(m_editovat, &QPushButton::clicked, this, &TfrmPristupovaPrava::EditovatUzivatele);
    connect(m_kopirovat, &QPushButton::clicked, this, &TfrmPristupovaPrava::KopirovatUzivatele);
    connect(m_vyjmout, &QPushButton::clicked, this, &TfrmPristupovaPrava::VyjmoutUzivatele);

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
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(zpet, &QPushButton::clicked, this, &QDialog::reject);

    ObnovitMrizku(0);
}

bool TfrmPristupovaPrava::RozsirenaPrava() const {
    return m_rbRozsirena->isChecked();
}

int TfrmPristupovaPrava::AktualniRadek() const {
    const int radek = m_mrizka->currentRow();
    return radek >= 0 && radek < static_cast<int>(m_uzivatele.size()) ? radek : -1;
}

void TfrmPristupovaPrava::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    NastavitPrvky();
}

void TfrmPristupovaPrava::NastavitPrvky() {
    const bool rozsirena = m_rbRozsirena->isChecked();
    const bool nekdo = !m_uzivatele.empty();
    m_mrizka->setEnabled(rozsirena);
    m_pridat->setEnabled(rozsirena);
    m_editovat->setEnabled(rozsirena && nekdo);
    m_kopirovat->setEnabled(rozsirena && nekdo);
    m_vyjmout->setEnabled(rozsirena && nekdo);
}

void TfrmPristupovaPrava::ObnovitMrizku(int aktualni) {
    m_mrizka->setRowCount(static_cast<int>(m_uzivatele.size()));
    for (int i = 0; i < static_cast<int>(m_uzivatele.size()); ++i) {
        m_mrizka->setItem(i, 0, new QTableWidgetItem(m_uzivatele[std::size_t(i)].Jmeno));
    }
    if (!m_uzivatele.empty()) {
        m_mrizka->setCurrentCell(std::clamp(aktualni, 0, static_cast<int>(m_uzivatele.size()) - 1),
                                 0);
    }
    NastavitPrvky();
}

std::optional<TUzivatelPrav> TfrmPristupovaPrava::VybratNovehoUzivatele() {
    const QString vyber = m_seznamy.VybratZeSeznamu(druh_seznamu::UzivateleMoney, QString());
    const qsizetype cr = vyber.indexOf(u'\r');
    if (vyber.isEmpty() || cr < 0) {
        return std::nullopt;
    }
    bool ok = false;
    const int id = vyber.left(cr).trimmed().toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    for (const TUzivatelPrav& u : m_uzivatele) {
        if (u.ID == id) {
            m_prompts.Informace(QStringLiteral("Tento uživatel již v seznamu existuje."));
            return std::nullopt;
        }
    }
    TUzivatelPrav novy;
    novy.ID = id;
    novy.Jmeno = vyber.mid(cr + 1);
    return novy;
}

void TfrmPristupovaPrava::PridatUzivatele() {
    auto novy = VybratNovehoUzivatele();
    if (!novy) {
        return;
    }
    TfrmUzivatel okno(*novy, m_prompts, m_seznamy, this);
    if (m_prompts.Spustit(okno)) {
        m_uzivatele.push_back(okno.Uzivatel());
        ObnovitMrizku(static_cast<int>(m_uzivatele.size()) - 1);
    }
}

void TfrmPristupovaPrava::EditovatUzivatele() {
    const int radek = AktualniRadek();
    if (radek < 0) {
        return;
    }
    TfrmUzivatel okno(m_uzivatele[std::size_t(radek)], m_prompts, m_seznamy, this);
    if (m_prompts.Spustit(okno)) {
        m_uzivatele[std::size_t(radek)] = okno.Uzivatel();
        ObnovitMrizku(radek);
    }
}

void TfrmPristupovaPrava::KopirovatUzivatele() {
    const int radek = AktualniRadek();
    if (radek < 0) {
        return;
    }
    auto novy = VybratNovehoUzivatele();
    if (!novy) {
        return;
    }
    novy->Omezeni = m_uzivatele[std::size_t(radek)].Omezeni;
    TfrmUzivatel okno(*novy, m_prompts, m_seznamy, this);
    if (m_prompts.Spustit(okno)) {
        m_uzivatele.push_back(okno.Uzivatel());
        ObnovitMrizku(static_cast<int>(m_uzivatele.size()) - 1);
    }
}

void TfrmPristupovaPrava::VyjmoutUzivatele() {
    const int radek = AktualniRadek();
    if (radek < 0) {
        return;
    }
    m_uzivatele.erase(m_uzivatele.begin() + radek);
    ObnovitMrizku(radek);
}

} // namespace arvelo::rights
