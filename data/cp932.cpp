#include "data/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace torbex::data {
namespace {
constexpr const char* kCodecName = "CP932";
}

bool cp932Available() { return QStringEncoder(kCodecName).isValid() && QStringDecoder(kCodecName).isValid(); }

std::optional<QByteArray> encodeCp932(const QString& text) {
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    return bytes;
}

std::optional<QString> decodeCp932(const QByteArray& bytes) {
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace torbex::data
