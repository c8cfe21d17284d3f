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

// A control whose text changes as the program runs (a selection, a size):
// its accessible name stays the fixed one Named gave it, so a screen reader
// always says what the control is, and the changing text reaches the reader
// as the control's description.
template <class TWidget>
void SetChangingText(TWidget* widget, const QString& text)
{
    widget->setText(text);
    widget->setAccessibleDescription(text);
}
