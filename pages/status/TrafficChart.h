#pragma once
#include <QWidget>

#include "TrafficRates.h"

class QPainter;

namespace trb {

// The rates of the last window of reads as four lines over time: Ethernet and WLAN, each sent
// (solid) and received (dashed), on a rate axis that grows with the highest rate shown.
class TrafficChart : public QWidget {
    Q_OBJECT
public:
    explicit TrafficChart(qint64 windowMs, QWidget *parent = nullptr);

    static const char *const kLineNames[kTrafficLines];

    void Add(const TrafficSample &sample);
    void Restart() { rates_.Restart(); }
    const TrafficRates &rates() const { return rates_; }

    // "0 bit/s", "250 bit/s", "7.5 kbit/s", "1.25 Mbit/s".
    static QString RateText(double bitsPerSecond);
    // A round value at or above `highest` that four equal steps reach.
    static double AxisTop(double highest);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int kSteps = 4;        // of the rate axis
    static constexpr int kTimeSteps = 5;    // of the time axis
    static constexpr int kLegendSample = 18; // length of a legend's line sample

    QRect PlotArea(double top) const;
    QString TimeText(int step) const;
    int LegendWidth() const;
    double HighestRate() const;
    void DrawLegend(QPainter &painter) const;
    void DrawAxes(QPainter &painter, const QRect &plot, double top) const;
    void DrawLines(QPainter &painter, const QRect &plot, double top) const;

    TrafficRates rates_;
};

} // namespace trb
