#pragma once
// Reading number fields on OK. A field that does not hold an allowed value
// gets a message naming what is allowed (captioned like the field's window),
// its tab brought forward and the focus; callers read every field before
// storing any, so a refused OK changes nothing.

#include <QString>

#include <string>

class QWidget;

// A finite number in `text`; a decimal comma is taken for a point.
bool ParseNumber(const QString& text, double& value);
// A whole number in [low, high] in `text`; `value` is left alone otherwise.
bool ParseInt(const QString& text, int low, int high, int& value);

bool ReadIntField(QWidget* field, const QString& text, int low, int high, int& value);
bool ReadRealField(QWidget* field, const QString& text, double& value);
// A number a float can hold.
bool ReadFloatField(QWidget* field, const QString& text, float& value);
// A number in [low, high].
bool ReadFloatField(QWidget* field, const QString& text, float low, float high, float& value);

// "¿Desea eliminar <what> '<name>'?", Yes or No; true for Yes.
bool ConfirmDeletion(const std::string& what, const std::string& name);
