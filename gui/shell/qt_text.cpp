// Text conversions at the boundary between the model and the widgets.
#include "gui/shell/qt_text.h"

#include <QFile>
#include <QStringDecoder>

namespace tokarium {

QString fromLatin1Text(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toLatin1Text(const QString& text) {
    return text.toLatin1().toStdString();
}

QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromMessageText(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder(QByteArray::fromStdString(text));
    return decoder.hasError() ? fromLatin1Text(text) : decoded;
}

QString qtFileFilter(std::string_view filter) {
    const QStringList parts = QString::fromLatin1(filter.data(), static_cast<qsizetype>(filter.size()))
                                  .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList labels;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        labels.append(parts[i]);
    return labels.join(QStringLiteral(";;"));
}

QString menuItemText(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace tokarium
