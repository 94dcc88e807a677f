#include "ui/LegalWindowManager.h"

#include "model/AppText.h"
#include "ui/LegalTextView.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

LegalWindowManager &LegalWindowManager::shared()
{
    static LegalWindowManager manager;
    return manager;
}

void LegalWindowManager::showLicense()
{
    show(m_licenseWindow, u"licenseWindow"_s, AppText::licenseAgreementTitle(),
        AppText::licenseAgreementText());
}

void LegalWindowManager::showPrivacyPolicy()
{
    show(m_privacyWindow, u"privacyWindow"_s, AppText::privacyPolicyTitle(),
        AppText::privacyPolicyText());
}

void LegalWindowManager::show(QPointer<LegalTextView> &window, const QString &objectName,
    const QString &title, const QString &content)
{
    // A closed window deletes itself, which clears the pointer.
    if (!window) {
        window = new LegalTextView(title, content);
        window->setObjectName(objectName);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            window->move(screen->availableGeometry().center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
}
