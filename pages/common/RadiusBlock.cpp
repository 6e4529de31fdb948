#include "RadiusBlock.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "RecordText.h"
#include "RetypedEdit.h"

namespace trb {

RadiusBlock::RadiusBlock(const char *prefix, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeading(QStringLiteral("Primary RADIUS Server Setting")));
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    FormRows rows(grid);
    const QString name = QString::fromLatin1(prefix);
    c_.server = rows.Add(QStringLiteral("RADIUS Server "), new IpAddressEdit, name + QStringLiteral("RadiusServerEdit"));
    c_.port = rows.Add(QStringLiteral("RADIUS Port   "), new QLineEdit(QStringLiteral("1812")),
                       name + QStringLiteral("RadiusPortEdit"));
    auto *secret = new RetypedEdit(RetypedEdit::Masked);
    secret->setMaxLength(64);
    c_.secret = rows.Add(QStringLiteral("RADIUS Secret"), secret, name + QStringLiteral("RadiusSecretEdit"));
}

void RadiusBlock::Load(const apEnterpriseSection &s)
{
    c_.port->setText(QString::number(s.radiusPort));
    c_.server->setText(RecordText(s.radiusServer)); // "0.0.0.0" shows as an empty field
    c_.secret->setText(RecordText(s.radiusSecret));
}

bool RadiusBlock::Collect(DataExchange &dx, Values &v) const
{
    ExchangeInt(dx, c_.port, v.port, 1, 65535);
    ExchangeText(dx, c_.server, v.server);
    ExchangeText(dx, c_.secret, v.secret);
    CheckNotBlank(dx, v.secret, QStringLiteral("The shared secret of RADIUS server can not be empty"));
    CheckLengthRange(dx, v.secret, 1, 64, QStringLiteral("The length of the password should be %1~%2"));
    CheckDeviceText(dx, v.secret);
    if (v.server.isEmpty())
        v.server = QStringLiteral("0.0.0.0");
    return !dx.failed();
}

void RadiusBlock::Write(const Values &v, apEnterpriseSection &s)
{
    SetRecordText(s.radiusServer, v.server);
    s.radiusPort = uint32_t(v.port);
    SetRecordText(s.radiusSecret, v.secret);
}

} // namespace trb
