#pragma once

// "Remote Control...": turns the HTTP remote on or off and shows where a
// phone reaches it, as an address and as a QR code of that address with the
// token in it.

#include "remote/remote_settings.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The address a browser opens: "http://<host>:<port>/#token=<token>". An
// address that listens everywhere is given as one of this machine's own.
QString remoteUrl(const RemoteSettings& settings);
// `text` as a QR code, `scale` pixels a module, with the quiet zone of four
// modules around it; a null image when it cannot be encoded.
QImage qrCodeImage(const QString& text, int scale);

class RemoteDialog : public QDialog {
    Q_OBJECT
public:
    explicit RemoteDialog(const RemoteSettings& settings, QWidget* parent = nullptr);

    // The settings as the dialog now shows them.
    RemoteSettings settings() const;

private:
    void updateAddress();

    QString token_;
    QCheckBox* enabled_;
    QLineEdit* address_;
    QLabel* addressWarning_;
    QSpinBox* port_;
    QLineEdit* tokenField_;
    QLineEdit* url_;
    QLabel* qrCode_;
    QPushButton* ok_;
};
