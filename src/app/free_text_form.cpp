#include "app/free_text_form.h"

#include "app/file_io.h"
#include "app/prompts.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace arvelo::app {

TfrmFreeText::TfrmFreeText(Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmFreeText"));
    setWindowTitle(QStringLiteral("Informace"));
    setModal(false);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memInfo"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_save = new QPushButton(QStringLiteral("Uložit"), this);
    m_save->setObjectName(QStringLiteral("btnUlozit"));
    m_close = new QPushButton(QStringLiteral("Zavřít"), this);
    m_close->setObjectName(QStringLiteral("btnZavrit"));
    m_save->setAutoDefault(false);
    m_close->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, [this] { Ulozit(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(560, 380);
}

void TfrmFreeText::NastavitText(const QStringList& lines) {
    m_text->setPlainText(lines.join(u'\n'));
}

QStringList TfrmFreeText::Radky() const {
    return m_text->toPlainText().split(u'\n');
}

bool TfrmFreeText::Ulozit() {
    const auto name = m_prompts.saveFileName(
        {QStringLiteral("Uložit do souboru"),
         QStringLiteral("Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*"), m_folder,
         QString(), QStringLiteral("TXT")});
    if (!name) {
        return false;
    }
    const QString path = withDefaultExtension(*name, QStringLiteral("TXT"));
    QString text = Radky().join(QStringLiteral("\n"));
    if (!text.isEmpty()) {
        text += u'\n';
    }
    QString error;
    if (!writeFileAtomic(path, text.toUtf8(), &error)) {
        showError(m_prompts, QStringLiteral("Soubor ") + path +
                                 QStringLiteral(" se nepodařilo uložit.\r") + error);
        return false;
    }
    return true;
}

} // namespace arvelo::app
