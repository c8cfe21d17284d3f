#include "ui/dialogs/aviso_page.h"

#include "ui/dialogs/dialog_controls.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// The text's document margins and frame, so the longest line shows whole.
constexpr int kTextMarginPx = 24;
} // namespace

CAvisoPage::CAvisoPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("avisoPage"));
    setWindowTitle(tr("Aviso"));
    setAccessibleName(tr("Aviso"));
    auto* text = Named(new QPlainTextEdit(WarningText(), this), "avisoText", tr("Aviso"));
    // Read-only still lets the text be selected and copied.
    text->setReadOnly(true);
    text->setFrameShape(QFrame::NoFrame);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    int longest = 0;
    for (const QString& line : WarningText().split(QLatin1Char('\n')))
        longest = std::max(longest, text->fontMetrics().horizontalAdvance(line));
    text->setMinimumWidth(longest + kTextMarginPx);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
}

QString CAvisoPage::WarningText()
{
    return tr("Los ficheros que se carguen con una dirección\n"
              "absoluta (c:\\patt.duma) se guardarán solo su nombre\n"
              "y al volver a abrir el fichero en otro ordenador\n"
              "es posible que no funcione la aplicación correctamente");
}
