#include "compute/main_form.h"

#include "app/main_data.h"
#include "app/options.h"
#include "app/prompts.h"
#include "app/startup.h"
#include "app/working_form.h"
#include "compute/computation.h"
#include "compute/grouping.h"
#include "compute/pick_lists.h"
#include "compute/progress.h"
#include "rights/filter_controls.h"
#include "rights/pristup_prava.h"
#include "rights/rights_prompts.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace arvelo::compute {

namespace {
QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QFont scaled(QFont font, double factor, bool bold) {
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

QCheckBox* check(const QString& name, const QString& text, QWidget* parent) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

// The heading of a page: a bold title and a line of explanation.
QWidget* nadpisStranky(const QString& nadpis, const QString& popis, QWidget* parent) {
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    auto* title = new QLabel(nadpis, w);
    title->setFont(scaled(title->font(), 1.2, true));
    auto* text = new QLabel(popis, w);
    text->setWordWrap(true);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(16, 10, 16, 10);
    l->addWidget(title);
    l->addWidget(text);
    return w;
}

// The names of the controls of a filter family, as the rights code knows them.
constexpr rights::TFiltr kRodiny[] = {rights::TFiltr::Cinnosti, rights::TFiltr::Strediska,
                                      rights::TFiltr::Zakazky, rights::TFiltr::Ucty};
constexpr int kDruhySeznamu[] = {rights::druh_seznamu::Cinnosti, rights::druh_seznamu::Strediska,
                                 rights::druh_seznamu::Zakazky, rights::druh_seznamu::Ucty};
} // namespace

QString TextObdobi(int index) {
    static const char* const texty[kPocetObdobi] = {"období od-do", "dnes",         "včera",
                                                    "tento týden",  "minulý týden", "tento měsíc",
                                                    "minulý měsíc", "tento rok",    "minulý rok"};
    return index >= 0 && index < kPocetObdobi ? QString::fromUtf8(texty[index]) : QString();
}

std::pair<QDate, QDate> DatumyObdobi(int index, const QDate& dnes) {
    const QDate pondeli = dnes.addDays(1 - dnes.dayOfWeek());
    const QDate prvniMesice(dnes.year(), dnes.month(), 1);
    switch (index) {
    case Dnes:
        return {dnes, dnes};
    case Vcera:
        return {dnes.addDays(-1), dnes.addDays(-1)};
    case TentoTyden:
        return {pondeli, pondeli.addDays(6)};
    case MinulyTyden:
        return {pondeli.addDays(-7), pondeli.addDays(-1)};
    case TentoMesic:
        return {prvniMesice, prvniMesice.addMonths(1).addDays(-1)};
    case MinulyMesic:
        return {prvniMesice.addMonths(-1), prvniMesice.addDays(-1)};
    case TentoRok:
        return {QDate(dnes.year(), 1, 1), QDate(dnes.year(), 12, 31)};
    case MinulyRok:
        return {QDate(dnes.year() - 1, 1, 1), QDate(dnes.year() - 1, 12, 31)};
    default:
        return {};
    }
}

// The run's progress on the final page: the status line, the spinner panel,
// and the window messages (a click on "Přerušit") let through the prompt seam.
class TfrmMain::TPrubehOkna final : public TPrubeh {
public:
    explicit TPrubehOkna(TfrmMain& okno) : m_okno(okno) {}
    void Stav(const QString& text) override { m_okno.m_status->setText(text); }
    void Panel(const QString& text) override { m_okno.m_tocitko->setText(text); }
    void Udalosti() override { m_okno.m_data->Vyzvy().processEvents(); }

private:
    TfrmMain& m_okno;
};

TfrmMain::TfrmMain(app::Prompts& prompts, const app::SystemFormats& formats, QWidget* parent)
    : QWidget(parent, Qt::Window), m_data(std::make_unique<app::THlavniData>(prompts, formats)),
      m_vlastniSeznamy(std::make_unique<TSeznamy>(*m_data, this)),
      m_seznamy(m_vlastniSeznamy.get()) {
    setObjectName(QStringLiteral("frmMain"));
    // The rights windows edit fixed filters with the wizard's own lists.
    m_data->SeznamyPruvodce.NastavitSeznamy(m_seznamy);
    setWindowTitle(QStringLiteral("Průvodce sestavy \"%1\"").arg(app::kNazevProgramu));

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pcPruvodce"));
    m_pages->addWidget(vytvoritUvod());
    m_pages->addWidget(vytvoritDatumFiltr());
    m_pages->addWidget(vytvoritFiltr());
    m_pages->addWidget(vytvoritFinal());

    m_zpet = new QPushButton(QStringLiteral("< Zpět"), this);
    m_zpet->setObjectName(QStringLiteral("btnZpet"));
    m_dalsi = new QPushButton(QStringLiteral("Další >"), this);
    m_dalsi->setObjectName(QStringLiteral("btnDalsi"));
    m_dalsi->setDefault(true);
    m_zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_zavrit->setObjectName(QStringLiteral("btnZavrit"));
    m_prerusit = new QPushButton(QStringLiteral("Přerušit"), this);
    m_prerusit->setObjectName(QStringLiteral("btnPrerusit"));
    m_prerusit->hide();
    connect(m_zavrit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_prerusit, &QPushButton::clicked, this, [this] { m_data->Preruseno = true; });
    connect(m_zpet, &QPushButton::clicked, this,
            [this] { ZobrazitStranku(AktualniStranka() - 1); });
    connect(m_dalsi, &QPushButton::clicked, this, &TfrmMain::Dalsi);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_prerusit);
    buttons->addStretch();
    buttons->addWidget(m_zpet);
    buttons->addWidget(m_dalsi);
    buttons->addSpacing(12);
    buttons->addWidget(m_zavrit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(m_pages, 1);
    layout->addWidget(line);
    auto* bottom = new QWidget(this);
    bottom->setLayout(buttons);
    buttons->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(bottom);

    resize(660, 460);
    ZobrazitStranku(0);
}

TfrmMain::~TfrmMain() {
    // The lists go before the data object that points at them.
    m_data->SeznamyPruvodce.NastavitSeznamy(nullptr);
}

void TfrmMain::NastavitSeznamy(rights::TVyberySeznamu& seznamy) {
    m_seznamy = &seznamy;
    m_data->SeznamyPruvodce.NastavitSeznamy(m_seznamy);
}

rights::TPristupPrava* TfrmMain::prava() const {
    return m_data->PristupPrava();
}

QDate TfrmMain::dnes() const {
    return m_dnes ? m_dnes() : QDate::currentDate();
}

QWidget* TfrmMain::vytvoritUvod() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsVitejte"));

