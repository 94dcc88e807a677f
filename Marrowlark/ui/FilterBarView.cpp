#include "ui/FilterBarView.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"
#include "ui/SymbolGlyphs.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// The rounded box behind the search field, painted under the field's own transparent frame.
class SearchBox : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        ViewStyle::paintRoundedBox(
            painter, rect(), 4, ViewStyle::contrastTint(0.05), ViewStyle::contrastTint(0.08));
    }
};

} // namespace

FilterBarView::FilterBarView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_searchBox(new SearchBox(this))
    , m_searchSymbol(new QLabel(SymbolGlyphs::magnifyingGlass, m_searchBox))
    , m_searchField(new QLineEdit(m_searchBox))
{
    setObjectName(u"filterBar"_s);
    m_searchField->setObjectName(u"searchField"_s);
    m_searchField->setFrame(false);
    m_searchField->setFont(ViewStyle::font(11));
    m_searchField->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_searchSymbol->setFont(ViewStyle::font(10));

    m_clearButton = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.symbol = SymbolGlyphs::clearField;
            look.font = ViewStyle::font(10);
            look.foreground = Palette::mutedText();
            return look;
        },
        m_searchBox);
    m_clearButton->setObjectName(u"clearSearchButton"_s);

    m_triggersSwitch = new StyledButton(
        [this](const StyledButton &) {
            const bool on = m_store.showOnlyWithTriggers();
            StyledButton::Look look;
            look.symbol = SymbolGlyphs::bolt;
            look.symbolPixelSize = 9;
            look.font = ViewStyle::font(10);
            look.spacing = 4;
            look.padding = QMargins(8, 5, 8, 5);
            look.foreground = on ? Palette::accent() : Palette::mutedText();
            look.fill = on ? ViewStyle::withOpacity(Palette::accent(), 0.1)
                           : ViewStyle::contrastTint(0.05);
            look.outline = on ? ViewStyle::withOpacity(Palette::accent(), 0.3)
                              : ViewStyle::contrastTint(0.08);
            return look;
        },
        this);
    m_triggersSwitch->setObjectName(u"triggersOnlySwitch"_s);
    m_triggersSwitch->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_resetButton = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(10);
            look.foreground = ViewStyle::withOpacity(Palette::accent(), 0.8);
            return look;
        },
        this);
    m_resetButton->setObjectName(u"resetFiltersButton"_s);

    auto *searchRow = new QHBoxLayout(m_searchBox);
    searchRow->setContentsMargins(8, 6, 8, 6);
    searchRow->setSpacing(6);
    searchRow->addWidget(m_searchSymbol);
    searchRow->addWidget(m_searchField, 1);
    searchRow->addWidget(m_clearButton);
    m_searchBox->setMaximumWidth(260);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(10);
    row->addWidget(m_searchBox, 1);
    row->addWidget(m_triggersSwitch);
    row->addStretch(1);
    row->addWidget(m_resetButton);

    connect(m_searchField, &QLineEdit::textEdited, &m_store, &ProjectStore::setSearchText);
    connect(m_clearButton, &QAbstractButton::clicked, this, [this] { m_store.setSearchText({}); });
    connect(m_triggersSwitch, &QAbstractButton::clicked, this,
        [this] { m_store.setShowOnlyWithTriggers(!m_store.showOnlyWithTriggers()); });
    connect(m_resetButton, &QAbstractButton::clicked, this, [this] { resetFilters(m_store); });
    connect(&m_store, &ProjectStore::searchTextChanged, this, &FilterBarView::followStore);
    connect(
        &m_store, &ProjectStore::showOnlyWithTriggersChanged, this, &FilterBarView::followStore);
    followStore();
    ViewStyle::followLanguageAndTheme(
        this, [this] { relabel(); }, [this] { recolour(); });
}

void FilterBarView::resetFilters(ProjectStore &store)
{
    store.setSearchText({});
    store.setTypeFilter({});
    store.setShowOnlyWithTriggers(false);
}

void FilterBarView::followStore()
{
    const QString searchText = m_store.searchText();
    // Rewriting the field's own edit would move its cursor to the end.
    if (m_searchField->text() != searchText)
        m_searchField->setText(searchText);
    m_clearButton->setVisible(!searchText.isEmpty());
    m_resetButton->setVisible(!searchText.isEmpty() || m_store.showOnlyWithTriggers());
    m_triggersSwitch->update();
}

void FilterBarView::relabel()
{
    m_searchField->setPlaceholderText(AppText::searchPlaceholder());
    m_triggersSwitch->setText(AppText::onlyWithTriggers());
    m_resetButton->setText(AppText::resetButton());
}

void FilterBarView::recolour()
{
    ViewStyle::setForeground(m_searchSymbol, Palette::mutedText());
    QPalette fieldPalette = m_searchField->palette();
    fieldPalette.setColor(QPalette::Base, Qt::transparent);
    fieldPalette.setColor(QPalette::Text, Palette::primaryText());
    fieldPalette.setColor(QPalette::PlaceholderText, Palette::mutedText());
    m_searchField->setPalette(fieldPalette);
    update();
}

void FilterBarView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ViewStyle::paintBar(painter, rect(), ViewStyle::RuleEdge::bottom);
}
