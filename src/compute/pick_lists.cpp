#include "compute/pick_lists.h"

#include "app/main_data.h"
#include "app/prompts.h"
#include "ui/mem_table_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace arvelo::compute {

std::optional<TDruhSeznamu> DruhSeznamu(int druh) {
    const QString kod = QStringLiteral("Zkrat");
    const QString nazev = QStringLiteral("Nazev");
    switch (druh) {
    case rights::druh_seznamu::Cinnosti:
        return TDruhSeznamu{QStringLiteral("Seznam činností"), QStringLiteral("SZCINN"), kod,
                            nazev};
    case rights::druh_seznamu::Strediska:
        return TDruhSeznamu{QStringLiteral("Seznam středisek"), QStringLiteral("SZSTRED"), kod,
                            nazev};
    case rights::druh_seznamu::Zakazky:
        return TDruhSeznamu{QStringLiteral("Seznam zakázek"), QStringLiteral("ZAKAZKY"), kod,
                            nazev};
    case rights::druh_seznamu::Ucty:
        return TDruhSeznamu{QStringLiteral("Účetní osnova - výsledovkové účty"),
                            QStringLiteral("UCOSNOVA"), QStringLiteral("Ucet"), nazev, true};
    default:
        return std::nullopt;
    }
}

QStringList RozdelitSeznam(const QString& seznam) {
    QStringList polozky = seznam.split(u';');
    polozky.removeLast(); // the text after the last ";" (or the whole text)
    return polozky;
}

QString SlozitSeznam(const QStringList& polozky) {
    QString s;
    for (const QString& p : polozky) {
        s += p + u';';
    }
    return s;
}

std::vector<ui::TMemField> PoleSeznamu() {
    return {{QStringLiteral("Zkratka"), host::FieldType::Text, 255},
            {QStringLiteral("Nazev"), host::FieldType::Text, 255}};
}

bool NacistSeznam(app::THlavniData& data, int druh, ui::TMemTable& seznam) {
    const std::optional<TDruhSeznamu> d = DruhSeznamu(druh);
    seznam.emptyTable(false);
    if (!d) {
        return false;
    }
    host::TBFTable& t = *data.Tabulka;
    if (t.IsOpen()) {
        t.Close();
    }
    const QString cesta = data.Kontext.AdresarRoku + d->tabulka;
    if (t.Open(cesta) != host::result::Ok) {
        app::showError(data.Vyzvy(),
                       QStringLiteral("Nastala chyba při otevírání databáze ") + cesta + ".DAT");
        return false;
    }
    const int kod = t.FieldIndex(d->poleKod);
    const int nazev = t.FieldIndex(d->poleNazev);
    const int druhUctu = d->jenVysledkove ? t.FieldIndex(QStringLiteral("DruhUctu")) : -1;
    if (kod >= 0 && nazev >= 0 && t.RecordCount() > 0 && t.First() == host::result::Ok) {
        do {
            if (d->jenVysledkove && (druhUctu < 0 || t.Value(druhUctu).toInt() != 2)) {
                continue;
            }
            seznam.appendRecord(
                {host::Variant(t.Value(kod).toString()), host::Variant(t.Value(nazev).toString())});
        } while (t.Next() == host::result::Ok);
    }
    t.Close();
    seznam.sortBy(QStringLiteral("Zkratka"));
    seznam.first();
    return true;
}

void SpojitKurzor(QTableView* mrizka, ui::TMemTableModel* model) {
    auto nastavit = [mrizka, model](int row) {
        if (row >= 0 && mrizka->currentIndex().row() != row) {
            const int column = std::max(0, mrizka->currentIndex().column());
            mrizka->setCurrentIndex(model->index(row, column));
        }
    };
    QObject::connect(model, &ui::TMemTableModel::currentRowChanged, mrizka, nastavit);
    QObject::connect(model, &QAbstractItemModel::modelReset, mrizka,
                     [model, nastavit] { nastavit(model->currentRow()); });
    QObject::connect(mrizka->selectionModel(), &QItemSelectionModel::currentRowChanged, mrizka,
                     [model](const QModelIndex& current) {
                         ui::TMemTable* t = model->table();
                         if (t && current.isValid() && t->recNo() != current.row() + 1) {
                             t->setRecNo(current.row() + 1);
                         }
                     });
    nastavit(model->currentRow());
}

// --- TfrmSeznam1 ------------------------------------------------------------

