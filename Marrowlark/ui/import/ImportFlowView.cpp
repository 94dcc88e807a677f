#include "ui/import/ImportFlowView.h"

#include "import/ImportStateMachine.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "store/ProjectStore.h"
#include "ui/Palette.h"
#include "ui/import/CueListPickerView.h"
#include "ui/import/ImportCompleteView.h"
#include "ui/import/ImportConfirmView.h"
#include "ui/import/ImportErrorView.h"
#include "ui/import/ImportProgressView.h"
#include "ui/import/ImportSpinnerView.h"
#include "ui/import/ImportStyle.h"
#include "ui/import/OSCAccessView.h"
#include "ui/import/WorkspacePickerView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using Case = ImportState::Case;

ImportFlowView::ImportFlowView(ProjectStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_machine(store.importMachine())
    , m_title(ImportStyle::label(this, 15, QFont::DemiBold))
    , m_headerCancel(
          ImportStyle::button(this, "importHeaderCancelButton", ImportStyle::ButtonStyle::plain))
    , m_divider(new QWidget(this))
    , m_pageArea(new QVBoxLayout)
{
    setObjectName(QStringLiteral("importSheet"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFixedSize(540, 460);
    m_divider->setFixedHeight(1);
    m_divider->setAutoFillBackground(true);
    // The header keeps the Cancel's height where it is hidden, so pages never jump.
    QSizePolicy cancelPolicy = m_headerCancel->sizePolicy();
    cancelPolicy.setRetainSizeWhenHidden(true);
    m_headerCancel->setSizePolicy(cancelPolicy);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(24, 20, 24, 12);
    header->addWidget(m_title);
    header->addStretch();
    header->addWidget(m_headerCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(m_divider);
    layout->addLayout(m_pageArea, 1);

    connect(m_headerCancel, &QPushButton::clicked, this, &ImportFlowView::cancelAndDismiss);
    connect(this, &QDialog::finished, this, &ImportFlowView::whenFinished);
    connect(&m_machine, &ImportStateMachine::stateChanged, this, &ImportFlowView::showMachineState);
    // While lists are imported the progress and the estimate move within one state.
    for (auto changed : { &ImportStateMachine::importProgressChanged,
             &ImportStateMachine::estimatedTotalSecondsChanged }) {
        connect(&m_machine, changed, this, [this] {
            if (m_pageKind == PageKind::progress && m_machine.state().kind() == Case::importingCues)
                m_page->showState(m_machine.state());
        });
    }
    connect(&m_store, &ProjectStore::showImportSheetChanged, this, [this] {
        if (!m_store.showImportSheet() && isVisible())
            dismissSheet();
    });
    LanguageManager &language = LanguageManager::shared();
    connect(&language, &LanguageManager::currentChanged, this, &ImportFlowView::retranslate);
    connect(&language, &LanguageManager::isDarkChanged, this, &ImportFlowView::retranslate);

    showMachineState();
}

ImportFlowView::PageKind ImportFlowView::pageKindFor(Case state)
{
    switch (state) {
    case Case::idle:
    case Case::checkingQLab:
    case Case::checkingOSC:
    case Case::discoveringCueLists:
        return PageKind::spinner;
    case Case::selectingWorkspace:
        return PageKind::workspacePicker;
    case Case::confirmingExport:
        return PageKind::confirm;
    case Case::requestingOSCAccess:
        return PageKind::oscAccess;
    case Case::selectingCueLists:
        return PageKind::cueListPicker;
    case Case::importingCues:
        return PageKind::progress;
    case Case::completed:
        return PageKind::complete;
    case Case::failed:
        return PageKind::error;
    }
    return PageKind::spinner;
}

bool ImportFlowView::hasHeaderCancel(Case state)
{
    switch (state) {
    case Case::confirmingExport:
    case Case::selectingCueLists:
    case Case::completed:
    case Case::failed:
        return false;
    default:
        return true;
    }
}

bool ImportFlowView::allowsInteractiveDismissal(Case state)
{
    switch (state) {
    case Case::checkingQLab:
    case Case::checkingOSC:
    case Case::discoveringCueLists:
    case Case::importingCues:
        return false;
    default:
        return true;
    }
}

void ImportFlowView::reject()
{
    if (allowsInteractiveDismissal(m_machine.state().kind()))
        dismissSheet();
}

void ImportFlowView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ImportStyle::bringToFront(this);
}

void ImportFlowView::showMachineState()
{
    const ImportState &state = m_machine.state();
    const PageKind kind = pageKindFor(state.kind());
    // A page of the same kind takes the new payload in place: a half-typed passcode, the ticks
    // and the elapsed time survive.
    if (!m_page || kind != m_pageKind) {
        if (m_page) {
            // The old page may be running the handler of its own button right now.
            m_page->hide();
            m_pageArea->removeWidget(m_page);
            m_page->deleteLater();
        }
        m_pageKind = kind;
        m_page = makePage(kind);
        m_pageArea->addWidget(m_page);
        m_page->showState(state);
        m_page->show();
    } else {
        m_page->showState(state);
    }
    m_headerCancel->setVisible(hasHeaderCancel(state.kind()));
    retranslate();
}

ImportPage *ImportFlowView::makePage(PageKind kind)
{
    const auto cancelAndDismiss = [this] { this->cancelAndDismiss(); };
    const auto dismiss = [this] { dismissSheet(); };
    switch (kind) {
    case PageKind::spinner:
        return new ImportSpinnerView(this);
    case PageKind::workspacePicker:
        return new WorkspacePickerView(m_machine, this);
    case PageKind::confirm:
        return new ImportConfirmView(m_machine, cancelAndDismiss, this);
    case PageKind::oscAccess:
        return new OSCAccessView(m_machine, this);
    case PageKind::cueListPicker:
        return new CueListPickerView(m_machine, cancelAndDismiss, this);
    case PageKind::progress:
        return new ImportProgressView(m_machine, this);
    case PageKind::complete:
        return new ImportCompleteView(dismiss, this);
    case PageKind::error:
        return new ImportErrorView([this] { retry(); }, dismiss, this);
    }
    return new ImportSpinnerView(this);
}

void ImportFlowView::retranslate()
{
    setWindowTitle(AppText::importSheetTitle());
    m_title->setText(AppText::importSheetTitle());
    m_headerCancel->setText(AppText::importCancel());
    ImportStyle::setColor(m_title, Palette::accent());
    ImportStyle::setColor(m_headerCancel, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
    QPalette divider = m_divider->palette();
    QColor line = Palette::accent();
    line.setAlphaF(0.25f);
    divider.setColor(QPalette::Window, line);
    m_divider->setPalette(divider);
    if (m_page)
        m_page->retranslate();
}

void ImportFlowView::cancelAndDismiss()
{
    m_machine.cancel();
    dismissSheet();
}

void ImportFlowView::dismissSheet()
{
    done(QDialog::Rejected);
}

void ImportFlowView::retry()
{
    m_machine.start();
}

void ImportFlowView::whenFinished()
{
    // The sheet is gone: an import still waiting for an answer must not wait forever, and after
    // a completed or failed one the machine returns to idle for the next start.
    m_store.setShowImportSheet(false);
    m_machine.cancel();
}
