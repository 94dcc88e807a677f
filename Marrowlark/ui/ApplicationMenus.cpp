#include "ui/ApplicationMenus.h"

#include "export/ExportService.h"
#include "model/AppText.h"
#include "model/LanguageManager.h"
#include "qlab/QLab_Importer.h"
#include "store/ProjectStore.h"
#include "ui/LegalWindowManager.h"
#include "ui/MainWindowView.h"
#include "ui/ShortcutPrecedence.h"
#include "ui/SupportManager.h"

#include <QAction>
#include <QMenuBar>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

struct Label
{
    const char *objectName;
    QString (*text)();
};

// Every action's label, looked up again on a change of language.
const Label labels[] = {
    { "saveAction", &AppText::saveProjectButton },
    { "openAction", &AppText::openProjectButton },
    { "importAction", &AppText::importQLab },
    { "exportPDFAction", &AppText::exportToPDF },
    { "testConnectionAction", &AppText::testConnection },
    { "debugFadeDataAction", &AppText::debugFadeData },
    { "quitAction", &AppText::quitMenu },
    { "undoAction", &AppText::undoMenu },
    { "redoAction", &AppText::redoMenu },
    { "supportAction", &AppText::supportTheProject },
    { "licenseAction", &AppText::licenseAgreementMenu },
    { "privacyAction", &AppText::privacyPolicyMenu },
};

} // namespace

ApplicationMenus::ApplicationMenus(MainWindowView &window, QLab_Importer &importer)
    : QObject(&window)
    , m_window(window)
    , m_importer(importer)
    , m_precedence(new ShortcutPrecedence(this))
{
    QMenuBar *bar = window.menuBar();
    ProjectStore &store = window.store();
    QUndoStack &undo = store.undoManager();

    const auto standard
        = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    const auto ctrl = [](Qt::Key key) { return QList { QKeySequence(Qt::CTRL | key) }; };

    m_fileMenu = bar->addMenu(QString());
    addAction(m_fileMenu, u"saveAction"_s, standard(QKeySequence::Save),
        [this] { m_window.saveProject(); });
    addAction(m_fileMenu, u"openAction"_s, standard(QKeySequence::Open),
        [this] { m_window.requestOpenProject(); });
    m_fileMenu->addSeparator();
    addAction(m_fileMenu, u"importAction"_s, ctrl(Qt::Key_I), [this] { m_window.requestImport(); });
    m_fileMenu->addSeparator();
    addAction(m_fileMenu, u"exportPDFAction"_s, ctrl(Qt::Key_E), [this] { exportPDF(); });
    m_fileMenu->addSeparator();
    addAction(m_fileMenu, u"testConnectionAction"_s, {}, [this] { m_importer.runOSCTest(); });
    addAction(m_fileMenu, u"debugFadeDataAction"_s, {}, [this] { m_importer.runOSCDebug(); });
    m_fileMenu->addSeparator();
    addAction(
        m_fileMenu, u"quitAction"_s, standard(QKeySequence::Quit), [this] { m_window.close(); });

    m_editMenu = bar->addMenu(QString());
    addAction(m_editMenu, u"undoAction"_s, standard(QKeySequence::Undo), [this, &undo] {
        m_window.commitOpenEdit();
        undo.undo();
    });
    addAction(m_editMenu, u"redoAction"_s, standard(QKeySequence::Redo), [this, &undo] {
        m_window.commitOpenEdit();
        undo.redo();
    });

    m_helpMenu = bar->addMenu(QString());
    addAction(
        m_helpMenu, u"supportAction"_s, {}, [] { SupportManager::shared().showSupportWindow(); });
    m_helpMenu->addSeparator();
    addAction(
        m_helpMenu, u"licenseAction"_s, {}, [] { LegalWindowManager::shared().showLicense(); });
    addAction(m_helpMenu, u"privacyAction"_s, {},
        [] { LegalWindowManager::shared().showPrivacyPolicy(); });

    connect(&undo, &QUndoStack::canUndoChanged, this, &ApplicationMenus::updateEnabled);
    connect(&undo, &QUndoStack::canRedoChanged, this, &ApplicationMenus::updateEnabled);
    connect(&store, &ProjectStore::filteredCuesChanged, this, &ApplicationMenus::updateEnabled);
    connect(&store, &ProjectStore::filteredCueAppended, this, &ApplicationMenus::updateEnabled);
    connect(&LanguageManager::shared(), &LanguageManager::currentChanged, this,
        &ApplicationMenus::retranslate);
    retranslate();
    updateEnabled();
}

QAction *ApplicationMenus::action(const QString &objectName) const
{
    return m_window.findChild<QAction *>(objectName);
}

QAction *ApplicationMenus::addAction(QMenu *menu, const QString &objectName,
    const QList<QKeySequence> &shortcuts, std::function<void()> command)
{
    auto *action = new QAction(&m_window);
    action->setObjectName(objectName);
    if (!shortcuts.isEmpty()) {
        action->setShortcuts(shortcuts);
        m_precedence->addAction(action);
    }
    connect(action, &QAction::triggered, this, std::move(command));
    menu->addAction(action);
    return action;
}

void ApplicationMenus::retranslate()
{
    m_fileMenu->setTitle(AppText::fileMenu());
    m_editMenu->setTitle(AppText::editMenu());
    m_helpMenu->setTitle(AppText::helpMenu());
    for (const Label &label : labels) {
        if (QAction *found = action(QString::fromLatin1(label.objectName)))
            found->setText(label.text());
    }
}

void ApplicationMenus::updateEnabled()
{
    const QUndoStack &undo = m_window.store().undoManager();
    action(u"undoAction"_s)->setEnabled(undo.canUndo());
    action(u"redoAction"_s)->setEnabled(undo.canRedo());
    action(u"exportPDFAction"_s)->setEnabled(m_window.store().filteredCueCount() > 0);
}

void ApplicationMenus::exportPDF()
{
    m_window.commitOpenEdit();
    const ProjectStore &store = m_window.store();
    const std::optional<QLabCueList> list = store.selectedCueList();
    const QString title = list ? list->name : store.project().name;
    ExportService::shared().exportPDF(
        ExportSettings::fromUserDefaults(), store.filteredCues(), title, store.project().name);
}
