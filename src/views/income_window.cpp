#include "views/income_window.h"

#include "app/main_data.h"
#include "app/prompts.h"
#include "app/working_form.h"
#include "compute/grouping.h"
#include "compute/pick_lists.h"
#include "ui/mem_table_model.h"
#include "views/other_views.h"
#include "views/print_scope.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace arvelo::views {

namespace {
const QColor kSeda(224, 224, 224);
constexpr int kVyskaKarty = 90;
constexpr int kVyskaNadpisu = 21;
constexpr int kVyskaNadpisuPokrocily = 49;

// The report lines with headings in bold black on grey.
class TModelSestavy final : public ui::TMemTableModel {
public:
    using ui::TMemTableModel::TMemTableModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::FontRole || role == Qt::BackgroundRole || role == Qt::ForegroundRole) {
            ui::TMemTable* t = table();
            const ui::RecId id = t ? t->idAtRow(index.row()) : ui::NoRecord;
            if (id != ui::NoRecord && t->intAt(id, t->fieldIndex(u"Typ")) == RadekNadpis) {
                if (role == Qt::FontRole) {
                    QFont f = QApplication::font();
                    f.setBold(true);
                    return f;
                }
                return role == Qt::BackgroundRole ? QVariant(kSeda) : QVariant(QColor(Qt::black));
            }
            return {};
        }
        return ui::TMemTableModel::data(index, role);
    }
};

QFrame* oddelovac(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

QPushButton* tlacitko(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* popisek(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}
} // namespace

QColor BarvaVysledku(const Currency& hospVysl) {
    if (hospVysl > Currency()) {
        return QColor(0, 128, 0);
    }
    if (hospVysl < Currency()) {
        return QColor(255, 0, 0);
    }
    return QColor(128, 128, 128);
}

QString PriponaRadku(const QString& ucet, int typUctu) {
    if (!ucet.isEmpty() && ucet != QStringLiteral("xxxxxx")) {
        return ucet;
    }
    switch (typUctu) {
    case UctyNakladove:
        return QStringLiteral("nákladů");
    case UctyVynosove:
        return QStringLiteral("výnosů");
    case UctyVysledek:
        return QStringLiteral("HV");
    default:
        return QString();
    }
}

// --- TKartaSkupiny ---------------------------------------------------------------

TKartaSkupiny::TKartaSkupiny(app::THlavniData& data, QObject* parent)
    : QStyledItemDelegate(parent), m_data(data) {}

QSize TKartaSkupiny::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), m_vyska);
}

