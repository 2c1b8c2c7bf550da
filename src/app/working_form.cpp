#include "app/working_form.h"

#include "app/prompts.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace arvelo::app {

TfrmWorking::TfrmWorking(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmWorking"));
    setWindowTitle(QStringLiteral("Pracuji..."));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->setSpacing(10);

    auto* title = new QLabel(QStringLiteral("Pracuji..."), frame);
    title->setObjectName(QStringLiteral("lblPracuji"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);

    m_info = new QLabel(frame);
    m_info->setObjectName(QStringLiteral("lblInfo"));
    m_info->setAlignment(Qt::AlignCenter);
    m_info->setWordWrap(true);

    m_interrupt = new QLabel(frame);
    m_interrupt->setObjectName(QStringLiteral("lblPrerusit"));
    m_interrupt->setText(QStringLiteral("<a href=\"#\">Přerušit</a>"));
    m_interrupt->setAlignment(Qt::AlignCenter);
    m_interrupt->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    m_interrupt->hide();
    connect(m_interrupt, &QLabel::linkActivated, this, [this] {
        if (m_onInterrupt) {
            m_onInterrupt();
        }
    });

    layout->addWidget(title);
    layout->addWidget(m_info);
    layout->addWidget(m_interrupt);
    setMinimumWidth(340);
}

void TfrmWorking::ZobrazitPracuji(const QString& message, std::function<void()> onInterrupt) {
    QCoreApplication::processEvents();
    m_info->setText(displayText(message));
    m_onInterrupt = std::move(onInterrupt);
    m_interrupt->setVisible(static_cast<bool>(m_onInterrupt));
    adjustSize();
    if (!isVisible()) {
        centre();
        show();
    }
    raise();
    QCoreApplication::processEvents();
}

void TfrmWorking::SkrytPracuji() {
    QCoreApplication::processEvents();
    m_onInterrupt = {};
    hide();
}

void TfrmWorking::centre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
}

void TfrmWorking::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        MinimalizovatAplikaci();
    }
}

void MinimalizovatAplikaci() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->isMinimized()) {
            w->showMinimized();
        }
    }
}

} // namespace arvelo::app
