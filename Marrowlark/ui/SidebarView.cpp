#include "ui/SidebarView.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/LanguagePickerView.h"
#include "ui/Palette.h"
#include "ui/SymbolGlyphs.h"
#include "ui/Symbols.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A cue-list row: symbol, the list's name as it is, and its cue count at the trailing edge.
class CueListRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(160, QFontMetrics(ViewStyle::font(12)).height() + 10);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.widget->style()->drawPrimitive(
            QStyle::PE_PanelItemViewItem, &background, painter, background.widget);

        const QRect content = option.rect.adjusted(8, 0, -8, 0);
        // On the selection highlight everything takes the highlight's own text colour.
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QColor highlighted = option.palette.color(QPalette::HighlightedText);
        painter->save();
        painter->setFont(ViewStyle::font(11));
        painter->setPen(selected ? highlighted : ViewStyle::withOpacity(Palette::accent(), 0.7));
        const int symbolWidth = 18;
        painter->drawText(QRect(content.left(), content.top(), symbolWidth, content.height()),
            Qt::AlignVCenter | Qt::AlignLeft, SymbolGlyphs::listBullet);

        QFont countFont = ViewStyle::font(10);
        countFont.setFamily(u"DejaVu Sans Mono"_s);
        countFont.setStyleHint(QFont::Monospace);
        const QString count = QString::number(index.data(SidebarView::cueCountRole).toInt());
        const int countWidth = QFontMetrics(countFont).horizontalAdvance(count);
        painter->setFont(countFont);
        painter->setPen(selected ? highlighted : Palette::mutedText());
        painter->drawText(content, Qt::AlignVCenter | Qt::AlignRight, count);

        const QFont nameFont = ViewStyle::font(12);
        const QRect nameRect = content.adjusted(symbolWidth, 0, -countWidth - 8, 0);
        painter->setFont(nameFont);
        painter->setPen(selected ? highlighted : Palette::primaryText());
        painter->drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft,
            QFontMetrics(nameFont).elidedText(
                index.data(Qt::DisplayRole).toString(), Qt::ElideRight, nameRect.width()));
        painter->restore();
    }
};

} // namespace

SidebarView::SidebarView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_header(new QWidget(this))
    , m_logo(new QLabel(u"H"_s, m_header))
    , m_separator(new QLabel(u"  |  "_s, m_header))
    , m_maker(new QLabel(u"HALBRECHT TOOLS"_s, m_header))
    , m_product(new QLabel(u"MARROWLARK"_s, this))
    , m_sectionHeader(new QLabel(AppText::cueListsHeader(), this))
    , m_lists(new QListWidget(this))
    , m_picker(new LanguagePickerView(this))
{
    setObjectName(u"sidebar"_s);
    m_lists->setObjectName(u"cueListList"_s);
    m_sectionHeader->setObjectName(u"cueListsHeader"_s);
    setMinimumWidth(180);

    m_logo->setFont(ViewStyle::font(16, QFont::Bold));
    m_separator->setFont(ViewStyle::font(12, QFont::ExtraLight));
    m_maker->setFont(ViewStyle::font(10, QFont::Light, 3));
    m_product->setFont(ViewStyle::font(9, QFont::Medium, 2.5));
    m_product->setAlignment(Qt::AlignCenter);
    m_product->setContentsMargins(0, 6, 0, 6);
    m_sectionHeader->setFont(ViewStyle::font(9, QFont::Medium, 2));
    m_sectionHeader->setContentsMargins(12, 10, 12, 4);

    auto *headerRow = new QHBoxLayout(m_header);
    headerRow->setContentsMargins(0, 14, 0, 14);
    headerRow->setSpacing(0);
    headerRow->addStretch(1);
    headerRow->addWidget(m_logo);
    headerRow->addWidget(m_separator);
    headerRow->addWidget(m_maker);
    headerRow->addStretch(1);

    m_lists->setItemDelegate(new CueListRowDelegate(m_lists));
    m_lists->setFrameShape(QFrame::NoFrame);
    m_lists->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lists->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lists->setUniformItemSizes(true);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto addRule = [this, column] { column->addWidget(new Divider(this)); };
    column->addWidget(m_header);
    addRule();
    column->addWidget(m_product);
    addRule();
    column->addWidget(m_sectionHeader);
    column->addWidget(m_lists, 1);
    addRule();
    column->addWidget(m_picker);

    connect(&m_store, &ProjectStore::projectChanged, this, &SidebarView::rebuildRows);
    connect(&m_store, &ProjectStore::selectedCueListIDChanged, this, &SidebarView::followSelection);
    connect(m_lists, &QListWidget::itemSelectionChanged, this, &SidebarView::selectionEdited);
    rebuildRows();
    ViewStyle::followLanguageAndTheme(
        this, [] {}, [this] { recolour(); });
}

void SidebarView::rebuildRows()
{
    const QSignalBlocker blocker(m_lists);
    m_lists->clear();
    for (const QLabCueList &list : m_store.project().cueLists) {
        auto *item = new QListWidgetItem(list.name, m_lists);
        item->setData(listIDRole, list.id);
        item->setData(cueCountRole, list.totalCueCount());
    }
    followSelection();
}

void SidebarView::followSelection()
{
    const QSignalBlocker blocker(m_lists);
    const std::optional<QUuid> selected = m_store.selectedCueListID();
    m_lists->clearSelection();
    for (int row = 0; row < m_lists->count(); ++row) {
        QListWidgetItem *item = m_lists->item(row);
        if (selected && item->data(listIDRole).toUuid() == *selected) {
            m_lists->setCurrentItem(item);
            break;
        }
    }
}

void SidebarView::selectionEdited()
{
    const QList<QListWidgetItem *> chosen = m_lists->selectedItems();
    m_store.setSelectedCueListID(chosen.isEmpty()
            ? std::nullopt
            : std::optional<QUuid>(chosen.first()->data(listIDRole).toUuid()));
}

void SidebarView::recolour()
{
    setBackground(m_header, Palette::panel());
    setBackground(m_product, Palette::canvas());
    setBackground(m_lists, Palette::canvas());
    setBackground(this, Palette::canvas());
    ViewStyle::setForeground(m_logo, Palette::accent());
    ViewStyle::setForeground(m_separator, Palette::line());
    ViewStyle::setForeground(m_maker, Palette::mutedText());
    ViewStyle::setForeground(m_product, ViewStyle::withOpacity(Palette::accent(), 0.6));
    ViewStyle::setForeground(m_sectionHeader, Palette::mutedText());
    m_lists->viewport()->update();
}
