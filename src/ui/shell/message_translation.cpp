#include "ui/shell/message_translation.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

namespace
{
constexpr const char* kContext = "Messages";

// The Spanish texts of the layers below the document, as they compose them;
// %1, %2 stand for the parts they fill in. Longer ones first, so a short
// sentence is not taken out of a longer one.
const char* const kLowerTexts[] = {
    QT_TRANSLATE_NOOP("Messages", "%1 es demasiado grande para ser una configuración de vídeo"),
    QT_TRANSLATE_NOOP("Messages", "la imagen de %1 x %2 no cabe en una textura de OpenGL"),
    QT_TRANSLATE_NOOP("Messages", "la configuración no describe una cadena de vídeo"),
    QT_TRANSLATE_NOOP("Messages", "la fuente de vídeo no se puede poner en marcha"),
    QT_TRANSLATE_NOOP("Messages", "la fuente de vídeo no ha dado ninguna imagen"),
    QT_TRANSLATE_NOOP("Messages", "no se puede crear el codificador de vídeo: %1"),
    QT_TRANSLATE_NOOP("Messages", "%1 no contiene ninguna fuente de vídeo"),
    QT_TRANSLATE_NOOP("Messages", "la fuente de vídeo no se puede abrir"),
    QT_TRANSLATE_NOOP("Messages", "la grabación no terminó a tiempo"),
    QT_TRANSLATE_NOOP("Messages", "no se puede iniciar la grabación"),
    QT_TRANSLATE_NOOP("Messages", "el codificador de vídeo no avanza"),
    QT_TRANSLATE_NOOP("Messages", "la fuente de vídeo ha terminado"),
    QT_TRANSLATE_NOOP("Messages", "formato de vídeo desconocido"),
    QT_TRANSLATE_NOOP("Messages", "el vídeo no tiene tamaño"),
    QT_TRANSLATE_NOOP("Messages", "no se puede leer %1: %2"),
    QT_TRANSLATE_NOOP("Messages", "No hay configuración"),
    QT_TRANSLATE_NOOP("Messages", "error de GStreamer"),
    QT_TRANSLATE_NOOP("Messages", "error de vídeo"),
};

struct LowerText
{
    const char* source;
    QRegularExpression pattern; // the source with its parts as groups
};

// A part is matched as short as it can be, except the last one of a text
// that ends in it: that one runs to the end of the line.
QRegularExpression PatternOf(const QString& source)
{
    static const QRegularExpression kPart(QStringLiteral("%[1-9]"));
    QString pattern;
    int from = 0;
    for (QRegularExpressionMatchIterator it = kPart.globalMatch(source); it.hasNext();)
    {
        const QRegularExpressionMatch part = it.next();
        pattern += QRegularExpression::escape(source.mid(from, part.capturedStart() - from));
        from = part.capturedEnd();
        pattern += from == source.size() ? QStringLiteral("(.+)") : QStringLiteral("(.+?)");
    }
    pattern += QRegularExpression::escape(source.mid(from));
    return QRegularExpression(pattern);
}

const std::vector<LowerText>& LowerTexts()
{
    static const std::vector<LowerText> texts = []
    {
        std::vector<LowerText> built;
        for (const char* source : kLowerTexts)
            built.push_back({source, PatternOf(QString::fromUtf8(source))});
        return built;
    }();
    return texts;
}

QString TranslatedLine(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    const QString whole = QCoreApplication::translate(kContext, utf8.constData());
    if (whole != line)
        return whole;
    QString translated = line;
    for (const LowerText& text : LowerTexts())
    {
        const QString target = QCoreApplication::translate(kContext, text.source);
        const QRegularExpressionMatch match = text.pattern.match(translated);
        if (!match.hasMatch() || target == QString::fromUtf8(text.source))
            continue;
        QString filled = target;
        // Filled in one call, so a part that holds "%2" stays as it was.
        const QStringList parts = match.capturedTexts().mid(1);
        if (parts.size() == 1)
            filled = target.arg(parts[0]);
        else if (parts.size() == 2)
            filled = target.arg(parts[0], parts[1]);
        translated.replace(match.capturedStart(), match.capturedLength(), filled);
    }
    return translated;
}
} // namespace

QString TranslatedMessage(const std::string& text)
{
    const QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    QStringList translated;
    for (const QString& line : lines)
        translated << TranslatedLine(line);
    return translated.join(QLatin1Char('\n'));
}
