#include "qlab/QLabOSCResponse.h"

namespace {

QStringView strip(QStringView address)
{
    if (address.startsWith(u"/reply/"))
        address = address.mid(6);
    if (address.startsWith(u"/workspace/")) {
        const qsizetype slash = address.indexOf(u'/', 11);
        address = slash < 0 ? QStringView() : address.mid(slash);
    }
    return address;
}

} // namespace

QString QLabOSCResponse::withoutPrefixes(QStringView address)
{
    return strip(address).toString();
}

QString QLabOSCResponse::requestAddress() const
{
    return strip(address).toString();
}
