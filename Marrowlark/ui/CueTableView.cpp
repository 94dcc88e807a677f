#include "ui/CueTableView.h"

#include "store/ProjectStore.h"
#include "ui/ExcelTableView.h"

#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CueTableView::CueTableView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_layout(new QVBoxLayout(this))
    , m_body(new QStackedWidget(this))
    , m_table(new ExcelTableView(store, m_body))
{
    setObjectName(u"cueTableView"_s);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_body, 1);
    m_body->addWidget(m_table);
    // Connected after the table's own handlers, which commit an open edit first when it leaves.
    for (auto signal : { &ProjectStore::filteredCuesChanged, &ProjectStore::filteredCueAppended })
        connect(&m_store, signal, this, &CueTableView::showTableOrEmptyState);
    showTableOrEmptyState();
}

void CueTableView::setFilterBar(QWidget *bar)
{
    replace(m_filterBar, bar, 0);
}

void CueTableView::setStatusBar(QWidget *bar)
{
    replace(m_statusBar, bar, m_layout->indexOf(m_body) + 1);
}

void CueTableView::setEmptyState(QWidget *emptyState)
{
    if (m_emptyState) {
        m_body->removeWidget(m_emptyState);
        delete m_emptyState;
    }
    m_emptyState = emptyState;
    if (emptyState)
        m_body->addWidget(emptyState);
    showTableOrEmptyState();
}

bool CueTableView::showsEmptyState() const
{
    return m_emptyState && m_body->currentWidget() == m_emptyState;
}

void CueTableView::replace(QWidget *&slot, QWidget *widget, int layoutIndex)
{
    delete std::exchange(slot, widget);
    if (widget)
        m_layout->insertWidget(std::min(layoutIndex, int(m_layout->count())), widget);
}

void CueTableView::showTableOrEmptyState()
{
    const bool empty = m_store.filteredCueCount() == 0 && m_emptyState;
    m_body->setCurrentWidget(empty ? m_emptyState : static_cast<QWidget *>(m_table));
}
