#include "TransferFileCheck.h"

#include "LocalAddress.h"
#include "MessageBoxService.h"

namespace trb {
namespace {

// The name after the last separator; both kinds of slash count.
QString FileNameOf(const QString &path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

bool ContainsEither(const QString &name, const char *first, const char *second)
{
    return name.contains(QLatin1String(first), Qt::CaseSensitive)
        || name.contains(QLatin1String(second), Qt::CaseSensitive);
}

// False when the kind requires a text the name lacks; appends for the download kinds.
bool ApplyNameRule(QString &path, int kind)
{
    const QString name = FileNameOf(path);
    switch (kind) {
    case kTransferFirmware:
        return ContainsEither(name, ".tfp", ".bin");
    case kTransferSslCertificate:
    case kTransferSslKey:
        return ContainsEither(name, ".der", ".pem");
    case kTransferConfigurationUpload:
        return ContainsEither(name, ".dcf", ".DCF");
    case kTransferDownload:
        if (!ContainsEither(name, ".dcf", ".DCF"))
            path += QLatin1String(".dcf");
        return true;
    case kTransferAclUpload:
        return ContainsEither(name, ".acl", ".ACL");
    case kTransferAclDownload:
        if (!ContainsEither(name, ".acl", ".ACL"))
            path += QLatin1String(".acl");
        return true;
    default:
        return true;  // language packs and the rest: any name
    }
}

} // namespace

int CheckTransferFile(QString &path, QString &localAddress, int kind)
{
    if (path.isEmpty()) {
        ShowMessageBox(QStringLiteral("Empty file is not accepted!"));
        return 0;
    }
    if (!ApplyNameRule(path, kind)) {
        ShowMessageBox(QStringLiteral("File format error! Please try again!"));
        return 0;
    }
    if (localAddress.isEmpty() || localAddress == QLatin1String("0.0.0.0"))
        FindLocalAddressFor(localAddress);
    return 1;
}

} // namespace trb
