#include "WpaEnterprisePanel.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormRows.h"
#include "RadioPair.h"
#include "RadiusBlock.h"
#include "WpaBlock.h"

namespace trb {

WpaEnterprisePanel::WpaEnterprisePanel(bool accessProtection, QWidget *parent)
    : QWidget(parent), accessProtection_(accessProtection)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(c_.radius = new RadiusBlock("enterprise"));
    layout->addWidget(c_.wpa = new WpaBlock("enterprise"));
    c_.napPanel = new QWidget;
    auto *nap = new QVBoxLayout(c_.napPanel);
    nap->setContentsMargins(0, 0, 0, 0);
    nap->addWidget(SectionHeading(QStringLiteral("Network Access Protection")));
    auto *pair = new RadioPair(QStringLiteral("Disable"), QStringLiteral("napDisableRadio"), QStringLiteral("Enable"),
                               QStringLiteral("napEnableRadio"));
    c_.napDisable = pair->first();
    c_.napEnable = pair->second();
    nap->addWidget(pair);
    layout->addWidget(c_.napPanel);
    c_.napPanel->setVisible(accessProtection_);
}

void WpaEnterprisePanel::Load(const apEnterpriseSection &s)
{
    (s.accessProtection == 1 ? c_.napEnable : c_.napDisable)->setChecked(true);
    c_.wpa->Load(s.wpaMode, s.cipher, s.keyInterval);
    c_.radius->Load(s);
}

bool WpaEnterprisePanel::Collect(apEnterpriseSection &s)
{
    DataExchange dx(DataExchange::Saving);
    RadiusBlock::Values radius;
    int interval = 0;
    c_.radius->Collect(dx, radius);
    c_.wpa->ExchangeInterval(dx, interval);
    if (dx.failed())
        return false;
    s.wpaMode = c_.wpa->ModeCode();
    s.cipher = c_.wpa->CipherCode();
    s.keyInterval = uint32_t(interval);
    if (accessProtection_)
        s.accessProtection = c_.napEnable->isChecked() ? 1 : 0;
    RadiusBlock::Write(radius, s);
    return true;
}

} // namespace trb
