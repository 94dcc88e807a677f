#include "qlab/QLabApplication.h"

#include "platform/ApplicationOpener.h"

void openQLabApplication()
{
    ApplicationOpener::openByBundleIdentifier(qlabBundleIdentifier.toString());
}
