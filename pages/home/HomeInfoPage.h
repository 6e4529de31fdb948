#pragma once
#include <array>
#include <memory>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QGridLayout;
class QLabel;

namespace trb {

// Home > Information: a read-only summary of the device. Publishes the device's own address
// and mask to the module, and its operation-mode texts through modeTextsRead.
class HomeInfoPage : public PopupPage {
    Q_OBJECT
public:
    explicit HomeInfoPage(QWidget *parent = nullptr);
    ~HomeInfoPage() override;

    static inline const char kTitle[] = "Home \\ Information";

    enum Row { ModelName, FirmwareVersion, SystemName, Location, SystemTime, UpTime, Mode24, Mode5,
               Mac24, Ssid24, Mac5, Ssid5, IpAddress, kRowCount };
    // Layout types by the bands in service.
    enum LayoutType { kNoBand = 0, kBand24 = 1, kBand5 = 2, kBothBands = 3 };

    int ReadOnShow() override;
    void OnReadDone() override;

    QLabel *rowLabel(Row row) const { return rows_[row].label; }
    QLabel *rowValue(Row row) const { return rows_[row].value; }
    // The rows as shown, top to bottom.
    QList<Row> shownRows() const { return shownRows_; }
    const apDeviceInfoRecord &record() const { return *record_; }

signals:
    // Both operation-mode texts the device reported: the main window's apModeName and its
    // second mode text.
    void modeTextsRead(const QString &apModeName, const QString &secondModeText);

protected:
    virtual uint32_t ReadBandCount() const { return 2; }
    void LayoutRows(int type);
    // Shows exactly these rows, in this order; the others are hidden.
    void StackRows(const QList<Row> &order);
    void SetRow(Row row, const QString &label, const QString &value);

private:
    struct RowWidgets {
        QLabel *label = nullptr;
        QLabel *value = nullptr;
    };

    void BuildRows();
    void FillRows();
    int ComputeLayoutType() const;

    std::unique_ptr<apDeviceInfoRecord> record_;
    std::array<RowWidgets, kRowCount> rows_;
    QList<Row> shownRows_;
    QGridLayout *grid_ = nullptr;
};

} // namespace trb
