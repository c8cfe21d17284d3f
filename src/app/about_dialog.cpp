#include "app/about_dialog.h"

#include "app/zelmora_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("aboutDialog");
    setWindowTitle("Acerca de Zelmora");
    setAccessibleName("Acerca de Zelmora");

    auto* picture = new QLabel(this);
    picture->setObjectName("zelmoraPicture");
    picture->setAccessibleName("Zelmora");
    picture->setPixmap(ZelmoraPicture(64));
    auto* version = new QLabel("Zelmora Version 1.0", this);
    version->setObjectName("versionLabel");
    version->setAccessibleName(version->text());
    auto* ok = new QPushButton("Aceptar", this);
    ok->setObjectName("okButton");
    ok->setAccessibleName("Aceptar");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(version, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    setLayout(row);
    setFixedSize(sizeHint());
}