    // A coloured band on the left, as wizards have it.
    auto* band = new QFrame(page);
    band->setObjectName(QStringLiteral("panPruh"));
    band->setFixedWidth(150);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, QColor(0x1f, 0x4e, 0x79));
    band->setPalette(pal);
    auto* bandName = label(QStringLiteral("lblPruhNazev"), app::kNazevProgramu, band);
    bandName->setFont(scaled(bandName->font(), 1.6, true));
    QPalette white = bandName->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    bandName->setPalette(white);
    bandName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(8, 24, 8, 8);
    bandLayout->addWidget(bandName);
    bandLayout->addStretch();

    auto* name = label(QStringLiteral("lblNazevProgramu"), app::kNazevProgramu, page);
    name->setFont(scaled(name->font(), 1.8, true));
    auto* subtitle =
        label(QStringLiteral("lblPodtitul"), QStringLiteral("(zásuvný modul pro Money S3)"), page);
    auto* description = label(
        QStringLiteral("lblPopis"),
        QStringLiteral("Pomocí tohoto externího modulu Money můžete zobrazit výsledovku volitelně "
                       "seskupenou podle různých pohledů. Je možné sledovat např. ziskovost "
                       "(hospodářský výsledek) několika zakázek najednou, nebo graficky zobrazit "
                       "vývoj nákladů či výnosů podle zvoleného datumového období. Výsledovka "
                       "ukazuje uspořádání nákladů a výnosů k určitému datu."),
        page);
    description->setWordWrap(true);
    auto* next =
        label(QStringLiteral("lblPokracovat"),
              QStringLiteral("Chcete-li pokračovat, klepněte myší na tlačítko [Další]"), page);
    next->setWordWrap(true);

    auto* versionCaption =
        label(QStringLiteral("lblVerzeModulu"), QStringLiteral("Verze modulu"), page);
    versionCaption->setFont(scaled(versionCaption->font(), 1.0, true));
    auto* version = label(QStringLiteral("lblVerze"), app::kVerzeModulu, page);

    auto* rightsCaption =
        label(QStringLiteral("lblPristupovaPrava"), QStringLiteral("Přístupová práva"), page);
    rightsCaption->setFont(scaled(rightsCaption->font(), 1.0, true));
    auto* rightsText = label(QStringLiteral("lblPristupNastavite"),
                             QStringLiteral("přístup k tomuto doplňku nastavíte"), page);
    auto* rightsLink = label(QStringLiteral("lblKlepnutimZde"),
                             QStringLiteral("<a href=\"prava\">klepnutím zde</a>"), page);
    rightsLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(rightsLink, &QLabel::linkActivated, this, [this] {
        if (rights::TPristupPrava* p = prava()) {
            p->OdkazSpravy(m_data->Kontext.HesloUzivatele);
        }
    });

    auto* text = new QVBoxLayout;
    text->setContentsMargins(20, 20, 20, 12);
    text->setSpacing(6);
    text->addWidget(name);
    text->addWidget(subtitle);
    text->addSpacing(14);
    text->addWidget(description);
    text->addSpacing(10);
    text->addWidget(next);
    text->addStretch();
    auto* grid = new QHBoxLayout;
    auto* versionBox = new QVBoxLayout;
    versionBox->addWidget(versionCaption);
    versionBox->addWidget(version);
    auto* rightsBox = new QVBoxLayout;
    rightsBox->addWidget(rightsCaption);
    auto* rightsLine = new QHBoxLayout;
    rightsLine->addWidget(rightsText);
    rightsLine->addWidget(rightsLink);
    rightsLine->addStretch();
    rightsBox->addLayout(rightsLine);
    grid->addLayout(versionBox);
    grid->addSpacing(40);
    grid->addLayout(rightsBox, 1);
    text->addLayout(grid);

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(text, 1);
    return page;
}

