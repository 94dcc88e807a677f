#include "ui/import/ImportChoiceRow.h"

#include "ui/Palette.h"
#include "ui/UiFont.h"
#include "ui/import/ImportStyle.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int horizontalPadding = 12;
constexpr int markSize = 14;
constexpr int gap = 8;

} // namespace

ImportChoiceRow::ImportChoiceRow(Mark mark, int verticalPadding, QWidget *parent)
    : QAbstractButton(parent)
    , m_mark(mark)
    , m_verticalPadding(verticalPadding)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFont(uiFont(13));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ImportChoiceRow::setName(const QString &name)
{
    m_name = name;
    setAccessibleName(name);
    update();
}

void ImportChoiceRow::setDetail(const QString &detail)
{
    m_detail = detail;
    update();
}

QSize ImportChoiceRow::sizeHint() const
{
    const int height = std::max(fontMetrics().height(), markSize) + 2 * m_verticalPadding;
    return { 2 * horizontalPadding + markSize + gap + fontMetrics().horizontalAdvance(m_name),
        height };
}

void ImportChoiceRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isChecked()) {
        QColor tint = Palette::accent();
        tint.setAlphaF(0.15f);
        QPainterPath background;
        background.addRoundedRect(QRectF(rect()), 6, 6);
        painter.fillPath(background, tint);
    }

    const QRect content = rect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    paintMark(
        painter, QRectF(content.left(), content.center().y() - markSize / 2.0, markSize, markSize));

    QRect text = content.adjusted(markSize + gap, 0, 0, 0);
    if (!m_detail.isEmpty()) {
        const QFont detailFont = uiFont(11);
        const int detailWidth = QFontMetrics(detailFont).horizontalAdvance(m_detail);
        painter.setFont(detailFont);
        painter.setPen(ImportStyle::textColor(ImportStyle::Emphasis::secondary));
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, m_detail);
        text.setRight(text.right() - detailWidth - gap);
    }
    painter.setFont(font());
    painter.setPen(ImportStyle::textColor(ImportStyle::Emphasis::primary));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
        fontMetrics().elidedText(m_name, Qt::ElideMiddle, text.width()));
}

void ImportChoiceRow::paintMark(QPainter &painter, const QRectF &box) const
{
    const QColor accent = Palette::accent();
    const QRectF outline = box.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(accent, 1.5));
    painter.setBrush(Qt::NoBrush);
    if (m_mark == Mark::radio) {
        painter.drawEllipse(outline);
        if (isChecked()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(accent);
            painter.drawEllipse(outline.center(), outline.width() / 4, outline.height() / 4);
        }
        return;
    }
    if (!isChecked()) {
        painter.drawRoundedRect(outline, 3, 3);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(outline, 3, 3);
    QPainterPath tick;
    tick.moveTo(outline.left() + outline.width() * 0.22, outline.center().y());
    tick.lineTo(
        outline.left() + outline.width() * 0.42, outline.bottom() - outline.height() * 0.25);
    tick.lineTo(outline.right() - outline.width() * 0.2, outline.top() + outline.height() * 0.25);
    painter.setPen(QPen(Palette::canvas(), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
}