void TKartaSkupiny::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const ui::TMemTable& t = m_data.mtSkupiny;
    const ui::RecId id = t.idAtRow(index.row());
    if (id == ui::NoRecord) {
        return;
    }
    const QLocale& locale = m_data.Formaty().locale();
    const Currency naklady = t.currencyAt(id, t.fieldIndex(u"NakladyOB"));
    const Currency vynosy = t.currencyAt(id, t.fieldIndex(u"VynosyOB"));
    const Currency vysledek = t.currencyAt(id, t.fieldIndex(u"HospVysl"));
    const QColor barva = BarvaVysledku(vysledek);

    painter->save();
    const QRect r = option.rect.adjusted(0, 0, 0, -1);
    const bool aktualni = option.state & QStyle::State_Selected;
    painter->fillRect(r, aktualni ? kSeda : QColor(Qt::white));
    painter->setPen(QColor(200, 200, 200));
    painter->drawLine(r.bottomLeft() + QPoint(0, 1), r.bottomRight() + QPoint(0, 1));
    painter->fillRect(QRect(r.left(), r.top() + 4, 4, r.height() - 8), barva);

    const QIcon ikona = QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    ikona.paint(painter, QRect(r.left() + 10, r.top() + 6, 16, 16));

    QFont tucne = option.font;
    tucne.setBold(true);
    const QFontMetrics fm(option.font);
    const int radek = fm.height() + 1;
    const int x = r.left() + 32;
    const int sirka = r.right() - x - 8;
    int y = r.top() + 5;
    painter->setPen(Qt::black);
    painter->setFont(tucne);
    painter->drawText(QRect(x, y, sirka, radek), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(tucne).elidedText(t.textAt(id, t.fieldIndex(u"Zkratka")),
                                                     Qt::ElideRight, sirka));
    y += radek;
    painter->setFont(option.font);
    painter->drawText(QRect(x, y, sirka, radek), Qt::AlignLeft | Qt::AlignVCenter,
                      fm.elidedText(t.textAt(id, t.fieldIndex(u"Nazev")), Qt::ElideRight, sirka));
    y += radek + 2;
    const struct {
        const char* text;
        Currency castka;
        bool barevne;
    } radky[] = {{"Náklady (obrat):", naklady, false},
                 {"Výnosy (obrat):", vynosy, false},
                 {"Hosp. výsledek (zisk):", vysledek, true}};
    for (const auto& rd : radky) {
        painter->setPen(rd.barevne ? barva : QColor(64, 64, 64));
        painter->drawText(QRect(x, y, sirka, radek), Qt::AlignLeft | Qt::AlignVCenter,
                          QString::fromUtf8(rd.text));
        painter->drawText(QRect(x, y, sirka, radek), Qt::AlignRight | Qt::AlignVCenter,
                          rd.castka.format(2, locale));
        y += radek;
    }
    painter->restore();
}

// --- TfrmVysledovka ---------------------------------------------------------------

TfrmVysledovka::TfrmVysledovka(app::THlavniData& data, TDalsiPohledy& pohledy, QWidget* parent)
    : QDialog(parent, Qt::Window), m_data(data), m_pohledy(pohledy) {
    setObjectName(QStringLiteral("frmVysledovka"));
    setWindowTitle(QStringLiteral("Výsledovka"));
    m_dotaz = [this](const QString& skupina, bool vse) {
        return TfrmDotazTisku::Zeptat(skupina, vse, this);
    };

    auto* lista = new QToolBar(this);
    lista->setObjectName(QStringLiteral("tbNastroje"));
    lista->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto akce = [&](const QString& name, const QString& text, QStyle::StandardPixmap ikona,
                    auto slot) {
        auto* b = new QToolButton(lista);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(ikona));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        connect(b, &QToolButton::clicked, this, slot);
        lista->addWidget(b);
        return b;
    };
    akce(QStringLiteral("btnZavrit"), QStringLiteral("Zavřít"), QStyle::SP_DialogCloseButton,
         &QDialog::reject);
    lista->addSeparator();
    QToolButton* excel = akce(QStringLiteral("btnExportExcel"), QStringLiteral("Do Excelu"),
                              QStyle::SP_DialogSaveButton, &TfrmVysledovka::Export);
    excel->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* vyber = new QAction(QStringLiteral("Výběr šablony pro export"), excel);
    connect(vyber, &QAction::triggered, this, [this] { m_pohledy.VyberSablonyExportu(1, false); });
    auto* standard = new QAction(QStringLiteral("Nastavit standardní šablonu"), excel);
    connect(standard, &QAction::triggered, this,
            [this] { m_pohledy.VyberSablonyExportu(1, true); });
    excel->addAction(vyber);
    excel->addAction(standard);
    akce(QStringLiteral("btnTisk"), QStringLiteral("Tisk"), QStyle::SP_FileIcon,
         &TfrmVysledovka::Tisk);
    m_hledat = akce(QStringLiteral("btnNajit"), QStringLiteral("Hledání"),
                    QStyle::SP_FileDialogContentsView, &TfrmVysledovka::Hledat);
    lista->addSeparator();
    m_rezim = new QComboBox(lista);
    m_rezim->setObjectName(QStringLiteral("cbxRezimSestavy"));
    m_rezim->addItems({QStringLiteral("standardní režim"), QStringLiteral("pokročilý režim")});
    connect(m_rezim, &QComboBox::activated, this, [this](int i) {
        NastavitRezim(i);
        m_data.Volby.RezimSestavy = i;
    });
    lista->addWidget(m_rezim);
    lista->addSeparator();
    akce(QStringLiteral("btnNapoveda"), QStringLiteral("Nápověda"), QStyle::SP_DialogHelpButton,
         &TfrmVysledovka::Napoveda);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(vytvoritLevySloupec());
    splitter->addWidget(vytvoritPravouStranu());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    // The group column is as wide as its button strip, so that no caption is cut.
    m_levy->setMinimumWidth(std::max(250, m_listaSkupin->sizeHint().width() + 24));
    splitter->setSizes({m_levy->minimumWidth(), 800});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lista);
    layout->addWidget(splitter, 1);
    resize(1100, 700);

    connect(&m_data.mtSkupiny, &ui::TMemTable::currentChanged, this,
            &TfrmVysledovka::skupinaPosunuta);
    connect(&m_data.mtSestava, &ui::TMemTable::currentChanged, this, &TfrmVysledovka::radekPosunut);
}

