#pragma once

#include "import/ImportState.h"
#include "ui/import/ImportPage.h"

class QLabel;

// The waiting page: a spinner and what the machine is doing (connecting to QLab, checking OSC,
// looking for cue lists). No buttons; the header's Cancel is the way out.
class ImportSpinnerView : public ImportPage
{
    Q_OBJECT

public:
    explicit ImportSpinnerView(QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    ImportState::Case m_case = ImportState::Case::idle;
    QLabel *m_text;
};
