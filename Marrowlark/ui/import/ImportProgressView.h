#pragma once

#include "import/ImportState.h"
#include "ui/import/ImportPage.h"

#include <QTimer>

#include <optional>

class ImportStateMachine;
class QLabel;
class QProgressBar;
class QPropertyAnimation;

// The cue lists being imported: which one, the progress bar and its percentage, the current
// list's cue count and an estimate of the time left, counted down by the page's own timer.
class ImportProgressView : public ImportPage
{
    Q_OBJECT

public:
    explicit ImportProgressView(const ImportStateMachine &machine, QWidget *parent = nullptr);

    // Also called when the machine's progress or estimate moves.
    void showState(const ImportState &state) override;
    void retranslate() override;

    // "≈ 1:05 remaining", or nothing while there is no sound estimate. The estimate covers the
    // whole import, so elapsed counts from the first list.
    static std::optional<QString> remainingTimeText(
        double estimatedTotalSeconds, double progress, int elapsedSeconds);

private:
    // The whole percent reached; 0.29 gives 28, as the bar's double falls just below 29.
    static int percent(double progress);

    void updateRemainingTime();

    const ImportStateMachine &m_machine;
    ImportState::ImportingCues m_importing;
    int m_elapsedSeconds = 0;
    QTimer m_timer;

    QLabel *m_symbol;
    QLabel *m_title;
    QProgressBar *m_bar;
    QPropertyAnimation *m_barAnimation;
    QLabel *m_percent;
    QLabel *m_listLine;
    QLabel *m_stageLine;
    QLabel *m_remaining;
};