QLineEdit* TfrmMain::vytvoritDatum(const QString& name, QWidget* page, QToolButton** kalendar) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setMaximumWidth(120);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &TfrmMain::datumUpraven);
    auto* tlacitko = new QToolButton(page);
    tlacitko->setObjectName(name + QStringLiteral("Kalendar"));
    tlacitko->setText(QStringLiteral("▾"));
    tlacitko->setToolTip(QStringLiteral("Kalendář"));
    connect(tlacitko, &QToolButton::clicked, this,
            [this, edit, tlacitko] { otevritKalendar(edit, tlacitko); });
    *kalendar = tlacitko;
    return edit;
}

void TfrmMain::otevritKalendar(QLineEdit* edit, QToolButton* tlacitko) {
    QMenu menu(this);
    auto* kalendar = new QCalendarWidget(&menu);
    kalendar->setGridVisible(true);
    kalendar->setLocale(m_data->Formaty().locale());
    const QDate zadano = m_data->Formaty().parseDate(edit->text());
    kalendar->setSelectedDate(zadano.isValid() ? zadano : dnes());
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(kalendar);
    menu.addAction(action);
    connect(kalendar, &QCalendarWidget::clicked, &menu, [&](const QDate& den) {
        edit->setText(m_data->Formaty().dateText(den));
        datumUpraven();
        menu.close();
    });
    menu.exec(tlacitko->mapToGlobal(QPoint(0, tlacitko->height())));
}