TfrmVysledovka::~TfrmVysledovka() = default;

QWidget* TfrmVysledovka::vytvoritLevySloupec() {
    m_levy = new QWidget(this);
    m_levy->setObjectName(QStringLiteral("panSkupiny"));
    m_levy->setMinimumWidth(250);

    m_nadpisSkupin = new QFrame(m_levy);
    m_nadpisSkupin->setObjectName(QStringLiteral("panNadpisSkupin"));
    m_nadpisSkupin->setFrameShape(QFrame::StyledPanel);
    m_lblNadpis = popisek(QStringLiteral("lblNadpis"), m_nadpisSkupin);
    QFont tucne = m_lblNadpis->font();
    tucne.setBold(true);
    m_lblNadpis->setFont(tucne);
    m_lblPocet = popisek(QStringLiteral("lblPocetZaznamu"), m_nadpisSkupin);
    m_listaSkupin = new QWidget(m_nadpisSkupin);
    m_listaSkupin->setObjectName(QStringLiteral("panTlacitkaSkupin"));
    auto* graf = tlacitko(QStringLiteral("btnGraf"), QStringLiteral("Graf"), m_listaSkupin);
    auto* tabulka =
        tlacitko(QStringLiteral("btnTabulka"), QStringLiteral("Tabulku"), m_listaSkupin);
    m_btnDetail = tlacitko(QStringLiteral("btnDetail"), QStringLiteral("Detail"), m_listaSkupin);
    m_btnOdstranit = new QPushButton(m_listaSkupin);
    m_btnOdstranit->setObjectName(QStringLiteral("btnOdstranit"));
    m_btnOdstranit->setAutoDefault(false);
    m_btnOdstranit->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_btnOdstranit->setToolTip(QStringLiteral("Odstranit záznam"));
    connect(graf, &QPushButton::clicked, this, [this] { m_pohledy.Graf(); });
    connect(tabulka, &QPushButton::clicked, this, [this] { m_pohledy.TabulkaSkupin(); });
    connect(m_btnDetail, &QPushButton::clicked, this, &TfrmVysledovka::Detail);
    connect(m_btnOdstranit, &QPushButton::clicked, this, &TfrmVysledovka::Odstranit);
    auto* strip = new QHBoxLayout(m_listaSkupin);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(3);
    strip->addWidget(new QLabel(QStringLiteral("Zobrazit"), m_listaSkupin));
    strip->addWidget(graf);
    strip->addWidget(tabulka);
    strip->addWidget(m_btnDetail);
    strip->addStretch();
    strip->addWidget(m_btnOdstranit);

    auto* nadpis = new QVBoxLayout(m_nadpisSkupin);
    nadpis->setContentsMargins(6, 1, 6, 1);
    nadpis->setSpacing(2);
    auto* radek = new QHBoxLayout;
    radek->addWidget(m_lblNadpis);
    radek->addStretch();
    radek->addWidget(m_lblPocet);
    nadpis->addLayout(radek);
    nadpis->addWidget(m_listaSkupin);

    m_modelSkupin = new ui::TMemTableModel(&m_data.mtSkupiny, this);
    m_modelSkupin->setColumns({{QStringLiteral("Zkratka")}});
    m_karty = new QListView(m_levy);
    m_karty->setObjectName(QStringLiteral("cgrSkupiny"));
    m_karty->setModel(m_modelSkupin);
    m_karta = new TKartaSkupiny(m_data, m_karty);
    m_karty->setItemDelegate(m_karta);
    m_karty->setUniformItemSizes(true);
    m_karty->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_karty->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_karty->setSelectionMode(QAbstractItemView::SingleSelection);
    m_karty->viewport()->installEventFilter(this);
    connect(m_karty, &QListView::doubleClicked, this, &TfrmVysledovka::Detail);
    connect(m_modelSkupin, &ui::TMemTableModel::currentRowChanged, m_karty, [this](int row) {
        if (row >= 0) {
            m_karty->setCurrentIndex(m_modelSkupin->index(row, 0));
        }
    });
    connect(m_karty->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid() && !m_data.Zaneprazdneno &&
                    m_data.mtSkupiny.recNo() != i.row() + 1) {
                    m_data.mtSkupiny.setRecNo(i.row() + 1);
                }
            });

    auto* layout = new QVBoxLayout(m_levy);
    layout->setContentsMargins(4, 4, 2, 4);
    layout->setSpacing(3);
    layout->addWidget(m_nadpisSkupin);
    layout->addWidget(m_karty, 1);
    return m_levy;
}

