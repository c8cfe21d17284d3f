#include "ui/dialogs/field_checks.h"

#include "document/said_text.h"
#include "project/user_messages.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QWidget>

#include <cmath>
#include <limits>

namespace
{
// A field on a page the user is not looking at would take the focus unseen.
void BringForward(QWidget* field)
{
    for (QWidget* page = field; page && page->parentWidget(); page = page->parentWidget())
    {
        auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
}

bool Refuse(QWidget* field, const QString& text)
{
    BringForward(field);
    ShowMessage(text.toStdString(), field->window()->windowTitle().toStdString(),
                MessageIcon::Exclamation);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
    return false;
}
} // namespace

bool ParseNumber(const QString& text, double& value)
{
    QString number = text.trimmed();
    if (!number.contains(QLatin1Char('.')))
        number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double parsed = number.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseInt(const QString& text, int low, int high, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ReadIntField(QWidget* field, const QString& text, int low, int high, int& value)
{
    if (ParseInt(text, low, high, value))
        return true;
    return Refuse(field, QCoreApplication::translate("FieldChecks",
                                                     "Introduzca un número entero entre %1 y %2.")
                             .arg(low)
                             .arg(high));
}

bool ReadRealField(QWidget* field, const QString& text, double& value)
{
    if (ParseNumber(text, value))
        return true;
    return Refuse(field, QCoreApplication::translate("FieldChecks", "Introduzca un número."));
}

bool ReadFloatField(QWidget* field, const QString& text, float& value)
{
    double parsed = 0.0;
    if (ParseNumber(text, parsed) && std::fabs(parsed) <= std::numeric_limits<float>::max())
    {
        value = static_cast<float>(parsed);
        return true;
    }
    return Refuse(field, QCoreApplication::translate("FieldChecks", "Introduzca un número."));
}

bool ReadFloatField(QWidget* field, const QString& text, float low, float high, float& value)
{
    double parsed = 0.0;
    if (ParseNumber(text, parsed) && parsed >= low && parsed <= high)
    {
        value = static_cast<float>(parsed);
        return true;
    }
    return Refuse(field,
                  QCoreApplication::translate("FieldChecks", "Introduzca un número entre %1 y %2.")
                      .arg(low)
                      .arg(high));
}

bool ConfirmDeletion(const std::string& what, const std::string& name)
{
    return ShowMessage(Said(QCoreApplication::translate("FieldChecks", "¿Desea eliminar %1 '%2'?"),
                            {what, name}),
                       Said(QCoreApplication::translate("FieldChecks", "Eliminar")),
                       MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
}
