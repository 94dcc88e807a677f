#include "ui/ExportSettingsView.h"

#include "export/ExportService.h"
#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"
#include "ui/SymbolGlyphs.h"
#include "ui/Symbols.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QSet<ExportColumn> allColumns()
{
    return { allExportColumns().begin(), allExportColumns().end() };
}

StyledButton *textButton(const QString &objectName, QWidget *parent)
{
    auto *button = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(10);
            look.foreground = Palette::accent();
            return look;
        },
        parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

ExportSettingsView::ExportSettingsView(ProjectStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_settings(ExportSettings::fromUserDefaults())
    , m_title(new QLabel(this))
    , m_warning(new QLabel(this))
{
    setObjectName(u"exportSettingsDialog"_s);
    setWindowModality(Qt::WindowModal);
    setFixedWidth(380);
    m_title->setObjectName(u"exportDialogTitle"_s);
    m_title->setFont(ViewStyle::font(14, QFont::DemiBold));
    m_warning->setObjectName(u"columnWarning"_s);
    m_warning->setFont(ViewStyle::font(10));
    m_warning->setContentsMargins(4, 0, 4, 0);
    m_warning->setWordWrap(true);
    ViewStyle::setForeground(m_warning, Qt::red);

    const auto divider = [this] { return new Divider(this); };

    auto *content = new QWidget;
    auto *sections = new QVBoxLayout(content);
    sections->setContentsMargins(20, 12, 20, 12);
    sections->setSpacing(16);
    sections->addWidget(buildFormatSection());
    sections->addWidget(divider());
    sections->addWidget(buildColumnsSection());
    sections->addWidget(m_warning);
    sections->addStretch(1);

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    // The warning comes last and may grow the sections past the sheet's bottom: keep it in view
    // once the sections have taken their new height.
    connect(scroll->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this, scroll] {
        if (m_showWarning)
            scroll->ensureWidgetVisible(m_warning);
    });

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *header = new QHBoxLayout;
    header->setContentsMargins(20, 20, 20, 12);
    header->addWidget(m_title, 1);
    column->addLayout(header);
    column->addWidget(divider());
    column->addWidget(scroll, 1);
    column->addWidget(divider());
    column->addWidget(buildButtonRow());

    refresh();
    ViewStyle::followLanguageAndTheme(
        this, [this] { relabel(); }, [this] { recolour(); });
}

QWidget *ExportSettingsView::buildFormatSection()
{
    auto *section = new QWidget;
    auto *stack = new QVBoxLayout(section);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    m_formatLabel = new QLabel(section);
    m_formatLabel->setFont(ViewStyle::font(11, QFont::Medium));
    stack->addWidget(m_formatLabel);

    auto *cards = new QHBoxLayout;
    cards->setSpacing(8);
    for (const ExportFormat format : allExportFormats()) {
        auto *card = new StyledButton(
            [this, format](const StyledButton &) {
                return StyledButton::segmentLook(m_settings.format == format);
            },
            section);
        card->setObjectName(
            u"formatCard_"_s + (format == ExportFormat::pdf ? u"pdf"_s : u"excel"_s));
        // The format names are the same in both languages.
        card->setText(rawValue(format));
        connect(card, &QAbstractButton::clicked, this, [this, format] { setFormat(format); });
        m_formatCards[format] = card;
        cards->addWidget(card);
    }
    cards->addStretch(1);
    stack->addLayout(cards);
    return section;
}

QWidget *ExportSettingsView::buildColumnsSection()
{
    auto *section = new QWidget;
    auto *stack = new QVBoxLayout(section);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);

    auto *header = new QHBoxLayout;
    m_columnsLabel = new QLabel(section);
    m_columnsLabel->setFont(ViewStyle::font(11, QFont::Medium));
    m_selectAll = textButton(u"selectAllColumnsButton"_s, section);
    m_dot = new QLabel(u"·"_s, section);
    m_resetToDefault = textButton(u"resetColumnsButton"_s, section);
    // The default choice is every column.
    connect(m_selectAll, &QAbstractButton::clicked, this, [this] { setColumns(allColumns()); });
    connect(
        m_resetToDefault, &QAbstractButton::clicked, this, [this] { setColumns(allColumns()); });
    header->addWidget(m_columnsLabel);
    header->addStretch(1);
    header->addWidget(m_selectAll);
    header->addWidget(m_dot);
    header->addWidget(m_resetToDefault);
    stack->addLayout(header);

    auto *rows = new QVBoxLayout;
    rows->setSpacing(2);
    for (const ExportColumn column : allExportColumns()) {
        auto *row = new StyledButton(
            [this, column](const StyledButton &) {
                const bool chosen = m_settings.selectedColumns.contains(column);
                StyledButton::Look look;
                look.symbol = chosen ? SymbolGlyphs::checkedBox : SymbolGlyphs::emptyBox;
                look.symbolPixelSize = 12;
                look.symbolColour = chosen ? Palette::accent() : Palette::mutedText();
                look.font = ViewStyle::font(11);
                look.foreground = Palette::primaryText();
                if (chosen)
                    look.fill = ViewStyle::withOpacity(Palette::accent(), 0.06);
                look.padding = QMargins(8, 4, 8, 4);
                look.spacing = 8;
                look.cornerRadius = 3;
                look.leading = true;
                return look;
            },
            section);
        row->setObjectName(u"columnRow_"_s + rawValue(column));
        connect(row, &QAbstractButton::clicked, this, [this, column] { toggleColumn(column); });
        m_columnRows[column] = row;
        rows->addWidget(row);
    }
    stack->addLayout(rows);
    return section;
}

