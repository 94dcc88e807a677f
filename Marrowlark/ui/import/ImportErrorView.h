#pragma once

#include "ui/import/ImportPage.h"

#include <functional>

class QLabel;
class QPushButton;

// The import failed: the machine's message (scrolling when long) with "Close" and "Retry".
class ImportErrorView : public ImportPage
{
    Q_OBJECT

public:
    ImportErrorView(
        std::function<void()> onRetry, std::function<void()> onDismiss, QWidget *parent = nullptr);

    void showState(const ImportState &state) override;
    void retranslate() override;

private:
    QLabel *m_symbol;
    QLabel *m_title;
    QLabel *m_message;
    QPushButton *m_close;
    QPushButton *m_retry;
};
