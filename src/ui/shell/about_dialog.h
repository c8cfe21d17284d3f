#pragma once
// "Acerca de Zelmora": the program's name and version, its picture and
// "Aceptar".

#include <QDialog>

class CAboutDialog : public QDialog
{
    Q_OBJECT
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};