QWidget *ExportSettingsView::buildButtonRow()
{
    auto *row = new QWidget(this);
    m_cancel = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(13);
            look.foreground = ViewStyle::withOpacity(Palette::primaryText(), 0.7);
            look.fill = ViewStyle::contrastTint(0.05);
            look.outline = ViewStyle::contrastTint(0.08);
            look.padding = QMargins(16, 6, 16, 6);
            return look;
        },
        row);
    m_cancel->setObjectName(u"exportCancelButton"_s);
    m_export = new StyledButton(
        [this](const StyledButton &) {
            StyledButton::Look look;
            look.font = ViewStyle::font(13);
            look.foreground = Palette::canvas();
            // Never disabled: pressed with no column it explains why nothing happens.
            look.fill
                = m_settings.selectedColumns.isEmpty() ? Palette::mutedText() : Palette::accent();
            look.padding = QMargins(16, 6, 16, 6);
            return look;
        },
        row);
    m_export->setObjectName(u"exportConfirmButton"_s);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_export, &QAbstractButton::clicked, this, &ExportSettingsView::performExport);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->addStretch(1);
    layout->addWidget(m_cancel);
    layout->addWidget(m_export);
    return row;
}

void ExportSettingsView::open()
{
    m_settings = ExportSettings::fromUserDefaults();
    m_showWarning = false;
    refresh();
    QDialog::open();
}

void ExportSettingsView::setFormat(ExportFormat format)
{
    m_settings.format = format;
    refresh();
}

void ExportSettingsView::toggleColumn(ExportColumn column)
{
    if (!m_settings.selectedColumns.remove(column))
        m_settings.selectedColumns.insert(column);
    m_showWarning = false;
    refresh();
}

void ExportSettingsView::setColumns(const QSet<ExportColumn> &columns)
{
    m_settings.selectedColumns = columns;
    refresh();
}

void ExportSettingsView::performExport()
{
    if (m_settings.selectedColumns.isEmpty()) {
        m_showWarning = true;
        refresh();
        return;
    }
    m_showWarning = false;
    ExportSettings::storeSelectedColumns(m_settings.selectedColumns);
    accept();
    exportWithService();
}

void ExportSettingsView::exportWithService() const
{
    ExportService &service = ExportService::shared();
    const QLabProject &project = m_store.project();
    const std::optional<QLabCueList> selected = m_store.selectedCueList();
    if (m_settings.format == ExportFormat::excel) {
        service.exportXLSX(
            m_settings, project, selected ? &*selected : nullptr, m_store.filteredCues());
    } else if (m_settings.splitCueLists && project.cueLists.size() >= 2) {
        service.exportAllListsPDF(m_settings, project);
    } else {
        service.exportPDF(m_settings, m_store.filteredCues(),
            selected ? selected->name : project.name, project.name);
    }
}

void ExportSettingsView::refresh()
{
    m_warning->setVisible(m_showWarning);
    update();
}

void ExportSettingsView::relabel()
{
    setWindowTitle(AppText::exportDialogTitle());
    m_title->setText(AppText::exportDialogTitle());
    m_formatLabel->setText(AppText::formatLabel());
    m_columnsLabel->setText(AppText::columnsLabel());
    m_selectAll->setText(AppText::selectAllColumns());
    m_resetToDefault->setText(AppText::resetToDefault());
    for (const auto &[column, row] : m_columnRows)
        row->setText(exportColumnTitle(column));
    m_warning->setText(AppText::selectAtLeastOneColumn());
    m_cancel->setText(AppText::cancelButton());
    m_export->setText(AppText::exportConfirm());
}

void ExportSettingsView::recolour()
{
    ViewStyle::setForeground(m_title, Palette::primaryText());
    ViewStyle::setForeground(m_formatLabel, Palette::mutedText());
    ViewStyle::setForeground(m_columnsLabel, Palette::mutedText());
    ViewStyle::setForeground(m_dot, Palette::mutedText());
    update();
}

void ExportSettingsView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Palette::panel());
}
