#include "ui/ActionBarView.h"

#include "model/AppText.h"
#include "store/ProjectStore.h"
#include "ui/ElidedLabel.h"
#include "ui/NotificationCenter.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"
#include "ui/SymbolGlyphs.h"
#include "ui/ViewStyle.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

StyledButton *barButton(const QString &objectName, const QString &symbol, QWidget *parent)
{
    auto *button = new StyledButton(
        [symbol](const StyledButton &) {
            StyledButton::Look look;
            look.symbol = symbol;
            look.font = ViewStyle::font(11);
            look.foreground = ViewStyle::withOpacity(Palette::primaryText(), 0.8);
            look.fill = ViewStyle::contrastTint(0.05);
            look.outline = ViewStyle::contrastTint(0.08);
            look.padding = QMargins(10, 5, 10, 5);
            return look;
        },
        parent);
    button->setObjectName(objectName);
    return button;
}

StyledButton *exportButton(QWidget *parent)
{
    auto *button = new StyledButton(
        [](const StyledButton &self) {
            StyledButton::Look look;
            look.symbol = SymbolGlyphs::exportArrow;
            look.font = ViewStyle::font(11, QFont::Medium);
            look.foreground = Palette::canvas();
            look.fill = self.isEnabled() ? Palette::accent() : Palette::mutedText();
            look.padding = QMargins(12, 5, 12, 5);
            return look;
        },
        parent);
    button->setObjectName(u"exportButton"_s);
    return button;
}

// The symbol of a menu entry as an icon in one colour.
QIcon symbolIcon(const QString &symbol, const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(ViewStyle::font(12));
    painter.setPen(colour);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

} // namespace

ActionBarView::ActionBarView(ProjectStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_importButton(barButton(u"importButton"_s, SymbolGlyphs::importArrow, this))
    , m_projectName(new ElidedLabel(this))
    , m_generateButton(barButton(u"generateMenuButton"_s, SymbolGlyphs::sparkles, this))
    , m_writeButton(barButton(u"writeMenuButton"_s, SymbolGlyphs::arrowUpToLine, this))
    , m_projectButton(barButton(u"projectMenuButton"_s, SymbolGlyphs::folder, this))
    , m_exportButton(exportButton(this))
{
    setObjectName(u"actionBar"_s);
    m_projectName->setObjectName(u"actionBarProjectName"_s);
    m_projectName->setFont(ViewStyle::font(11, QFont::Light, 1));
    m_projectName->setAlignment(Qt::AlignCenter);
    // One line that gives way to the buttons rather than pushing them out of the bar.
    m_projectName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *generateMenu = new QMenu(this);
    m_generateSelected = addEntry(generateMenu, u"generateSelectedAction"_s, SymbolGlyphs::wand);
    m_generateAll = addEntry(generateMenu, u"generateAllAction"_s, SymbolGlyphs::sparkles);
    generateMenu->addSeparator();
    m_clearDescriptions = addEntry(generateMenu, u"clearDescriptionsAction"_s, SymbolGlyphs::trash);
    m_generateButton->setMenu(generateMenu);

    auto *writeMenu = new QMenu(this);
    m_writeSelected = addEntry(writeMenu, u"writeSelectedAction"_s, SymbolGlyphs::arrowUpDocument);
    m_writeAll = addEntry(writeMenu, u"writeAllAction"_s, SymbolGlyphs::arrowUpToLine);
    m_writeButton->setMenu(writeMenu);

    auto *projectMenu = new QMenu(this);
    m_openProject = addEntry(projectMenu, u"openProjectAction"_s, SymbolGlyphs::folder);
    m_saveProject = addEntry(projectMenu, u"saveProjectAction"_s, SymbolGlyphs::exportArrow);
    m_projectButton->setMenu(projectMenu);

    connect(m_importButton, &QAbstractButton::clicked, this, &ActionBarView::importRequested);
    connect(m_generateSelected, &QAction::triggered, this,
        [this] { emit generateRequested(MainWindowView::AutoDescriptionScope::selected); });
    connect(m_generateAll, &QAction::triggered, this,
        [this] { emit generateRequested(MainWindowView::AutoDescriptionScope::all); });
    connect(m_clearDescriptions, &QAction::triggered, &NotificationCenter::shared(),
        &NotificationCenter::postClearDescriptions);
    connect(m_writeSelected, &QAction::triggered, this,
        [this] { emit writeBackRequested(WriteBackScope::selected); });
    connect(m_writeAll, &QAction::triggered, this,
        [this] { emit writeBackRequested(WriteBackScope::all); });
    connect(m_openProject, &QAction::triggered, this, &ActionBarView::openRequested);
    connect(m_saveProject, &QAction::triggered, this, &ActionBarView::saveRequested);
    connect(m_exportButton, &QAbstractButton::clicked, this, &ActionBarView::exportRequested);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(6);
    row->addWidget(m_importButton);
    row->addSpacing(4);
    row->addWidget(m_projectName, 1);
    row->addSpacing(4);
    for (QWidget *button : { m_generateButton, m_writeButton, m_projectButton, m_exportButton }) {
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addWidget(button);
    }
    m_importButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    for (auto signal : { &ProjectStore::projectChanged, &ProjectStore::selectedCueListIDChanged,
             &ProjectStore::filteredCuesChanged })
        connect(&m_store, signal, this, &ActionBarView::followStore);
    followStore();
    ViewStyle::followLanguageAndTheme(
        this, [this] { relabel(); }, [this] { recolour(); });
}

QAction *ActionBarView::addEntry(QMenu *menu, const QString &objectName, const QString &symbol)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(objectName);
    action->setProperty("symbol", symbol);
    return action;
}