void TfrmMain::datumUpraven() {
    if (!m_nastavujiObdobi && m_datObdobi->currentIndex() != ObdobiOdDo) {
        m_nastavujiObdobi = true;
        m_datObdobi->setCurrentIndex(ObdobiOdDo);
        m_nastavujiObdobi = false;
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_datumOd || watched == m_datumDo) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            static_cast<QLineEdit*>(watched)->setText(m_data->Formaty().dateText(dnes()));
            datumUpraven();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* TfrmMain::vytvoritDatumFiltr() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsDatumFiltr"));

    m_dleDatumu = check(QStringLiteral("chckDleDatumu"), QStringLiteral("dle data"), page);
    m_datObdobi = new QComboBox(page);
    m_datObdobi->setObjectName(QStringLiteral("cbxDatObdobi"));
    for (int i = 0; i < kPocetObdobi; ++i) {
        m_datObdobi->addItem(TextObdobi(i));
    }
    m_datumOd = vytvoritDatum(QStringLiteral("edtDatumOd"), page, &m_kalendarOd);
    m_datumDo = vytvoritDatum(QStringLiteral("edtDatumDo"), page, &m_kalendarDo);
    m_seskupit = check(QStringLiteral("chckSeskupit"), QStringLiteral("rozdělit sestavu na"), page);
    m_seskupitDle = new QComboBox(page);
    m_seskupitDle->setObjectName(QStringLiteral("cbxSeskupitDle"));
    for (int i = 0; i < kPocetDruhu; ++i) {
        m_seskupitDle->addItem(TextDruhu(i));
    }
    connect(m_dleDatumu, &QCheckBox::toggled, this, &TfrmMain::NastavitPrvky);
    connect(m_seskupit, &QCheckBox::toggled, this, &TfrmMain::NastavitPrvky);
    connect(m_datObdobi, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_nastavujiObdobi) {
            NastavitPrvky();
        }
    });

    auto* grid = new QGridLayout;
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_dleDatumu, 0, 0);
    grid->addWidget(m_datObdobi, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("lblDatumOd"), QStringLiteral("od"), page), 1, 0,
                    Qt::AlignRight);
    auto* od = new QHBoxLayout;
    od->setSpacing(2);
    od->addWidget(m_datumOd);
    od->addWidget(m_kalendarOd);
    od->addSpacing(16);
    od->addWidget(label(QStringLiteral("lblDatumDo"), QStringLiteral("do"), page));
    od->addSpacing(6);
    od->addWidget(m_datumDo);
    od->addWidget(m_kalendarDo);
    od->addStretch();
    grid->addLayout(od, 1, 1, 1, 3);
    grid->addItem(new QSpacerItem(0, 16), 2, 0);
    grid->addWidget(m_seskupit, 3, 0);
    grid->addWidget(m_seskupitDle, 3, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nadpisStranky(
        QStringLiteral("Období a rozdělení sestavy"),
        QStringLiteral("Zvolte období, za které se sestava zpracuje, a zda se má rozdělit na "
                       "skupiny."),
        page));
    layout->addLayout(grid, 1);
    return page;
}

QWidget* TfrmMain::vytvoritFiltr() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsFiltr"));
    static const char* const popisky[] = {"jen činnosti", "jen střediska", "jen zakázky",
                                          "jen účty"};
    auto* grid = new QGridLayout;
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (int i = 0; i < 4; ++i) {
        const rights::TNazvyOvladacu nazvy = rights::NazvyOvladacu(kRodiny[i]);
        TRodina& r = m_rodiny[std::size_t(i)];
        r.druh = kDruhySeznamu[i];
        r.zapnuto = check(nazvy.Check, QString::fromUtf8(popisky[i]), page);
        r.seznam = new QLineEdit(page);
        r.seznam->setObjectName(nazvy.Text);
        r.seznam->setReadOnly(true);
        r.vyber = new QToolButton(page);
        r.vyber->setObjectName(nazvy.Tlacitko);
        r.vyber->setText(QStringLiteral("..."));
        r.negace = check(nazvy.Neg, QStringLiteral("negace"), page);
        connect(r.zapnuto, &QCheckBox::toggled, this, &TfrmMain::NastavitPrvky);
        connect(r.vyber, &QToolButton::clicked, this, [this, i] {
            TRodina& rodina = m_rodiny[std::size_t(i)];
            rodina.seznam->setText(m_seznamy->UpravitSeznam(rodina.seznam->text(), rodina.druh));
        });
        grid->addWidget(r.zapnuto, i, 0);
        grid->addWidget(r.seznam, i, 1);
        grid->addWidget(r.vyber, i, 2);
        grid->addWidget(r.negace, i, 3);
    }
    grid->setColumnStretch(1, 1);
    m_uctyOvlDan =
        check(QStringLiteral("chckUctyOvlDan"),
              QStringLiteral("jen pohyby na účtech \"Ovlivňujících daň z příjmů\""), page);
    m_uctyNEOvlDan =
        check(QStringLiteral("chckUctyNEOvlDan"),
              QStringLiteral("jen pohyby na účtech \"Neovlivňujících daň z příjmů\""), page);
    m_ignorovatPrevod = check(QStringLiteral("chckIgnorovatPrevod"),
                              QStringLiteral("ignorovat převod na účet zisků a ztrát"), page);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        nadpisStranky(QStringLiteral("Filtry účetního deníku"),
                      QStringLiteral("Následující přepínače ovlivní načítané záznamy z účetního "
                                     "deníku, které budou zahrnuty do sestavy."),
                      page));
    layout->addLayout(grid);
    auto* switches = new QVBoxLayout;
    switches->setContentsMargins(16, 6, 16, 12);
    switches->addWidget(m_uctyOvlDan);
    switches->addWidget(m_uctyNEOvlDan);
    switches->addSpacing(6);
    switches->addWidget(m_ignorovatPrevod);
    layout->addLayout(switches);
    layout->addStretch();
    return page;
}

