#include "shell/window_texts.h"

namespace klv::shell {

QString FileNamePart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString TitleForFile(const QString& path) { return kTitlePrefix + FileNamePart(path); }

QString SizeLabelText(std::int32_t width, std::int32_t height) {
    return QString::number(width) + QLatin1Char('X') + QString::number(height);
}

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}

QString SaveFailedText(const QString& reason) { return QStringLiteral("Save failed: ") + reason; }

}  // namespace klv::shell
