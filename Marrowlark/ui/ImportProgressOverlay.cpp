#include "ui/ImportProgressOverlay.h"

#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "ui/Palette.h"
#include "ui/UiFont.h"
#include "ui/ViewStyle.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The card paints its own rounded panel with a hairline.
class OverlayCard : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        ViewStyle::paintRoundedBox(painter, rect(), 8, Palette::panel(), Palette::line());
    }
};

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace

ImportProgressOverlay::ImportProgressOverlay(
    const QString &title, const QString &statusText, QWidget *parent)
    : QWidget(parent)
    , m_statusText(statusText)
{
    setObjectName(u"writeBackOverlay"_s);
    setAttribute(Qt::WA_NoMousePropagation);

    m_card = new OverlayCard(this);
    auto *card = new QVBoxLayout(m_card);
    card->setContentsMargins(28, 28, 28, 28);
    card->setSpacing(16);
    auto *busy = new QProgressBar(m_card);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedSize(120, 6);
    card->addWidget(busy, 0, Qt::AlignHCenter);
    m_title = new QLabel(title, m_card);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(uiFont(14, QFont::Medium));
    m_title->setAlignment(Qt::AlignCenter);
    card->addWidget(m_title);
    m_status = new QLabel(m_card);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setFont(uiFont(11, QFont::Light));
    m_status->setAlignment(Qt::AlignCenter);
    card->addWidget(m_status);

    const LanguageManager &lang = LanguageManager::shared();
    connect(&lang, &LanguageManager::currentChanged, this, &ImportProgressOverlay::refresh);
    connect(&lang, &LanguageManager::isDarkChanged, this, &ImportProgressOverlay::refresh);

    // Covers the whole window, also when it is resized.
    parent->installEventFilter(this);
    setGeometry(parent->rect());
    refresh();
    raise();
    show();
    setFocus();
}

void ImportProgressOverlay::refresh()
{
    m_status->setText(m_statusText.isEmpty() ? AppText::pleaseWait() : m_statusText);
    setTextColor(m_title, Palette::primaryText());
    setTextColor(m_status, Palette::mutedText());
    m_card->adjustSize();
    m_card->move(rect().center() - m_card->rect().center());
    update();
}

bool ImportProgressOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        refresh();
    }
    return QWidget::eventFilter(watched, event);
}

void ImportProgressOverlay::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), QColor(0, 0, 0, 128));
}

void ImportProgressOverlay::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}