QWidget* TfrmMain::vytvoritFinal() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsFinal"));
    m_status = label(QStringLiteral("lblStatus"), QString(), page);
    m_status->setWordWrap(true);
    m_panLoop = new QFrame(page);
    m_panLoop->setObjectName(QStringLiteral("panLoop"));
    static_cast<QFrame*>(m_panLoop)->setFrameShape(QFrame::StyledPanel);
    m_tocitko = label(QStringLiteral("lblLoop"), QString(), m_panLoop);
    m_tocitko->setAlignment(Qt::AlignCenter);
    m_tocitko->setMinimumWidth(120);
    auto* panLayout = new QHBoxLayout(m_panLoop);
    panLayout->setContentsMargins(8, 4, 8, 4);
    panLayout->addWidget(m_tocitko);
    m_zavritOkno = check(QStringLiteral("chckZavritOkno"),
                         QStringLiteral("po skončení zavřít tohoto průvodce"), page);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 16, 16, 12);
    body->addWidget(m_status);
    auto* loop = new QHBoxLayout;
    loop->addWidget(m_panLoop);
    loop->addStretch();
    body->addLayout(loop);
    body->addStretch();
    body->addWidget(m_zavritOkno);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nadpisStranky(QStringLiteral("Zpracování sestavy"),
                                    QStringLiteral("Sestava se zpracuje podle zvoleného období, "
                                                   "rozdělení a filtrů."),
                                    page));
    layout->addLayout(body, 1);
    return page;
}

void TfrmMain::NacistOvladace() {
    const app::TVolby& v = m_data->Volby;
    const app::SystemFormats& f = m_data->Formaty();
    m_nastavujiObdobi = true;
    m_dleDatumu->setChecked(v.Datum);
    m_datObdobi->setCurrentIndex(v.DatObdobi >= 0 && v.DatObdobi < kPocetObdobi ? v.DatObdobi : 0);
    m_datumOd->setText(v.DatumOd.isValid() ? f.dateText(v.DatumOd.date()) : QString());
    m_datumDo->setText(v.DatumDo.isValid() ? f.dateText(v.DatumDo.date()) : QString());
    m_nastavujiObdobi = false;
    m_seskupit->setChecked(v.Seskupit);
    m_seskupitDle->setCurrentIndex(v.SeskupitDle >= 0 && v.SeskupitDle < kPocetDruhu ? v.SeskupitDle
                                                                                     : 0);
    const TFiltr rodiny[] = {{v.Cinnosti, v.CinnostiText, v.CinnostiNeg},
                             {v.Strediska, v.StrediskaText, v.StrediskaNeg},
                             {v.Zakazky, v.ZakazkyText, v.ZakazkyNeg},
                             {v.Ucty, v.UctyText, v.UctyNeg}};
    for (std::size_t i = 0; i < m_rodiny.size(); ++i) {
        m_rodiny[i].zapnuto->setChecked(rodiny[i].zapnuto);
        m_rodiny[i].seznam->setText(rodiny[i].seznam);
        m_rodiny[i].negace->setChecked(rodiny[i].negace);
    }
    m_uctyOvlDan->setChecked(v.UctyOvlDan);
    m_uctyNEOvlDan->setChecked(v.UctyNEOvlDan);
    m_ignorovatPrevod->setChecked(v.IgnorovatPrevod);
    m_zavritOkno->setChecked(v.ZavritOkno);
    m_ovladaceNacteny = true;
    NastavitPrvky();
}

