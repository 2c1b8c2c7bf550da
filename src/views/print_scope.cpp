#include "views/print_scope.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace arvelo::views {

TfrmDotazTisku::TfrmDotazTisku(const QString& skupina, bool vse, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmDotazTisku"));
    setWindowTitle(QStringLiteral("Dotaz"));
    auto* otazka = new QLabel(QStringLiteral("Vyberte rozsah tisku:"), this);
    otazka->setObjectName(QStringLiteral("lblDotaz"));
    auto* ramec = new QGroupBox(this);
    ramec->setObjectName(QStringLiteral("gbSkupina"));
    auto* text = new QLabel(skupina, ramec);
    text->setObjectName(QStringLiteral("lblSkupina"));
    text->setWordWrap(true);
    text->installEventFilter(this);
    auto* ramecLayout = new QVBoxLayout(ramec);
    ramecLayout->addWidget(text);
    m_vse = new QRadioButton(QStringLiteral("tisknout všechny záznamy"), this);
    m_vse->setObjectName(QStringLiteral("rbVse"));
    m_aktualni = new QRadioButton(QStringLiteral("tisknout pouze aktuální skupinu"), this);
    m_aktualni->setObjectName(QStringLiteral("rbAktualni"));
    (vse ? m_vse : m_aktualni)->setChecked(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("btnStorno"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(storno);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(otazka);
    layout->addWidget(ramec);
    layout->addWidget(m_vse);
    layout->addWidget(m_aktualni);
    layout->addLayout(buttons);
    setMinimumWidth(340);
}

bool TfrmDotazTisku::Vse() const {
    return m_vse->isChecked();
}

void TfrmDotazTisku::KlepnutiNaSkupinu() {
    m_aktualni->setChecked(true);
}

bool TfrmDotazTisku::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        KlepnutiNaSkupinu();
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<bool> TfrmDotazTisku::Zeptat(const QString& skupina, bool vse, QWidget* parent) {
    TfrmDotazTisku dotaz(skupina, vse, parent);
    if (dotaz.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dotaz.Vse();
}

} // namespace arvelo::views
