#include "ui/StatusBarView.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/ElidedLabel.h"
#include "ui/Palette.h"
#include "ui/SymbolGlyphs.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

using namespace Qt::StringLiterals;

StatusBarView::StatusBarView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_countSymbol(new QLabel(SymbolGlyphs::number, this))
    , m_count(new QLabel(this))
    , m_unsavedDot(new QWidget(this))
    , m_unsaved(new QLabel(this))
    , m_projectName(new ElidedLabel(this))
{
    setObjectName(u"statusBar"_s);
    m_count->setObjectName(u"statusCount"_s);
    m_unsaved->setObjectName(u"statusUnsaved"_s);
    m_projectName->setObjectName(u"statusProjectName"_s);

    m_countSymbol->setFont(ViewStyle::font(10));
    m_count->setFont(ViewStyle::font(10));
    m_unsaved->setFont(ViewStyle::font(9, QFont::Medium, 0.5));
    m_projectName->setFont(ViewStyle::font(10, QFont::Light, 0.5));
    m_unsavedDot->setFixedSize(4, 4);

    auto *countLabel = new QHBoxLayout;
    countLabel->setSpacing(4);
    countLabel->addWidget(m_countSymbol);
    countLabel->addWidget(m_count);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 5, 12, 5);
    row->setSpacing(12);
    row->addLayout(countLabel);
    row->addWidget(m_unsavedDot);
    row->addWidget(m_unsaved);
    row->addStretch(1);
    row->addWidget(m_projectName);

    for (auto signal : { &ProjectStore::filteredCuesChanged, &ProjectStore::projectChanged,
             &ProjectStore::selectedCueListIDChanged, &ProjectStore::hasUnsavedChangesChanged })
        connect(&m_store, signal, this, &StatusBarView::refresh);
    ViewStyle::followLanguageAndTheme(
        this, [this] { refresh(); }, [this] { recolour(); });
}

QString StatusBarView::countText(const ProjectStore &store)
{
    // Both numbers count the table's own rows: top-level cues, before and after the filters.
    const qsizetype shown = store.filteredCueCount();
    const std::optional<QLabCueList> list = store.selectedCueList();
    const qsizetype rows = list ? list->cues.size() : 0;
    if (shown == rows)
        return AppText::cueCount(shown);
    return QString::number(shown) + u" / "_s + AppText::cueCount(rows);
}

void StatusBarView::refresh()
{
    m_count->setText(countText(m_store));
    const bool unsaved = m_store.hasUnsavedChanges();
    m_unsavedDot->setVisible(unsaved);
    m_unsaved->setVisible(unsaved);
    m_unsaved->setText(AppText::unsavedLabel());
    m_projectName->setText(m_store.project().name);
    update();
}

void StatusBarView::recolour()
{
    ViewStyle::setForeground(m_countSymbol, ViewStyle::withOpacity(Palette::accent(), 0.6));
    ViewStyle::setForeground(m_count, Palette::mutedText());
    ViewStyle::setForeground(m_unsaved, ViewStyle::withOpacity(Palette::accent(), 0.8));
    ViewStyle::setForeground(m_projectName, ViewStyle::withOpacity(Palette::mutedText(), 0.5));
    update();
}

void StatusBarView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ViewStyle::paintBar(painter, rect(), ViewStyle::RuleEdge::top);
    if (m_unsavedDot->isVisible()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Palette::accent());
        painter.drawEllipse(m_unsavedDot->geometry());
    }
}
