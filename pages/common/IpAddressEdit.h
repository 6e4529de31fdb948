#pragma once
#include <QString>
#include <QWidget>

#include <array>

class QKeyEvent;
class QLineEdit;

namespace trb {

// An IPv4 address field: four octet boxes separated by dots. A blank field reads as "";
// blank octets of a partly filled field read as 0. Setting "", "0.0.0.0" or anything that
// is not a dotted address leaves the field blank: for the device those mean "none".
class IpAddressEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit IpAddressEdit(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void clear();
    bool isBlank() const;

    QLineEdit *octetEdit(int index) const { return octets_[index]; }

    // Gives the octet boxes names derived from the field's own, for tests and screen readers.
    void setFieldName(const QString &objectName, const QString &accessibleName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OctetEdited(int index);
    bool OctetKeyPressed(int index, const QKeyEvent &key);
    void BackspaceFrom(int index);
    bool PasteAddress(const QString &text);
    int IndexOf(QObject *octet) const;

    std::array<QLineEdit *, 4> octets_{};
    // How the user stands in each box, so that keys give what was typed: "." moves on only
    // after digits typed here (not right after an automatic move), and Backspace at the
    // start of a box reached by an automatic move takes back the last digit before it.
    enum class Entry { Entered, AutoAdvanced, Typing };
    void AdvanceTo(int index, Entry entry);

    std::array<Entry, 4> entry_{};
};

} // namespace trb
