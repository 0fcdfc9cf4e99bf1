// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace lumora::ui::testing {

// The raw bytes of a compiled-in text, as the program reads them.
inline QByteArray TextBytes(const QString& file)
{
    QFile text(QStringLiteral(":/lumora/texts/") + file);
    return text.open(QIODevice::ReadOnly) ? text.readAll() : QByteArray();
}

// The lines of a text split at CR LF; a final CR LF ends the last line.
inline QStringList Lines(const QString& file)
{
    QString text = QString::fromUtf8(TextBytes(file));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

} // namespace lumora::ui::testing