QWidget* TfrmVysledovka::vytvoritPravouStranu() {
    auto* pravy = new QWidget(this);
    pravy->setObjectName(QStringLiteral("panSestava"));
    m_nadpisRadku = new QFrame(pravy);
    m_nadpisRadku->setObjectName(QStringLiteral("panNadpisSestavy"));
    m_nadpisRadku->setFrameShape(QFrame::StyledPanel);
    auto* ikona = new QLabel(m_nadpisRadku);
    ikona->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(16, 16));
    m_lblZkratka = popisek(QStringLiteral("lblZkratka"), m_nadpisRadku);
    QFont tucne = m_lblZkratka->font();
    tucne.setBold(true);
    m_lblZkratka->setFont(tucne);
    m_lblNazev = popisek(QStringLiteral("lblNazev"), m_nadpisRadku);

    m_listaRadku = new QWidget(m_nadpisRadku);
    m_listaRadku->setObjectName(QStringLiteral("panTlacitkaSestavy"));
    m_typZobrazeni = new QComboBox(m_listaRadku);
    m_typZobrazeni->setObjectName(QStringLiteral("cbxTypZobrazeni"));
    for (int i = 0; i < kPocetZobrazeni; ++i) {
        m_typZobrazeni->addItem(TextZobrazeni(i));
    }
    connect(m_typZobrazeni, &QComboBox::activated, this, &TfrmVysledovka::ZmenitTypZobrazeni);
    m_btnPohyby = tlacitko(QStringLiteral("btnPohyby"), QStringLiteral("Pohyby"), m_listaRadku);
    m_btnPodil = tlacitko(QStringLiteral("btnDetailUctu"), QStringLiteral("% podíl"), m_listaRadku);
    m_btnPorovnani =
        tlacitko(QStringLiteral("btnPorovnani"), QStringLiteral("Porovnání"), m_listaRadku);
    m_btnDetailUctu = tlacitko(QStringLiteral("btnDetailUcetnihoUctu"),
                               QStringLiteral("Detail účtu"), m_listaRadku);
    m_sepPorovnani = oddelovac(m_listaRadku);
    m_sepDetailUctu = oddelovac(m_listaRadku);
    connect(m_btnPohyby, &QPushButton::clicked, this, &TfrmVysledovka::Pohyby);
    connect(m_btnPodil, &QPushButton::clicked, this, &TfrmVysledovka::Podil);
    connect(m_btnPorovnani, &QPushButton::clicked, this, &TfrmVysledovka::Porovnani);
    connect(m_btnDetailUctu, &QPushButton::clicked, this, &TfrmVysledovka::DetailUctu);
    auto* strip = new QHBoxLayout(m_listaRadku);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(3);
    strip->addWidget(new QLabel(QStringLiteral("Zobrazit"), m_listaRadku));
    strip->addWidget(m_typZobrazeni);
    strip->addWidget(oddelovac(m_listaRadku));
    strip->addWidget(m_btnPohyby);
    strip->addWidget(m_btnPodil);
    strip->addWidget(m_sepPorovnani);
    strip->addWidget(m_btnPorovnani);
    strip->addWidget(m_sepDetailUctu);
    strip->addWidget(m_btnDetailUctu);
    strip->addStretch();

    auto* nadpis = new QVBoxLayout(m_nadpisRadku);
    nadpis->setContentsMargins(6, 1, 6, 1);
    nadpis->setSpacing(2);
    auto* radek = new QHBoxLayout;
    radek->setSpacing(0);
    radek->addWidget(ikona);
    radek->addSpacing(6);
    radek->addWidget(m_lblZkratka);
    radek->addSpacing(5);
    radek->addWidget(m_lblNazev, 1);
    nadpis->addLayout(radek);
    nadpis->addWidget(m_listaRadku);

    m_modelRadku = new TModelSestavy(&m_data.mtSestava, this);
    m_modelRadku->setLocale(m_data.Formaty().locale());
    m_modelRadku->setColumns({{QStringLiteral("Ucet"), QStringLiteral("Účet")},
                              {QStringLiteral("Nazev"), QStringLiteral("Název účtu")},
                              {QStringLiteral("PS"), QStringLiteral("Poč. stav")},
                              {QStringLiteral("Obrat"), QStringLiteral("Obrat")},
                              {QStringLiteral("KS"), QStringLiteral("Koncový stav")}});
    m_radky = new QTableView(pravy);
    m_radky->setObjectName(QStringLiteral("grSestava"));
    m_radky->setModel(m_modelRadku);
    m_radky->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_radky->setSelectionMode(QAbstractItemView::SingleSelection);
    m_radky->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_radky->verticalHeader()->hide();
    m_radky->verticalHeader()->setDefaultSectionSize(m_radky->fontMetrics().height() + 6);
    m_radky->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_radky->setColumnWidth(0, 80);
    for (int c = 2; c < 5; ++c) {
        m_radky->setColumnWidth(c, 130);
    }
    m_radky->installEventFilter(this);
    connect(m_radky, &QTableView::doubleClicked, this, &TfrmVysledovka::Pohyby);
    compute::SpojitKurzor(m_radky, m_modelRadku);

    auto* layout = new QVBoxLayout(pravy);
    layout->setContentsMargins(2, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(m_nadpisRadku);
    layout->addWidget(m_radky, 1);
    return pravy;
}