void ActionBarView::relabel()
{
    m_importButton->setText(AppText::importQLab());
    m_generateButton->setText(AppText::generateNotes());
    m_writeButton->setText(AppText::writeToQLab());
    m_projectButton->setText(AppText::projectLabel());
    m_exportButton->setText(AppText::exportLabel());
    m_generateSelected->setText(AppText::forCurrentList());
    m_generateAll->setText(AppText::forAllLists());
    m_clearDescriptions->setText(AppText::clearAllDescriptions());
    m_writeSelected->setText(AppText::forCurrentList());
    m_writeAll->setText(AppText::forAllLists());
    m_openProject->setText(AppText::openProjectButton());
    m_saveProject->setText(AppText::saveProjectButton());
}

void ActionBarView::recolour()
{
    ViewStyle::setForeground(m_projectName, Palette::mutedText());
    for (QAction *action : { m_generateSelected, m_generateAll, m_clearDescriptions,
             m_writeSelected, m_writeAll, m_openProject, m_saveProject }) {
        const QColor colour
            = action == m_clearDescriptions ? QColor(Qt::red) : Palette::mutedText();
        action->setIcon(symbolIcon(action->property("symbol").toString(), colour));
    }
    update();
}

void ActionBarView::followStore()
{
    m_projectName->setText(m_store.project().name);
    const bool hasLists = !m_store.project().cueLists.isEmpty();
    const bool hasSelectedList = m_store.selectedCueList().has_value();
    m_generateSelected->setEnabled(hasSelectedList);
    m_writeSelected->setEnabled(hasSelectedList);
    m_generateAll->setEnabled(hasLists);
    m_writeAll->setEnabled(hasLists);
    m_clearDescriptions->setEnabled(hasLists);
    // With several lists the export can cover all of them, whatever the table shows.
    m_exportButton->setEnabled(
        m_store.filteredCueCount() > 0 || m_store.project().cueLists.size() >= 2);
    m_exportButton->update();
}

void ActionBarView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ViewStyle::paintBar(painter, rect(), ViewStyle::RuleEdge::bottom);
}
