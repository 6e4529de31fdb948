#include "Dot1xPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "RadiusBlock.h"
#include "WirelessCodes.h"

namespace trb {

Dot1xPanel::Dot1xPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QGridLayout;
    FormRows rows(grid);
    c_.keyUpdateInterval = rows.Add(QStringLiteral("Key Update Interval"), new QLineEdit(QStringLiteral("300")),
                                    "keyUpdateIntervalEdit");
    grid->addWidget(new QLabel(QStringLiteral("(Seconds)")), 0, 2);
    layout->addLayout(grid);
    layout->addWidget(c_.radius = new RadiusBlock("dot1x"));
}

// The device reports the interval at offset 16 and takes it at 12.
void Dot1xPanel::Load(const apEnterpriseSection &s)
{
    c_.keyUpdateInterval->setText(QString::number(s.dot1xKeyInterval));
    c_.radius->Load(s);
}

bool Dot1xPanel::Collect(apEnterpriseSection &s)
{
    DataExchange dx(DataExchange::Saving);
    RadiusBlock::Values radius;
    int interval = 0;
    ExchangeInt(dx, c_.keyUpdateInterval, interval, wireless::kMinKeyInterval, wireless::kMaxKeyInterval);
    c_.radius->Collect(dx, radius);
    if (dx.failed())
        return false;
    s.keyInterval = uint32_t(interval);
    std::fill(std::begin(s.reserved1) + 1, std::end(s.reserved1), 0u); // bytes 28-35
    RadiusBlock::Write(radius, s);
    return true;
}

} // namespace trb
