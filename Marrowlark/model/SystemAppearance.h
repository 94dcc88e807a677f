#pragma once

#include <QObject>

// The desktop's light or dark preference, as far as it is known. Unknown counts as light.
class SystemAppearance : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool prefersDark() const = 0;

signals:
    void prefersDarkChanged(bool dark);
};
