#include "export/ExportResultHost.h"

namespace {

class NoResultHost : public ExportResultHost
{
public:
    void showSupportWindow(std::function<void()> onClose) override
    {
        if (onClose)
            onClose();
    }
    void openFile(const QString &) override { }
    void revealFile(const QString &) override { }
};

NoResultHost noResultHost;
ExportResultHost *installed = &noResultHost;

} // namespace

ExportResultHost &ExportResultHost::current()
{
    return *installed;
}

void ExportResultHost::setCurrent(ExportResultHost *host)
{
    installed = host ? host : &noResultHost;
}
