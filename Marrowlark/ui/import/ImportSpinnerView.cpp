#include "ui/import/ImportSpinnerView.h"

#include "model/AppText.h"
#include "ui/import/ImportStyle.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

ImportSpinnerView::ImportSpinnerView(QWidget *parent)
    : ImportPage(Activation::none, parent)
    , m_text(ImportStyle::label(this, 13))
{
    m_text->setObjectName(QStringLiteral("spinnerText"));
    auto *spinner = new QProgressBar(this);
    spinner->setRange(0, 0);
    spinner->setTextVisible(false);
    spinner->setFixedWidth(120);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addStretch();
    layout->addWidget(spinner, 0, Qt::AlignHCenter);
    layout->addWidget(m_text);
    layout->addStretch();
}

void ImportSpinnerView::showState(const ImportState &state)
{
    m_case = state.kind();
    retranslate();
}

void ImportSpinnerView::retranslate()
{
    switch (m_case) {
    case ImportState::Case::checkingOSC:
        m_text->setText(AppText::checkingOSC());
        break;
    case ImportState::Case::discoveringCueLists:
        m_text->setText(AppText::discoveringCueLists());
        break;
    default:
        m_text->setText(AppText::connectingToQLab());
        break;
    }
    ImportStyle::setColor(m_text, ImportStyle::textColor(ImportStyle::Emphasis::secondary));
}
