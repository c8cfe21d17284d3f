#pragma once
// The "Aviso" page of the project properties: a fixed, read-only warning
// about file names. It holds no data.

#include <QCoreApplication>
#include <QWidget>

class CAvisoPage : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(CAvisoPage)

  public:
    explicit CAvisoPage(QWidget* parent = nullptr);

    static QString WarningText();
};
