#pragma once
#include <QWidget>

#include <vector>

#include "TRB4820apRecords.h"

namespace trb {

class RecordListCtrl;

// The "Current IP List" tab: the addresses the server has leased, dynamic and static.
class DhcpLeaseTab : public QWidget {
    Q_OBJECT
public:
    explicit DhcpLeaseTab(QWidget *parent = nullptr);

    RecordListCtrl *dynamicList() const { return dynamicList_; }
    RecordListCtrl *staticList() const { return staticList_; }

    void Clear();
    void Fill(const std::vector<apDhcpLeaseEntry> &leases, const std::vector<apDhcpStaticLeaseEntry> &bound);

private:
    RecordListCtrl *dynamicList_;
    RecordListCtrl *staticList_;
};

} // namespace trb
