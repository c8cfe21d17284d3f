#pragma once
// Every control of the window and the dialogs gets an object name and an
// accessible name (its own visible text, or its label's), so tests and
// screen readers find it.

#include <QString>

template <class TWidget>
TWidget* Named(TWidget* widget, const char* objectName, const QString& accessibleName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}
