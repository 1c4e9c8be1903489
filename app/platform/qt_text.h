#pragma once
// Text between the program's strings and Qt. The program's own strings are UTF-8;
// record text fields are Windows-1252 and go through the codec of record/.

#include <QString>
#include <string>
#include <string_view>

#include "record/text_codec.h"

namespace quorven {

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// A record text field (Windows-1252) as shown on screen, and back.
inline QString RecordTextToQString(std::string_view cp1252) {
    return ToQString(Cp1252ToUtf8(cp1252));
}
inline std::string QStringToRecordText(const QString& text) {
    return Utf8ToCp1252(ToUtf8(text));
}

// The objectName every control carries: "id" and its numeric identifier.
inline QString ControlName(int id) {
    return QStringLiteral("id%1").arg(id);
}

}  // namespace quorven
