#include "remote/remote_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <qrencode.h>

#include <memory>

namespace {

constexpr int kQuietModules = 4;

// One of this machine's addresses other than loopback, for an address that
// listens on every one; the loopback address when it has none.
QHostAddress reachableAddress(const QHostAddress& listening) {
    const bool ipv6 = listening == QHostAddress(QHostAddress::AnyIPv6);
    for (const QHostAddress& candidate : QNetworkInterface::allAddresses()) {
        if (!candidate.isLoopback() && !candidate.isLinkLocal() &&
            (candidate.protocol() == QAbstractSocket::IPv6Protocol) == ipv6) {
            return candidate;
        }
    }
    return ipv6 ? QHostAddress(QHostAddress::LocalHostIPv6) : QHostAddress(QHostAddress::LocalHost);
}

} // namespace

QString remoteUrl(const RemoteSettings& settings) {
    QHostAddress host(settings.address);
    if (host == QHostAddress(QHostAddress::AnyIPv4) ||
        host == QHostAddress(QHostAddress::AnyIPv6)) {
        host = reachableAddress(host);
    }
    const QString hostText = host.protocol() == QAbstractSocket::IPv6Protocol
                                 ? QStringLiteral("[%1]").arg(host.toString())
                                 : host.toString();
    return QStringLiteral("http://%1:%2/#token=%3")
        .arg(hostText)
        .arg(settings.port)
        .arg(settings.token);
}

QImage qrCodeImage(const QString& text, int scale) {
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code || scale < 1) {
        return {};
    }
    const int modules = code->width + 2 * kQuietModules;
    QImage image(modules * scale, modules * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (code->data[y * code->width + x] & 1) {
                painter.fillRect((x + kQuietModules) * scale, (y + kQuietModules) * scale, scale,
                                 scale, Qt::black);
            }
        }
    }
    return image;
}

RemoteDialog::RemoteDialog(const RemoteSettings& settings, QWidget* parent)
    : QDialog(parent), token_(settings.token.isEmpty() ? newRemoteToken() : settings.token),
      enabled_(new QCheckBox(tr("Turn on remote control over HTTP"), this)),
      address_(new QLineEdit(settings.address, this)), addressWarning_(new QLabel(this)),
      port_(new QSpinBox(this)), tokenField_(new QLineEdit(token_, this)),
      url_(new QLineEdit(this)), qrCode_(new QLabel(this)) {
    setWindowTitle(tr("Remote Control"));
    enabled_->setObjectName(QStringLiteral("remoteEnabled"));
    enabled_->setChecked(settings.http);
    address_->setObjectName(QStringLiteral("remoteAddress"));
    addressWarning_->setObjectName(QStringLiteral("remoteAddressWarning"));
    addressWarning_->setWordWrap(true);
    addressWarning_->setStyleSheet(QStringLiteral("color: #a00000;"));
    port_->setObjectName(QStringLiteral("remotePort"));
    port_->setRange(1, 65535);
    port_->setValue(settings.port);
    tokenField_->setObjectName(QStringLiteral("remoteToken"));
    tokenField_->setReadOnly(true);
    url_->setObjectName(QStringLiteral("remoteUrl"));
    url_->setReadOnly(true);
    url_->setMinimumWidth(380);
    qrCode_->setObjectName(QStringLiteral("remoteQrCode"));
    qrCode_->setAlignment(Qt::AlignCenter);

    auto* newToken = new QPushButton(tr("New Token"), this);
    newToken->setObjectName(QStringLiteral("remoteNewToken"));
    auto* tokenRow = new QHBoxLayout;
    tokenRow->addWidget(tokenField_, 1);
    tokenRow->addWidget(newToken);

    auto* form = new QFormLayout;
    form->addRow(tr("Address:"), address_);
    form->addRow(QString(), addressWarning_);
    form->addRow(tr("Port:"), port_);
    form->addRow(tr("Token:"), tokenRow);
    form->addRow(tr("Open:"), url_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addLayout(form);
    layout->addWidget(qrCode_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(newToken, &QPushButton::clicked, this, [this] {
        token_ = newRemoteToken();
        tokenField_->setText(token_);
        updateAddress();
    });
    connect(address_, &QLineEdit::textChanged, this, &RemoteDialog::updateAddress);
    connect(port_, &QSpinBox::valueChanged, this, &RemoteDialog::updateAddress);
    updateAddress();
}

RemoteSettings RemoteDialog::settings() const {
    RemoteSettings settings;
    settings.http = enabled_->isChecked();
    settings.address = address_->text().trimmed();
    settings.port = static_cast<quint16>(port_->value());
    settings.token = token_;
    return settings;
}

void RemoteDialog::updateAddress() {
    const QHostAddress address(address_->text().trimmed());
    if (address.isNull()) {
        addressWarning_->setText(tr("This is not an IP address."));
    } else if (!address.isLoopback()) {
        addressWarning_->setText(tr("Other computers on the network can reach this address: "
                                    "anyone who has the token controls the show."));
    } else {
        addressWarning_->clear();
    }
    addressWarning_->setVisible(!addressWarning_->text().isEmpty());
    ok_->setEnabled(!address.isNull());
    if (address.isNull()) {
        url_->clear();
        qrCode_->clear();
        return;
    }
    const QString url = remoteUrl(settings());
    url_->setText(url);
    url_->setCursorPosition(0);
    qrCode_->setPixmap(QPixmap::fromImage(qrCodeImage(url, 4)));
}
