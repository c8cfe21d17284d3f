#pragma once
// Small builders shared by the pages and dialogs, each control named as
// named_widget.h says.

#include "ui/dialogs/named_widget.h"

#include <QString>
#include <QWidget>

#include <string>

class QGridLayout;
class QLayout;
class QLineEdit;
class QDialog;
class QLabel;
class QPushButton;
class QTreeWidget;

// A label that names `buddy` for screen readers as well as on screen.
QLabel* NewLabel(const QString& text, const char* objectName, QWidget* buddy, QWidget* parent);

// Buttons never become the default on focus, so Enter always means OK.
QPushButton* NewButton(const QString& text, const char* objectName, QWidget* parent);

// A narrow "..." button; `fieldName` says which field it browses for.
QPushButton* NewBrowseButton(const char* objectName, const QString& fieldName, QWidget* parent);

// The dialog's fields on the left and, beside them, "Aceptar" (the default
// button) over "Cancelar", wired to accept and reject.
void LayOutBesideOkCancel(QDialog* dialog, QLayout* fields);

// The "Nombre" and "Fichero" rows the pattern and model dialogs start with:
// both fields, their labels and "..." browsing for a file stored relative to
// `projectDir`, offering `nameFilters` as its file types. The fields span
// `columns` grid columns after the labels.
struct CNameAndFileFields
{
    QLineEdit* m_pName;
    QLineEdit* m_pFile;
};
CNameAndFileFields AddNameAndFileRows(QGridLayout* grid, int columns, const std::string& projectDir,
                                      QDialog* dialog, const QStringList& nameFilters = {});

// A report-style list: single selection, whole rows, not editable in place,
// rows ordered by InsertSortedRow rather than by the view. Text columns share
// the width; the columns listed in `fitted` take only what their numbers need.
QTreeWidget* NewReportList(const QStringList& columns, const char* objectName,
                           const QString& accessibleName, QWidget* parent,
                           std::initializer_list<int> fitted = {});
