#include "compute/main_form.h"

#include "app/main_data.h"
#include "app/options.h"
#include "app/startup.h"
#include "app/working_form.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

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
} // namespace

TfrmMain::TfrmMain(app::Prompts& prompts, const app::SystemFormats& formats, QWidget* parent)
    : QWidget(parent, Qt::Window), m_data(std::make_unique<app::THlavniData>(prompts, formats)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Průvodce sestavy \"%1\"").arg(app::kNazevProgramu));

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pcPruvodce"));
    m_pages->addWidget(vytvoritUvod());

    m_zpet = new QPushButton(QStringLiteral("< Zpět"), this);
    m_zpet->setObjectName(QStringLiteral("btnZpet"));
    m_dalsi = new QPushButton(QStringLiteral("Další >"), this);
    m_dalsi->setObjectName(QStringLiteral("btnDalsi"));
    m_zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_zavrit->setObjectName(QStringLiteral("btnZavrit"));
    m_prerusit = new QPushButton(QStringLiteral("Přerušit"), this);
    m_prerusit->setObjectName(QStringLiteral("btnPrerusit"));
    m_prerusit->hide();
    connect(m_zavrit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_prerusit, &QPushButton::clicked, this, [this] { m_data->Preruseno = true; });
    connect(m_zpet, &QPushButton::clicked, this,
            [this] { ZobrazitStranku(AktualniStranka() - 1); });

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

    resize(660, 440);
    ZobrazitStranku(0);
}

TfrmMain::~TfrmMain() = default;

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
    // The rights editor comes with the extended per-user rights; until then
    // the link is shown inactive rather than as a link that does nothing.
    auto* rightsLink =
        label(QStringLiteral("lblKlepnutimZde"), QStringLiteral("klepnutím zde"), page);
    rightsLink->setEnabled(false);

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

void TfrmMain::ZobrazitStranku(int index) {
    if (index < 0 || index >= m_pages->count()) {
        return;
    }
    m_pages->setCurrentIndex(index);
    m_zpet->setEnabled(index > 0);
    m_dalsi->setText(QStringLiteral("Další >"));
    m_zavrit->setEnabled(true);
    // Leaving the welcome page runs the rights check and leads to the period
    // page; both come with the wizard's pages. Until then "Další >" cannot be
    // pressed rather than doing nothing.
    m_dalsi->setEnabled(index + 1 < m_pages->count());
}

int TfrmMain::AktualniStranka() const {
    return m_pages->currentIndex();
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

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!m_saved && !m_data->Kontext.SouborVoleb.isEmpty()) {
        m_saved = true;
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
