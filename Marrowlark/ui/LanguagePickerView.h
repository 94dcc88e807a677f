#pragma once

#include <QWidget>

class StyledButton;
class QButtonGroup;
class QFrame;
class QLabel;

// The settings row under the sidebar: a gear that opens a popover where the user switches the
// interface language and the theme. Both choices go straight to the shared LanguageManager.
class LanguagePickerView : public QWidget
{
    Q_OBJECT

public:
    explicit LanguagePickerView(QWidget *parent = nullptr);

    QFrame *popover() const { return m_popover; }
    bool showSettings() const;
    void setShowSettings(bool show);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildPopover();
    void followSettings();
    void relabel();
    void recolour();

    StyledButton *m_gear;
    QFrame *m_popover;
    QLabel *m_languageCaption;
    QLabel *m_themeCaption;
    QButtonGroup *m_languages;
    QButtonGroup *m_themes;
};
