#include "ui/EmptyStateView.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/FilterBarView.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"
#include "ui/SymbolGlyphs.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

EmptyStateView::EmptyStateView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_symbol(new QLabel(SymbolGlyphs::magnifyingGlass, this))
    , m_title(new QLabel(this))
    , m_hint(new QLabel(this))
    , m_noDataButtons(new QWidget(this))
{
    setObjectName(u"emptyState"_s);
    m_title->setObjectName(u"emptyStateTitle"_s);
    m_hint->setObjectName(u"emptyStateHint"_s);
    m_symbol->setFont(ViewStyle::font(40, QFont::ExtraLight));
    m_title->setFont(ViewStyle::font(18, QFont::Light));
    m_hint->setFont(ViewStyle::font(12, QFont::Light));

    m_importButton = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.symbol = SymbolGlyphs::importArrow;
            look.font = ViewStyle::font(11, QFont::Medium);
            look.foreground = Palette::canvas();
            look.fill = Palette::accent();
            look.padding = QMargins(14, 6, 14, 6);
            return look;
        },
        m_noDataButtons);
    m_importButton->setObjectName(u"emptyStateImportButton"_s);

    m_testDataButton = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(11);
            look.foreground = ViewStyle::withOpacity(Palette::primaryText(), 0.7);
            look.fill = ViewStyle::contrastTint(0.05);
            look.outline = ViewStyle::contrastTint(0.08);
            look.padding = QMargins(12, 6, 12, 6);
            return look;
        },
        m_noDataButtons);
    m_testDataButton->setObjectName(u"emptyStateTestDataButton"_s);

    m_resetButton = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(11);
            look.foreground = Palette::accent();
            look.padding = QMargins(0, 4, 0, 0);
            return look;
        },
        this);
    m_resetButton->setObjectName(u"emptyStateResetButton"_s);

    auto *buttons = new QHBoxLayout(m_noDataButtons);
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->setSpacing(12);
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_testDataButton);

    auto *column = new QVBoxLayout(this);
    column->setSpacing(20);
    column->addStretch(1);
    for (QWidget *item : { static_cast<QWidget *>(m_symbol), static_cast<QWidget *>(m_title),
             static_cast<QWidget *>(m_hint), m_noDataButtons,
             static_cast<QWidget *>(m_resetButton) })
        column->addWidget(item, 0, Qt::AlignHCenter);
    column->addStretch(1);

    connect(m_importButton, &QAbstractButton::clicked, this, &EmptyStateView::importRequested);
    connect(
        m_testDataButton, &QAbstractButton::clicked, this, &EmptyStateView::loadTestDataRequested);
    connect(m_resetButton, &QAbstractButton::clicked, this,
        [this] { FilterBarView::resetFilters(m_store); });
    for (auto signal : { &ProjectStore::projectChanged, &ProjectStore::selectedCueListIDChanged })
        connect(&m_store, signal, this, &EmptyStateView::refresh);
    ViewStyle::followLanguageAndTheme(
        this, [this] { refresh(); }, [this] { recolour(); });
}

EmptyStateView::State EmptyStateView::state() const
{
    if (m_store.project().cueLists.isEmpty())
        return State::noData;
    if (!m_store.selectedCueList())
        return State::noListSelected;
    return State::nothingFound;
}

void EmptyStateView::refresh()
{
    const State current = state();
    switch (current) {
    case State::noData:
        m_title->setText(AppText::noData());
        break;
    case State::noListSelected:
        m_title->setText(AppText::selectCueList());
        break;
    case State::nothingFound:
        m_title->setText(AppText::nothingFound());
        break;
    }
    m_hint->setText(AppText::importDataFromQLab());
    m_importButton->setText(AppText::importFromQLab());
    m_testDataButton->setText(AppText::testDataEmpty());
    m_resetButton->setText(AppText::resetFilters());
    m_hint->setVisible(current == State::noData);
    m_noDataButtons->setVisible(current == State::noData);
    m_resetButton->setVisible(current == State::nothingFound);
}

void EmptyStateView::recolour()
{
    ViewStyle::setForeground(m_symbol, ViewStyle::withOpacity(Palette::mutedText(), 0.4));
    ViewStyle::setForeground(m_title, Palette::primaryText());
    ViewStyle::setForeground(m_hint, Palette::mutedText());
    update();
}

void EmptyStateView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Palette::canvas());
}
