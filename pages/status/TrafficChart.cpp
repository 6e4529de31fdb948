#include "TrafficChart.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace trb {
namespace {

constexpr int kLegendGap = 16;

// One colour per interface; what it receives dashed, so the pairs read apart without colour too.
QPen PenOf(int line)
{
    const QColor colour = line == EthernetTx || line == EthernetRx ? QColor(31, 95, 191) : QColor(214, 96, 16);
    QPen pen(colour, 2);
    if (line == EthernetRx || line == WlanRx)
        pen.setStyle(Qt::DashLine);
    return pen;
}

} // namespace

const char *const TrafficChart::kLineNames[kTrafficLines] = {"Ethernet Tx", "Ethernet Rx", "WLAN Tx", "WLAN Rx"};

TrafficChart::TrafficChart(qint64 windowMs, QWidget *parent) : QWidget(parent), rates_(windowMs)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrafficChart::Add(const TrafficSample &sample)
{
    if (rates_.Add(sample) != TrafficRates::Outcome::Ignored)
        update();
}

QString TrafficChart::RateText(double bitsPerSecond)
{
    static const struct {
        double unit;
        const char *name;
    } kUnits[] = {{1e9, "Gbit/s"}, {1e6, "Mbit/s"}, {1e3, "kbit/s"}, {1, "bit/s"}};
    for (const auto &unit : kUnits)
        if (bitsPerSecond >= unit.unit || unit.unit == 1)
            return QStringLiteral("%1 %2").arg(QString::number(bitsPerSecond / unit.unit, 'g', 3), QLatin1String(unit.name));
    return {};
}

double TrafficChart::AxisTop(double highest)
{
    constexpr double kLowestTop = 1000; // an idle line still gets a readable axis
    if (highest * (1 + 1e-9) <= kLowestTop)
        return kLowestTop;
    const double step = highest / kSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    for (double factor : {1.0, 2.0, 2.5, 5.0})
        if (factor * magnitude * (1 + 1e-9) >= step)
            return kSteps * factor * magnitude;
    return kSteps * 10 * magnitude;
}

double TrafficChart::HighestRate() const
{
    double highest = 0;
    for (const TrafficPoint &point : rates_.points())
        highest = std::max(highest, *std::max_element(point.bitsPerSecond.begin(), point.bitsPerSecond.end()));
    return highest;
}

// Labels of the time axis, from the oldest (step 0) to the newest read (kTimeSteps).
QString TrafficChart::TimeText(int step) const
{
    const qint64 agoMs = rates_.windowMs() * (kTimeSteps - step) / kTimeSteps;
    if (agoMs == 0)
        return QStringLiteral("now");
    if (agoMs % 60000 == 0)
        return QStringLiteral("-%1 min").arg(agoMs / 60000);
    return QStringLiteral("-%1 s").arg(QString::number(double(agoMs) / 1000, 'g', 3));
}

int TrafficChart::LegendWidth() const
{
    int width = (kTrafficLines - 1) * kLegendGap;
    for (const char *name : kLineNames)
        width += kLegendSample + 4 + fontMetrics().horizontalAdvance(QLatin1String(name));
    return width;
}

QRect TrafficChart::PlotArea(double top) const
{
    const QFontMetrics metrics = fontMetrics();
    int labels = 0;
    for (int step = 0; step <= kSteps; ++step)
        labels = std::max(labels, metrics.horizontalAdvance(RateText(top * step / kSteps)));
    const int left = labels + 8;
    const int above = metrics.height() * 3 / 2 + 6; // the top rate label stays clear of the legend
    const int below = metrics.height() + 6;
    return QRect(left, above, width() - left - 1, height() - above - below);
}

QSize TrafficChart::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int rateLabel = metrics.horizontalAdvance(QStringLiteral("750 kbit/s")) + 8;
    const int timeLabels = (kTimeSteps + 1) * (metrics.horizontalAdvance(TimeText(0)) + 8);
    return {std::max(LegendWidth(), rateLabel + timeLabels), 3 * metrics.height() + 80};
}

QSize TrafficChart::sizeHint() const { return {std::max(minimumSizeHint().width(), 400), 210}; }

void TrafficChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const double top = AxisTop(HighestRate());
    const QRect plot = PlotArea(top);
    DrawLegend(painter);
    DrawAxes(painter, plot, top);
    DrawLines(painter, plot, top);
}

void TrafficChart::DrawLegend(QPainter &painter) const
{
    const QFontMetrics metrics = fontMetrics();
    const int middle = 2 + metrics.height() / 2;
    int x = std::max(0, (width() - LegendWidth()) / 2);
    for (int line = 0; line < kTrafficLines; ++line) {
        painter.setPen(PenOf(line));
        painter.drawLine(x, middle, x + kLegendSample, middle);
        x += kLegendSample + 4;
        const QString name = QLatin1String(kLineNames[line]);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(x, 2, metrics.horizontalAdvance(name), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, name);
        x += metrics.horizontalAdvance(name) + kLegendGap;
    }
}

void TrafficChart::DrawAxes(QPainter &painter, const QRect &plot, double top) const
{
    const QFontMetrics metrics = fontMetrics();
    painter.fillRect(plot, palette().color(QPalette::Base));
    const QColor grid(0, 0, 0, 36);
    const QColor text = palette().color(QPalette::WindowText);
    for (int step = 0; step <= kSteps; ++step) {
        const int y = plot.bottom() - (plot.height() - 1) * step / kSteps;
        painter.setPen(grid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(text);
        const QRect label(0, y - metrics.height() / 2, plot.left() - 6, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, RateText(top * step / kSteps));
    }
    for (int step = 0; step <= kTimeSteps; ++step) {
        const int x = plot.left() + (plot.width() - 1) * step / kTimeSteps;
        painter.setPen(grid);
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(text);
        // The ends' labels stay inside the plot's width, clear of the rate labels.
        const QString label = TimeText(step);
        const int width = metrics.horizontalAdvance(label);
        const int left = step == 0 ? x : step == kTimeSteps ? x + 1 - width : x - width / 2;
        painter.drawText(QRect(left, plot.bottom() + 4, width, metrics.height()), Qt::AlignCenter, label);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
}

// Points whose intervals follow each other are joined; after a dropped interval a new line
// starts, and a point on its own is drawn as a dot.
void TrafficChart::DrawLines(QPainter &painter, const QRect &plot, double top) const
{
    const qint64 windowMs = rates_.windowMs();
    const qint64 startMs = rates_.latestMs() - windowMs;
    const QRectF area = QRectF(plot).adjusted(1, 1, -1, -1);
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < kTrafficLines; ++line) {
        painter.setPen(PenOf(line));
        QPolygonF run;
        auto draw = [&painter, &run] {
            if (run.size() == 1) {
                QPen dot = painter.pen();
                dot.setStyle(Qt::SolidLine);
                dot.setWidth(4);
                dot.setCapStyle(Qt::RoundCap);
                painter.save();
                painter.setPen(dot);
                painter.drawPoint(run.front());
                painter.restore();
            }
            else if (run.size() > 1)
                painter.drawPolyline(run);
            run.clear();
        };
        for (const TrafficPoint &point : rates_.points()) {
            if (!point.joined)
                draw();
            const double x = area.left() + double(point.atMs - startMs) * area.width() / double(windowMs);
            const double y = area.bottom() - point.bitsPerSecond[line] / top * area.height();
            run << QPointF(x, y);
        }
        draw();
    }
}

} // namespace trb