void TfrmVysledovka::Pripravit(const compute::TNastaveniBehu& nastaveni) {
    m_druh = nastaveni.DruhSkupiny();
    const app::TVolby& v = m_data.Volby;
    m_lblNadpis->setText(compute::NadpisDruhu(m_druh));
    m_lblPocet->setText(compute::TextPoctuZaznamu(m_data, nastaveni));
    m_btnDetail->setText(QStringLiteral("Detail ") + compute::NadpisDruhu(m_druh));
    m_btnDetail->setVisible(rozdelena());
    m_btnPorovnani->setVisible(rozdelena());
    m_sepPorovnani->setVisible(rozdelena());
    m_btnOdstranit->setVisible(rozdelena());
    m_hledat->setEnabled(rozdelena() && m_data.mtSkupiny.recordCount() > 1);
    m_typZobrazeni->setCurrentIndex(
        v.TypZobrazeni >= 0 && v.TypZobrazeni < kPocetZobrazeni ? v.TypZobrazeni : 1);
    m_rezim->setCurrentIndex(v.RezimSestavy == 1 ? 1 : 0);
    m_data.mtSkupiny.first();
    m_pripraveno = true;
    NastavitRezim(m_rezim->currentIndex());
    NaplnitSestavu(m_data, false);
    aktualizovatNadpis();
    if (m_modelSkupin->currentRow() >= 0) {
        m_karty->setCurrentIndex(m_modelSkupin->index(m_modelSkupin->currentRow(), 0));
    }
    radekPosunut();
}

