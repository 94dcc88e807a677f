#pragma once

#include <QWidget>

class ImportState;

// One page of the import sheet. The sheet keeps a page for as long as the machine stays in the
// states that page shows and hands it every new payload, so what the user has typed or ticked
// survives a refresh.
class ImportPage : public QWidget
{
    Q_OBJECT

public:
    enum class Activation { none, bringToFront };

    explicit ImportPage(Activation activation, QWidget *parent = nullptr);

    // The machine's state, always one this page shows, with its latest payload.
    virtual void showState(const ImportState &state) = 0;
    // Texts for the current language, colours for the current theme.
    virtual void retranslate() = 0;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Activation m_activation;
};
