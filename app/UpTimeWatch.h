#pragma once
#include <QTimer>

#include "SettingsPage.h"

namespace trb {

class StatusPane;

// Once the status poll has ended on an error, changes not saved are still lost if the device
// restarted meanwhile: while there are any, this reads the device's up time now and then on a
// handle of its own, so the journal learns of the restart when the device is back.
class UpTimeWatch : public SettingsPage {
    Q_OBJECT
public:
    explicit UpTimeWatch(const StatusPane &pane, QWidget *parent = nullptr);

    static constexpr int kCheckMs = 5000;

    void OnReadDone() override;

private:
    void Check();

    const StatusPane &pane_;
    QTimer timer_;
};

} // namespace trb
