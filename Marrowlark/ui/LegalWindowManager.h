#pragma once

#include <QObject>
#include <QPointer>

#include "ui/LegalTextView.h"

// Owner of the licence-agreement and privacy-policy windows: at most one open window per text;
// asking again for an open one brings it to the front. Main thread only.
class LegalWindowManager : public QObject
{
    Q_OBJECT

public:
    static LegalWindowManager &shared();

    void showLicense();
    void showPrivacyPolicy();

    LegalTextView *licenseWindow() const { return m_licenseWindow; }
    LegalTextView *privacyWindow() const { return m_privacyWindow; }

private:
    void show(QPointer<LegalTextView> &window, const QString &objectName, const QString &title,
        const QString &content);

    QPointer<LegalTextView> m_licenseWindow;
    QPointer<LegalTextView> m_privacyWindow;
};
