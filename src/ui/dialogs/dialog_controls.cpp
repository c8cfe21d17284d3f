#include "ui/dialogs/dialog_controls.h"

#include "ui/dialogs/file_browse.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QLabel* NewLabel(const QString& text, const char* objectName, QWidget* buddy, QWidget* parent)
{
    auto* label = Named(new QLabel(text, parent), objectName, text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* NewButton(const QString& text, const char* objectName, QWidget* parent)
{
    auto* button = Named(new QPushButton(text, parent), objectName, text);
    button->setAutoDefault(false);
    return button;
}

QPushButton* NewBrowseButton(const char* objectName, const QString& fieldName, QWidget* parent)
{
    QPushButton* button = NewButton(QStringLiteral("..."), objectName, parent);
    button->setAccessibleDescription(fieldName);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
    return button;
}

void LayOutBesideOkCancel(QDialog* dialog, QLayout* fields)
{
    auto* column = new QVBoxLayout;
    QPushButton* ok =
        NewButton(QCoreApplication::translate("DialogControls", "Aceptar"), "okButton", dialog);
    ok->setDefault(true);
    QPushButton* cancel = NewButton(QCoreApplication::translate("DialogControls", "Cancelar"),
                                    "cancelButton", dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch();
    auto* layout = new QHBoxLayout(dialog);
    layout->addLayout(fields, 1);
    layout->addLayout(column);
}

CNameAndFileFields AddNameAndFileRows(QGridLayout* grid, int columns, const std::string& projectDir,
                                      QDialog* dialog, const QStringList& nameFilters)
{
    const QString nameText = QCoreApplication::translate("DialogControls", "Nombre");
    const QString fileText = QCoreApplication::translate("DialogControls", "Fichero");
    CNameAndFileFields fields;
    fields.m_pName = Named(new QLineEdit(dialog), "nameEdit", nameText);
    fields.m_pFile = Named(new QLineEdit(dialog), "fileEdit", fileText);
    QPushButton* browse = NewBrowseButton("browseButton", fileText, dialog);
    grid->addWidget(NewLabel(nameText, "nameLabel", fields.m_pName, dialog), 0, 0);
    grid->addWidget(fields.m_pName, 0, 1, 1, columns);
    grid->addWidget(NewLabel(fileText, "fileLabel", fields.m_pFile, dialog), 1, 0);
    grid->addWidget(fields.m_pFile, 1, 1, 1, columns - 1);
    grid->addWidget(browse, 1, columns);
    QLineEdit* file = fields.m_pFile;
    QObject::connect(browse, &QPushButton::clicked, dialog,
                     [file, projectDir, nameFilters]
                     { BrowseForFile(file, projectDir, nameFilters); });
    return fields;
}

QTreeWidget* NewReportList(const QStringList& columns, const char* objectName,
                           const QString& accessibleName, QWidget* parent,
                           std::initializer_list<int> fitted)
{
    auto* list = Named(new QTreeWidget(parent), objectName, accessibleName);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::Stretch);
    for (int column : fitted)
        list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    return list;
}