void TfrmMain::UlozitOvladace() {
    app::TVolby& v = m_data->Volby;
    const TNastaveniBehu n = Nastaveni();
    v.Datum = n.DleDatumu;
    v.DatObdobi = m_datObdobi->currentIndex();
    // A date that does not convert is kept as it was rather than lost.
    if (n.DatumOd.isValid()) {
        v.DatumOd = QDateTime(n.DatumOd, QTime(0, 0));
    }
    if (n.DatumDo.isValid()) {
        v.DatumDo = QDateTime(n.DatumDo, QTime(0, 0));
    }
    v.Seskupit = n.Seskupit;
    v.SeskupitDle = n.SeskupitDle;
    v.Cinnosti = n.Cinnosti.zapnuto;
    v.CinnostiText = n.Cinnosti.seznam;
    v.CinnostiNeg = n.Cinnosti.negace;
    v.Strediska = n.Strediska.zapnuto;
    v.StrediskaText = n.Strediska.seznam;
    v.StrediskaNeg = n.Strediska.negace;
    v.Zakazky = n.Zakazky.zapnuto;
    v.ZakazkyText = n.Zakazky.seznam;
    v.ZakazkyNeg = n.Zakazky.negace;
    v.Ucty = n.Ucty.zapnuto;
    v.UctyText = n.Ucty.seznam;
    v.UctyNeg = n.Ucty.negace;
    v.UctyOvlDan = n.UctyOvlDan;
    v.UctyNEOvlDan = n.UctyNEOvlDan;
    v.IgnorovatPrevod = n.IgnorovatPrevod;
    v.ZavritOkno = m_zavritOkno->isChecked();
}

TNastaveniBehu TfrmMain::Nastaveni() const {
    TNastaveniBehu n;
    n.DleDatumu = m_dleDatumu->isChecked();
    n.DatumOd = m_data->Formaty().parseDate(m_datumOd->text().trimmed());
    n.DatumDo = m_data->Formaty().parseDate(m_datumDo->text().trimmed());
    auto filtr = [](const TRodina& r) {
        return TFiltr{r.zapnuto->isChecked(), r.seznam->text(), r.negace->isChecked()};
    };
    n.Cinnosti = filtr(m_rodiny[0]);
    n.Strediska = filtr(m_rodiny[1]);
    n.Zakazky = filtr(m_rodiny[2]);
    n.Ucty = filtr(m_rodiny[3]);
    n.UctyOvlDan = m_uctyOvlDan->isChecked();
    n.UctyNEOvlDan = m_uctyNEOvlDan->isChecked();
    n.IgnorovatPrevod = m_ignorovatPrevod->isChecked();
    n.Seskupit = m_seskupit->isChecked();
    n.SeskupitDle = m_seskupitDle->currentIndex();
    return n;
}

void TfrmMain::ZobrazitStranku(int index) {
    if (index < 0 || index >= m_pages->count()) {
        return;
    }
    m_pages->setCurrentIndex(index);
    m_zpet->setEnabled(index > 0);
    m_dalsi->setEnabled(true);
    m_zavrit->setEnabled(true);
    m_dalsi->setText(QStringLiteral("Další >"));
    if (index == 1 || index == 2) {
        NastavitPrvky();
    }
    if (index == 3) {
        m_panLoop->hide();
        m_prerusit->hide();
        m_dalsi->setText(QStringLiteral("Dokončit"));
        m_status->setText(
            QStringLiteral("Chcete-li zpracovat sestavu, klepněte na tlačítko [Dokončit]"));
    }
}

int TfrmMain::AktualniStranka() const {
    return m_pages->currentIndex();
}

bool TfrmMain::zamceno(int rodina) const {
    return prava() && prava()->JeZamceno(kRodiny[rodina]);
}

void TfrmMain::nastavitBarvu(QWidget* w, bool povoleno) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base,
                 povoleno ? palette().color(QPalette::Base) : palette().color(QPalette::Button));
    w->setPalette(pal);
}

void TfrmMain::NastavitPrvky() {
    const bool dleData = m_dleDatumu->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_datObdobi, m_datumOd, m_datumDo,
                                                      m_kalendarOd, m_kalendarDo}) {
        w->setEnabled(dleData);
    }
    nastavitBarvu(m_datumOd, dleData);
    nastavitBarvu(m_datumDo, dleData);

    const auto [od, do_] = DatumyObdobi(m_datObdobi->currentIndex(), dnes());
    if (od.isValid()) {
        m_nastavujiObdobi = true;
        m_datumOd->setText(m_data->Formaty().dateText(od));
        m_datumDo->setText(m_data->Formaty().dateText(do_));
        m_nastavujiObdobi = false;
    }

    for (int i = 0; i < 4; ++i) {
        if (zamceno(i)) {
            continue;
        }
        const TRodina& r = m_rodiny[std::size_t(i)];
        const bool zapnuto = r.zapnuto->isChecked();
        r.seznam->setEnabled(zapnuto);
        r.vyber->setEnabled(zapnuto);
        r.negace->setEnabled(zapnuto);
        nastavitBarvu(r.seznam, zapnuto);
    }
    m_seskupitDle->setEnabled(m_seskupit->isChecked());
}

