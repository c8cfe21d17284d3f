#include "document/said_text.h"

std::string Said(const QString& text, const std::vector<std::string>& parts)
{
    // One call fills every marker, so a name that holds "%2" stays as typed.
    switch (parts.size())
    {
    case 0:
        return text.toStdString();
    case 1:
        return text.arg(QString::fromStdString(parts[0])).toStdString();
    case 2:
        return text.arg(QString::fromStdString(parts[0]), QString::fromStdString(parts[1]))
            .toStdString();
    default:
        return text
            .arg(QString::fromStdString(parts[0]), QString::fromStdString(parts[1]),
                 QString::fromStdString(parts[2]))
            .toStdString();
    }
}
