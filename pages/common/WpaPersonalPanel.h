#pragma once
#include <QString>
#include <QWidget>

#include "TRB4820apRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace trb {

class WpaBlock;

// "PassPhrase Settings" of WPA-Personal: the WPA choices, the periodical key change (access
// point only) and the pass-phrase typed twice.
class WpaPersonalPanel : public QWidget {
    Q_OBJECT
public:
    struct Controls {
        WpaBlock *wpa = nullptr;
        QWidget *periodicalPanel = nullptr;
        QRadioButton *manual = nullptr, *periodical = nullptr;
        QComboBox *day = nullptr, *hour = nullptr, *minute = nullptr;
        QLineEdit *timeInterval = nullptr;
        QLineEdit *passphrase = nullptr, *confirmPassphrase = nullptr;
        QLabel *confirmPassphraseLabel = nullptr;
    };
    explicit WpaPersonalPanel(QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const apWpaPersonalSection &section);
    // Checks and writes the section; false after the failing check's message.
    bool Collect(apWpaPersonalSection &section);
    // The host's AP mode: only an access point changes its key periodically.
    void SetApMode(int mode);
    bool periodicalKeyChangeOn() const;

private:
    QWidget *BuildPeriodicalPanel();
    QWidget *BuildPassphrasePanel();
    void UpdatePeriodicalDisplay();
    bool Periodical() const;

    Controls c_;
    int apMode_ = 0;
    QString currentKey_;
    // While the pass-phrase field shows the device's key, what the user had in both fields.
    bool showingKey_ = false;
    QString typedPassphrase_, typedConfirm_;
};

} // namespace trb
