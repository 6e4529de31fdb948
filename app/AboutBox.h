#pragma once
#include <QDialog>

class QLabel;

namespace trb {

// Help > About. The release line stays hidden until key code 0x72 (F3, or a typed "r").
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    bool releaseLineVisible() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *releaseLine_;
};

} // namespace trb