bool TfrmMain::overitDatumy() {
    if (!m_dleDatumu->isChecked()) {
        return true;
    }
    const TNastaveniBehu n = Nastaveni();
    app::Prompts& p = m_data->Vyzvy();
    if (!n.DatumOd.isValid()) {
        app::showWarning(p, QStringLiteral("Datum OD nebyl zadán nebo má chybný formát."));
        return false;
    }
    if (!n.DatumDo.isValid()) {
        app::showWarning(p, QStringLiteral("Datum DO nebyl zadán nebo má chybný formát."));
        return false;
    }
    if (n.DatumOd > n.DatumDo) {
        app::showWarning(p, QStringLiteral("Datum DO nesmí být nižší než datum OD."));
        return false;
    }
    return true;
}

void TfrmMain::Dalsi() {
    switch (AktualniStranka()) {
    case 0:
        if (rights::TPristupPrava* p = prava()) {
            rights::TOvladaceFormulare ovladace(*this);
            if (!p->OveritProPruvodce(m_data->Kontext.HesloUzivatele, ovladace)) {
                return;
            }
        }
        ZobrazitStranku(1);
        break;
    case 1:
        if (overitDatumy()) {
            ZobrazitStranku(2);
        }
        break;
    case 2:
        if (!m_uctyOvlDan->isChecked() && !m_uctyNEOvlDan->isChecked()) {
            app::showWarning(m_data->Vyzvy(),
                             QStringLiteral("Alespoň jeden přepínač \"jen pohyby na účtech "
                                            "Ovlivňujících nebo Neovlivňujících daň z příjmů\" "
                                            "musí zůstat aktivní."));
            return;
        }
        ZobrazitStranku(3);
        break;
    case 3:
        Dokoncit();
        break;
    default:
        break;
    }
}

bool TfrmMain::Dokoncit() {
    m_dalsi->setEnabled(false);
    m_zpet->setEnabled(false);
    m_zavrit->setEnabled(false);
    m_panLoop->show();
    m_prerusit->show();
    m_data->Preruseno = false;

    UlozitOvladace();
    const TNastaveniBehu nastaveni = Nastaveni();
    bool uspech = false;
    m_bezi = true;
    {
        TPrubehOkna prubeh(*this);
        TVypocet vypocet(*m_data, nastaveni, prubeh);
        uspech = vypocet.Spustit();
    }
    m_bezi = false;
    m_data->ZavritTabulky();

    m_status->setText(uspech ? QStringLiteral("Dokončeno.")
                             : QStringLiteral("Při zpracování sestavy došlo k chybě nebo byla "
                                              "operace přerušena uživatelem."));
    m_dalsi->setEnabled(true);
    m_zpet->setEnabled(true);
    m_zavrit->setEnabled(true);
    m_prerusit->hide();
    m_panLoop->hide();
    if (!uspech) {
        return false;
    }

    PripravitVysledky(*m_data, nastaveni);
    m_data->Zaneprazdneno = false;
    if (m_zobrazitVysledky) {
        m_zobrazitVysledky(nastaveni);
    }
    m_data->Zaneprazdneno = true;
    if (m_zavritOkno->isChecked()) {
        close();
    }
    return true;
}

void TfrmMain::PrenestDoPopredi() {
    if (!isVisible()) {
        return;
    }
    // Changing the flags re-creates the native window, which hides it.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    show();
    raise();
    activateWindow();
}

void TfrmMain::showEvent(QShowEvent* event) {
    // The controls get the saved options before the window is first shown.
    if (!m_ovladaceNacteny) {
        NacistOvladace();
    }
    QWidget::showEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // "Zavřít" is disabled during a run; the window's own close button must
    // not end the program under the running computation either.
    if (m_bezi) {
        event->ignore();
        return;
    }
    if (!m_saved && !m_data->Kontext.SouborVoleb.isEmpty()) {
        m_saved = true;
        if (m_ovladaceNacteny) {
            UlozitOvladace();
        }
        app::UlozitVolby(*m_data);
    }
    event->accept();
}

void TfrmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        app::MinimalizovatAplikaci();
    }
}

} // namespace arvelo::compute