void TfrmVysledovka::Zobrazit(const compute::TNastaveniBehu& nastaveni) {
    Pripravit(nastaveni);
    if (m_data.Volby.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    exec();
    m_data.Volby.Maximized = isMaximized();
}

void TfrmVysledovka::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    prizpusobitKarty();
}

void TfrmVysledovka::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    prizpusobitKarty();
}

void TfrmVysledovka::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        app::MinimalizovatAplikaci();
    }
}

int TfrmVysledovka::PocetKaret() const {
    return std::max(1, m_karty->viewport()->height() / kVyskaKarty);
}

void TfrmVysledovka::prizpusobitKarty() {
    // trunc(height / 90) cards share the list's height.
    const int vyska = std::max(kVyskaKarty, m_karty->viewport()->height() / PocetKaret());
    if (vyska != m_karta->vyska()) {
        m_karta->setVyska(vyska);
        m_karty->doItemsLayout();
    }
}

void TfrmVysledovka::NastavitRezim(int index) {
    const bool pokrocily = index == 1;
    m_rezim->setCurrentIndex(pokrocily ? 1 : 0);
    m_listaSkupin->setVisible(pokrocily);
    m_listaRadku->setVisible(pokrocily);
    const int vyska = pokrocily ? kVyskaNadpisuPokrocily : kVyskaNadpisu;
    const int minimum = pokrocily ? m_nadpisSkupin->sizeHint().height() : 0;
    m_nadpisSkupin->setFixedHeight(std::max(vyska, minimum));
    m_nadpisRadku->setFixedHeight(
        std::max(vyska, pokrocily ? m_nadpisRadku->sizeHint().height() : 0));
    prizpusobitKarty();
}

void TfrmVysledovka::ZmenitTypZobrazeni(int index) {
    if (m_data.Zaneprazdneno) {
        return;
    }
    m_data.Volby.TypZobrazeni = index;
    NastavitZobrazeni(m_data.mtSestava, index);
    radekPosunut();
}

void TfrmVysledovka::skupinaPosunuta() {
    if (m_data.Zaneprazdneno || !m_pripraveno) {
        return;
    }
    NaplnitSestavu(m_data, false);
    aktualizovatNadpis();
    radekPosunut();
}

void TfrmVysledovka::aktualizovatNadpis() {
    const ui::TMemTable& s = m_data.mtSkupiny;
    m_lblZkratka->setText(s.value(u"Zkratka").toString());
    m_lblNazev->setText(s.value(u"Nazev").toString());
}

