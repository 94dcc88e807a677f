#pragma once

#include "export/ExportSettings.h"

#include <QDialog>

#include <map>

class ProjectStore;
class QLabel;
class StyledButton;

// The export sheet: the format, the exported columns and the button that hands them to the
// export service. It opens with the stored column choice each time; only a successful "Export"
// stores the choice. Window-modal; open it with open().
class ExportSettingsView : public QDialog
{
    Q_OBJECT

public:
    explicit ExportSettingsView(ProjectStore &store, QWidget *parent = nullptr);

    const ExportSettings &settings() const { return m_settings; }
    bool showWarning() const { return m_showWarning; }

    void setFormat(ExportFormat format);
    void toggleColumn(ExportColumn column);
    void setColumns(const QSet<ExportColumn> &columns);
    // Stores the columns, closes the sheet and exports; with no column only shows the warning.
    void performExport();

    // Every presentation starts again from the stored column choice and the default options.
    void open() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildFormatSection();
    QWidget *buildColumnsSection();
    QWidget *buildButtonRow();
    void exportWithService() const;
    void refresh();
    void relabel();
    void recolour();

    ProjectStore &m_store;
    ExportSettings m_settings;
    bool m_showWarning = false;
    QLabel *m_title;
    QLabel *m_formatLabel;
    QLabel *m_columnsLabel;
    QLabel *m_dot;
    QLabel *m_warning;
    StyledButton *m_selectAll;
    StyledButton *m_resetToDefault;
    std::map<ExportFormat, StyledButton *> m_formatCards;
    std::map<ExportColumn, StyledButton *> m_columnRows;
    StyledButton *m_cancel;
    StyledButton *m_export;
};