TfrmSeznam1::TfrmSeznam1(ui::TMemTable& seznam, const QString& titulek, const QString& pocatecniKod,
                         QWidget* parent)
    : QDialog(parent), m_seznam(seznam) {
    setObjectName(QStringLiteral("frmSeznam1"));
    setWindowTitle(titulek);
    m_model = new ui::TMemTableModel(&m_seznam, this);
    m_model->setColumns({{QStringLiteral("Zkratka"), QStringLiteral("Zkratka")},
                         {QStringLiteral("Nazev"), QStringLiteral("Název")}});
    m_mrizka = new QTableView(this);
    m_mrizka->setObjectName(QStringLiteral("grSeznam"));
    m_mrizka->setModel(m_model);
    m_mrizka->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_mrizka->setSelectionMode(QAbstractItemView::SingleSelection);
    m_mrizka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_mrizka->verticalHeader()->hide();
    m_mrizka->verticalHeader()->setDefaultSectionSize(m_mrizka->fontMetrics().height() + 6);
    m_mrizka->horizontalHeader()->setStretchLastSection(true);
    m_mrizka->horizontalHeader()->setSectionsClickable(true);
    m_mrizka->horizontalHeader()->setSortIndicatorShown(true);
    m_mrizka->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_mrizka->setColumnWidth(0, 110);
    m_mrizka->installEventFilter(this);
    connect(m_mrizka->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmSeznam1::tridit);
    connect(m_mrizka, &QTableView::doubleClicked, this, [this] {
        if (m_seznam.recordCount() > 0) {
            accept();
        }
    });

    // The search line lies over the grid's top, above the first rows.
    m_hledani = new QLineEdit(this);
    m_hledani->setObjectName(QStringLiteral("edtHledani"));
    m_hledani->hide();
    m_hledani->installEventFilter(this);
    m_napoveda = new QLabel(QStringLiteral("vyhledávací políčko zavřete klávesou Tab"), this);
    m_napoveda->setObjectName(QStringLiteral("lblHledani"));
    m_napoveda->hide();
    connect(m_hledani, &QLineEdit::textChanged, this, &TfrmSeznam1::hledat);
    connect(m_hledani, &QLineEdit::editingFinished, this, &TfrmSeznam1::zavritHledani);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    auto* zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    zavrit->setObjectName(QStringLiteral("btnZavrit"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(zavrit, &QPushButton::clicked, this, &QDialog::reject);
    m_ok->setEnabled(m_seznam.recordCount() > 0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(zavrit);
    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(m_hledani->sizeHint().height() + 2);
    layout->addWidget(m_mrizka, 1);
    layout->addLayout(buttons);
    resize(520, 420);

    if (m_seznam.recordCount() > 0 &&
        !m_seznam.locate(QStringLiteral("Zkratka"), host::Variant(pocatecniKod))) {
        m_seznam.first();
    }
    SpojitKurzor(m_mrizka, m_model);
}

TfrmSeznam1::~TfrmSeznam1() = default;

QString TfrmSeznam1::AktualniKod() const {
    return m_seznam.recordCount() > 0 ? m_seznam.value(u"Zkratka").toString() : QString();
}

void TfrmSeznam1::tridit(int sloupec) {
    m_sloupecTrideni = sloupec;
    m_model->sort(sloupec);
    // The clicked column moves to the first position.
    QHeaderView* h = m_mrizka->horizontalHeader();
    h->moveSection(h->visualIndex(sloupec), 0);
    h->setSortIndicator(sloupec, Qt::AscendingOrder);
}

void TfrmSeznam1::ZacitHledani(const QString& text) {
    umistitHledani();
    m_hledani->show();
    m_napoveda->show();
    m_hledani->setFocus();
    m_hledani->setText(text);
}

void TfrmSeznam1::umistitHledani() {
    const QPoint p = m_mrizka->mapTo(this, QPoint(0, 0));
    const int sirka = std::max(60, m_mrizka->columnWidth(m_sloupecTrideni));
    const int vyska = m_hledani->sizeHint().height();
    m_hledani->setGeometry(p.x(), p.y() - vyska - 2, sirka, vyska);
    m_napoveda->adjustSize();
    m_napoveda->move(p.x() + sirka + 5, p.y() - vyska - 2 + (vyska - m_napoveda->height()) / 2);
}

void TfrmSeznam1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_hledani->isVisible()) {
        umistitHledani();
    }
}

void TfrmSeznam1::hledat(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const int pole = m_model->fieldOfColumn(m_sloupecTrideni);
    if (pole < 0) {
        return;
    }
    const ui::TMemField& f = m_seznam.fields()[std::size_t(pole)];
    if (f.type == host::FieldType::Boolean) {
        const QString t = text.toUpper();
        if (t == QStringLiteral("ANO") || t == QStringLiteral("NE")) {
            m_seznam.locate(f.name, host::Variant(t == QStringLiteral("ANO")));
        }
        return;
    }
    m_seznam.locatePrefix(f.name, text);
}

void TfrmSeznam1::zavritHledani() {
    if (!m_hledani->isVisible()) {
        return;
    }
    m_hledani->hide();
    m_napoveda->hide();
    m_hledani->blockSignals(true);
    m_hledani->clear();
    m_hledani->blockSignals(false);
    m_mrizka->setFocus();
}

bool TfrmSeznam1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_mrizka) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (m_seznam.recordCount() > 0) {
                    accept();
                }
                return true;
            }
            const QString t = key->text();
            if (!t.isEmpty() && t.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
                ZacitHledani(t);
                return true;
            }
        } else if (watched == m_hledani &&
                   (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            zavritHledani();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- TfrmEditorPol ------------------------------------------------------------

TfrmEditorPol::TfrmEditorPol(const QString& seznam, int druh, rights::TVyberySeznamu& vybery,
                             app::Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_polozky({{QStringLiteral("Zkratka"), host::FieldType::Text, 255}}),
      m_druh(druh), m_vybery(vybery), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmEditorPol"));
    setWindowTitle(QStringLiteral("Seznam položek"));
    for (const QString& p : RozdelitSeznam(seznam)) {
        m_polozky.appendRecord({host::Variant(p)});
    }
    m_polozky.first();

    m_model = new ui::TMemTableModel(&m_polozky, this);
    m_model->setColumns({{QStringLiteral("Zkratka"), QStringLiteral("Zkratka")}});
    m_mrizka = new QTableView(this);
    m_mrizka->setObjectName(QStringLiteral("grPolozky"));
    m_mrizka->setModel(m_model);
    m_mrizka->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_mrizka->setSelectionMode(QAbstractItemView::SingleSelection);
    m_mrizka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_mrizka->verticalHeader()->hide();
    m_mrizka->verticalHeader()->setDefaultSectionSize(m_mrizka->fontMetrics().height() + 6);
    m_mrizka->horizontalHeader()->setStretchLastSection(true);
    SpojitKurzor(m_mrizka, m_model);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* zpet = new QPushButton(QStringLiteral("Zpět"), this);
    zpet->setObjectName(QStringLiteral("btnZpet"));
    auto* pridat = new QPushButton(QStringLiteral("Přidat"), this);
    pridat->setObjectName(QStringLiteral("btnPridat"));
    m_vyjmout = new QPushButton(QStringLiteral("Vyjmout"), this);
    m_vyjmout->setObjectName(QStringLiteral("btnVyjmout"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(zpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(pridat, &QPushButton::clicked, this, &TfrmEditorPol::Pridat);
    connect(m_vyjmout, &QPushButton::clicked, this, &TfrmEditorPol::Vyjmout);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(pridat);
    buttons->addWidget(m_vyjmout);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(zpet);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_mrizka, 1);
    layout->addLayout(buttons);
    resize(360, 320);
    nastavitTlacitka();
}

TfrmEditorPol::~TfrmEditorPol() = default;

void TfrmEditorPol::nastavitTlacitka() {
    m_vyjmout->setEnabled(m_polozky.recordCount() > 0);
}

QString TfrmEditorPol::Seznam() const {
    QStringList polozky;
    const int pole = m_polozky.fieldIndex(u"Zkratka");
    for (ui::RecId id : m_polozky.viewIds()) {
        polozky << m_polozky.textAt(id, pole);
    }
    return SlozitSeznam(polozky);
}

void TfrmEditorPol::Pridat() {
    const QString aktualni =
        m_polozky.recordCount() > 0 ? m_polozky.value(u"Zkratka").toString() : QString();
    const QString kod = m_vybery.VybratZeSeznamu(m_druh, aktualni);
    if (kod.isEmpty()) {
        return;
    }
    const int pole = m_polozky.fieldIndex(u"Zkratka");
    for (ui::RecId id : m_polozky.viewIds()) {
        if (m_polozky.textAt(id, pole).compare(kod, Qt::CaseInsensitive) == 0) {
            app::showInfo(m_prompts, QStringLiteral("Zkratka \"") + kod +
                                         QStringLiteral("\" již v seznamu existuje."));
            return;
        }
    }
    m_polozky.append();
    m_polozky.setValue(pole, host::Variant(kod));
    m_polozky.post();
    nastavitTlacitka();
}

void TfrmEditorPol::Vyjmout() {
    if (m_polozky.recordCount() > 0) {
        m_polozky.deleteRecord();
    }
    nastavitTlacitka();
}

// --- TSeznamy ---------------------------------------------------------------

QString TSeznamy::UpravitSeznam(const QString& seznam, int druh) {
    TfrmEditorPol editor(seznam, druh, *this, m_data.Vyzvy(), m_parent);
    return editor.exec() == QDialog::Accepted ? editor.Seznam() : seznam;
}

QString TSeznamy::VybratZeSeznamu(int druh, const QString& pocatecniKod) {
    const std::optional<TDruhSeznamu> d = DruhSeznamu(druh);
    if (!d) {
        return QString();
    }
    ui::TMemTable seznam(PoleSeznamu());
    m_data.ZobrazitPracuji(QStringLiteral("Načtení seznamu\rčekejte prosím..."));
    const bool nacteno = NacistSeznam(m_data, druh, seznam);
    m_data.SkrytPracuji();
    if (!nacteno) {
        return QString();
    }
    TfrmSeznam1 okno(seznam, d->titulek, pocatecniKod, m_parent);
    return okno.exec() == QDialog::Accepted ? okno.AktualniKod() : QString();
}

} // namespace arvelo::compute
