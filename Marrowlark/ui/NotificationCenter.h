#pragma once

#include <QObject>

// The one notification that passes between views: any view may ask for the clear-descriptions
// dialog, which the main window raises.
class NotificationCenter : public QObject
{
    Q_OBJECT

public:
    static NotificationCenter &shared();

    void postClearDescriptions() { emit clearDescriptions(); }

signals:
    void clearDescriptions();
};
