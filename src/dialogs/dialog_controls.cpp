#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
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

QBoxLayout* NewOkCancelColumn(QDialog* dialog)
{
    auto* column = new QVBoxLayout;
    QPushButton* ok = NewButton(QStringLiteral("Aceptar"), "okButton", dialog);
    ok->setDefault(true);
    QPushButton* cancel = NewButton(QStringLiteral("Cancelar"), "cancelButton", dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch();
    return column;
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