void TfrmVysledovka::radekPosunut() {
    if (m_data.Zaneprazdneno || !m_pripraveno) {
        return;
    }
    const ui::TMemTable& r = m_data.mtSestava;
    const QString ucet = r.value(u"Ucet").toString();
    const QString pripona = PriponaRadku(ucet, int(r.value(u"TypUctu").toInt()));
    m_btnPohyby->setText(QStringLiteral("Pohyby ") + pripona);
    m_btnPorovnani->setText(QStringLiteral("Porovnání ") + pripona);
    m_btnDetailUctu->setText(QStringLiteral("Detail účtu %1").arg(ucet));
    const bool ucetniRadek = !ucet.isEmpty() && !ucet.contains(u'x');
    m_btnDetailUctu->setVisible(ucetniRadek);
    m_sepDetailUctu->setVisible(ucetniRadek);
}

QString TfrmVysledovka::TextPohyby() const {
    return m_btnPohyby->text();
}

QString TfrmVysledovka::TextPorovnani() const {
    return m_btnPorovnani->text();
}

void TfrmVysledovka::Hledat() {
    if (!m_hledat->isEnabled()) {
        return;
    }
    const std::optional<QString> odpoved = m_data.Vyzvy().inputBox(
        QStringLiteral("Vyhledat"),
        QStringLiteral("Tato funkce prohledá levý sloupec ") + compute::TextDruhu(m_druh) +
            QStringLiteral(".\n\nHledaný text"),
        QString());
    if (!odpoved || odpoved->isEmpty()) {
        return;
    }
    const QString hledany = odpoved->toUpper();
    ui::TMemTable& s = m_data.mtSkupiny;
    const ui::TBookmark puvodni = s.bookmark();
    const int zkratka = s.fieldIndex(u"Zkratka");
    const int nazev = s.fieldIndex(u"Nazev");
    ui::RecId nalezeno = ui::NoRecord;
    m_data.Zaneprazdneno = true;
    for (ui::RecId id : s.viewIds()) {
        if (s.textAt(id, zkratka).toUpper().contains(hledany) ||
            s.textAt(id, nazev).toUpper().contains(hledany)) {
            nalezeno = id;
            break;
        }
    }
    m_data.Zaneprazdneno = false;
    if (nalezeno == ui::NoRecord) {
        s.gotoBookmark(puvodni);
        app::showInfo(m_data.Vyzvy(), QStringLiteral("Hledaný text nebyl nalezen"));
        return;
    }
    if (s.currentId() == nalezeno) {
        skupinaPosunuta(); // the same group: its lines are built again all the same
    } else {
        s.gotoRecord(nalezeno);
    }
}

void TfrmVysledovka::Odstranit() {
    if (!rozdelena()) {
        return;
    }
    ui::TMemTable& s = m_data.mtSkupiny;
    if (s.recordCount() == 0) {
        return;
    }
    const QString zkratka = s.value(u"Zkratka").toString();
    if (!app::confirm(m_data.Vyzvy(),
                      QStringLiteral("Opravdu chcete odstranit záznam ") +
                          (zkratka.isEmpty() ? QStringLiteral("[ostatní]") : zkratka) +
                          QStringLiteral("?"))) {
        return;
    }
    if (s.recordCount() == 1) {
        app::showWarning(m_data.Vyzvy(), QStringLiteral("Záznam nelze odstranit: v tabulce musí "
                                                        "zůstat alespoň jeden záznam."));
        return;
    }
    m_data.SoucetNakladyOB -= s.value(u"NakladyOB").toCurrency();
    m_data.SoucetVynosyOB -= s.value(u"VynosyOB").toCurrency();
    m_data.SoucetHospVysl -= s.value(u"HospVysl").toCurrency();
    s.deleteRecord();
    m_lblPocet->setText(QStringLiteral("počet záznamů: ") + QString::number(s.recordCount()));
    m_hledat->setEnabled(s.recordCount() > 1);
    skupinaPosunuta();
}

