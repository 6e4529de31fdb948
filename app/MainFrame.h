#pragma once
#include <QMainWindow>

namespace trb {

// The module's main window: a fixed-size frame titled with the model and the device address.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(const QString &deviceAddress, QWidget *parent = nullptr);

    static constexpr int kWidth = 498;
    static constexpr int kHeight = 222;

    void SetStatusText(const QString &text);

private:
    void BuildMenu();
};

} // namespace trb
