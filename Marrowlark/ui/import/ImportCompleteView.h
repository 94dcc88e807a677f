#pragma once

#include "ui/import/ImportPage.h"

#include <functional>

class QLabel;
class QPushButton;

// The import has ended well: the new project's name, its cue lists and cues, and "Done".
class ImportCompleteView : public ImportPage
{
    Q_OBJECT

public:
    explicit ImportCompleteView(std::function<void()> onDismiss, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_projectLabel;
    QLabel *m_projectName;
    QLabel *m_listsLabel;
    QLabel *m_listCount;
    QLabel *m_cuesLabel;
    QLabel *m_cueCount;
    QPushButton *m_done;
};
