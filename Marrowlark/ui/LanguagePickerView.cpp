#include "ui/LanguagePickerView.h"

#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "ui/Palette.h"
#include "ui/StyledButton.h"
#include "ui/SymbolGlyphs.h"
#include "ui/Symbols.h"
#include "ui/ViewStyle.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A caption over a segmented choice: upper case, small and spaced out.
QLabel *caption(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFont(ViewStyle::font(9, QFont::Medium, 1.5));
    return label;
}

// One row of adjoining exclusive buttons; the button ids are the values.
QWidget *segments(
    QButtonGroup *group, const QList<std::pair<QString, int>> &entries, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (const auto &[objectName, id] : entries) {
        auto *button = new StyledButton(
            [](const StyledButton &self) {
                StyledButton::Look look = StyledButton::segmentLook(self.isChecked());
                look.padding = QMargins(8, 4, 8, 4);
                return look;
            },
            row);
        button->setObjectName(objectName);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::TabFocus);
        group->addButton(button, id);
        layout->addWidget(button, 1);
    }
    return row;
}

} // namespace

LanguagePickerView::LanguagePickerView(QWidget *parent)
    : QWidget(parent)
    , m_popover(new QFrame(this, Qt::Popup))
    , m_languages(new QButtonGroup(this))
    , m_themes(new QButtonGroup(this))
{
    setObjectName(u"languagePicker"_s);
    m_gear = new StyledButton(
        [](const StyledButton &) {
            StyledButton::Look look;
            look.symbol = SymbolGlyphs::gear;
            look.symbolPixelSize = 11;
            look.font = ViewStyle::font(11);
            look.foreground = Palette::mutedText();
            return look;
        },
        this);
    m_gear->setObjectName(u"settingsButton"_s);
    m_gear->setFixedSize(24, 24);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 8, 0, 8);
    row->addStretch(1);
    row->addWidget(m_gear);
    row->addStretch(1);

    buildPopover();
    connect(m_gear, &QAbstractButton::clicked, this, [this] { setShowSettings(!showSettings()); });

    LanguageManager &lang = LanguageManager::shared();
    connect(m_languages, &QButtonGroup::idClicked, this,
        [](int id) { LanguageManager::shared().setCurrent(static_cast<AppLanguage>(id)); });
    connect(m_themes, &QButtonGroup::idClicked, this,
        [](int id) { LanguageManager::shared().setThemeMode(static_cast<AppThemeMode>(id)); });
    connect(&lang, &LanguageManager::currentChanged, this, &LanguagePickerView::followSettings);
    connect(&lang, &LanguageManager::themeModeChanged, this, &LanguagePickerView::followSettings);
    followSettings();
    ViewStyle::followLanguageAndTheme(
        this, [this] { relabel(); }, [this] { recolour(); });
}

void LanguagePickerView::buildPopover()
{
    m_popover->setObjectName(u"settingsPopover"_s);
    m_popover->setFixedWidth(210);
    m_popover->setFrameShape(QFrame::Box);
    m_popover->setLineWidth(1);
    m_popover->setAutoFillBackground(true);
    // The click on the gear that closes the popover must not open it again.
    m_popover->setAttribute(Qt::WA_NoMouseReplay);

    m_languageCaption = caption(u"languageCaption"_s, m_popover);
    m_themeCaption = caption(u"themeCaption"_s, m_popover);

    QWidget *languageRow = segments(m_languages,
        { { u"languageSegment_ru"_s, int(AppLanguage::russian) },
            { u"languageSegment_en"_s, int(AppLanguage::english) } },
        m_popover);
    QWidget *themeRow = segments(m_themes,
        { { u"themeSegment_dark"_s, int(AppThemeMode::dark) },
            { u"themeSegment_light"_s, int(AppThemeMode::light) } },
        m_popover);
    // The language names are the same in either interface language.
    m_languages->button(int(AppLanguage::russian))->setText(u"Русский"_s);
    m_languages->button(int(AppLanguage::english))->setText(u"English"_s);

    auto *column = new QVBoxLayout(m_popover);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto section = [column](QLabel *label, QWidget *choice, QMargins margins) {
        auto *stack = new QVBoxLayout;
        stack->setContentsMargins(margins);
        stack->setSpacing(8);
        stack->addWidget(label);
        stack->addWidget(choice);
        column->addLayout(stack);
    };
    section(m_languageCaption, languageRow, QMargins(14, 14, 14, 10));
    auto *ruleRow = new QHBoxLayout;
    ruleRow->setContentsMargins(10, 0, 10, 0);
    ruleRow->addWidget(new Divider(m_popover));
    column->addLayout(ruleRow);
    section(m_themeCaption, themeRow, QMargins(14, 10, 14, 14));
}

bool LanguagePickerView::showSettings() const
{
    return m_popover->isVisible();
}

void LanguagePickerView::setShowSettings(bool show)
{
    if (!show) {
        m_popover->hide();
        return;
    }
    m_popover->adjustSize();
    const QPoint centre = m_gear->mapToGlobal(m_gear->rect().center());
    QRect frame(QPoint(), m_popover->size());
    frame.moveTop(m_gear->mapToGlobal(QPoint(0, m_gear->height() + 4)).y());
    frame.moveLeft(centre.x() - frame.width() / 2);
    // The gear sits at the bottom of the window: where the screen ends below it, the popover
    // opens above it instead.
    if (const QScreen *screen = m_gear->screen();
        screen && frame.bottom() > screen->availableGeometry().bottom())
        frame.moveBottom(m_gear->mapToGlobal(QPoint(0, -4)).y());
    m_popover->move(frame.topLeft());
    m_popover->show();
}

void LanguagePickerView::followSettings()
{
    const LanguageManager &lang = LanguageManager::shared();
    m_languages->button(int(lang.current()))->setChecked(true);
    // The automatic mode has no segment of its own; it shows as the theme it resolved to.
    const AppThemeMode shown = lang.themeMode() == AppThemeMode::auto_
        ? (lang.isDark() ? AppThemeMode::dark : AppThemeMode::light)
        : lang.themeMode();
    m_themes->button(int(shown))->setChecked(true);
}

void LanguagePickerView::relabel()
{
    m_languageCaption->setText(AppText::languageLabel().toUpper());
    m_themeCaption->setText(AppText::themeLabel().toUpper());
    m_themes->button(int(AppThemeMode::dark))->setText(AppText::themeDark());
    m_themes->button(int(AppThemeMode::light))->setText(AppText::themeLight());
}

void LanguagePickerView::recolour()
{
    followSettings();
    QPalette popoverPalette = m_popover->palette();
    popoverPalette.setColor(QPalette::Window, Palette::panel());
    popoverPalette.setColor(QPalette::WindowText, Palette::line());
    m_popover->setPalette(popoverPalette);
    for (QLabel *label : { m_languageCaption, m_themeCaption })
        ViewStyle::setForeground(label, Palette::mutedText());
    update();
    // A window of its own: the picker's repaint does not reach it.
    m_popover->update();
}

void LanguagePickerView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Palette::canvas());
}