void TfrmVysledovka::tiskExport(bool tisk) {
    ui::TMemTable& s = m_data.mtSkupiny;
    m_data.Zaneprazdneno = true;
    const ui::Value id = s.value(u"ID");
    QWidget* skryte[] = {m_karty, m_nadpisSkupin, m_radky, m_nadpisRadku};
    for (QWidget* w : skryte) {
        w->hide();
    }
    if (PripravitTiskExport(m_data, rozdelena(), m_dotaz)) {
        if (tisk) {
            m_pohledy.TiskSestavy(1);
        } else {
            m_pohledy.ExportSestavy(1);
        }
    }
    s.setFiltered(false);
    for (QWidget* w : skryte) {
        w->show();
    }
    s.locate(QStringLiteral("ID"), id);
    m_data.Zaneprazdneno = false;
    NaplnitSestavu(m_data, false);
    aktualizovatNadpis();
    radekPosunut();
}

void TfrmVysledovka::Tisk() {
    tiskExport(true);
}

void TfrmVysledovka::Export() {
    tiskExport(false);
}

void TfrmVysledovka::Pohyby() {
    const ui::TMemTable& r = m_data.mtSestava;
    const ui::TMemTable& s = m_data.mtSkupiny;
    QString nadpis = m_btnPohyby->text();
    if (rozdelena()) {
        nadpis += QStringLiteral(" za ") + s.value(u"Zkratka").toString() + QStringLiteral(" - ") +
                  s.value(u"Nazev").toString();
    }
    m_pohledy.NacistPohyby(s.value(u"Zkratka").toString(), r.value(u"Ucet").toString(), nadpis,
                           int(r.value(u"TypUctu").toInt()));
}

void TfrmVysledovka::Podil() {
    if (!m_btnPodil->isVisible() && !m_listaRadku->isVisible()) {
        return;
    }
    if (m_data.mtSestava.value(u"Ucet").toString().isEmpty()) {
        app::showInfo(m_data.Vyzvy(),
                      QStringLiteral("Označte nejprve kurzorem nějaký konkrétní účet."));
        return;
    }
    m_pohledy.PodilUctu();
}

void TfrmVysledovka::Porovnani() {
    m_pohledy.PorovnaniUctu(m_btnPorovnani->text());
}

void TfrmVysledovka::DetailUctu() {
    const QString ucet = m_data.mtSestava.value(u"Ucet").toString();
    if (ucet.isEmpty() || ucet.contains(u'x')) {
        return;
    }
    m_pohledy.KartaUctu(ucet, m_data.Kontext.AdresarRoku);
}

void TfrmVysledovka::Detail() {
    if (!rozdelena()) {
        return;
    }
    const ui::TMemTable& s = m_data.mtSkupiny;
    TDetailSkupiny d;
    d.Zkratka = s.value(u"Zkratka").toString();
    d.Nazev = s.value(u"Nazev").toString();
    d.ProcentZisk = s.value(u"ProcentZisk").toCurrency();
    d.HospVysl = s.value(u"HospVysl").toCurrency();
    d.VynosyOB = s.value(u"VynosyOB").toCurrency();
    d.NakladyOB = s.value(u"NakladyOB").toCurrency();
    d.SoucetNakladyOB = m_data.SoucetNakladyOB;
    d.SoucetVynosyOB = m_data.SoucetVynosyOB;
    d.SoucetHospVysl = m_data.SoucetHospVysl;
    m_pohledy.DetailSkupiny(d);
}

void TfrmVysledovka::Napoveda() {
    // The help pages lie beside the help file; the income statement's page
    // is "pgMain.htm", the help file itself when that page is missing.
    const QString soubor = m_data.Kontext.SouborNapovedy;
    const QString stranka = QFileInfo(soubor).absolutePath() + QStringLiteral("/pgMain.htm");
    m_data.Vyzvy().openDocument(QFileInfo::exists(stranka) ? stranka : soubor);
}

bool TfrmVysledovka::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_karty->viewport() && event->type() == QEvent::Resize) {
        prizpusobitKarty();
    }
    if (watched == m_radky && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Pohyby();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace arvelo::views
