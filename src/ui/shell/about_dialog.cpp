#include "ui/shell/about_dialog.h"

#include "ui/shell/zelmora_picture.h"
#include "ui/dialogs/named_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("aboutDialog");
    setWindowTitle(tr("Acerca de Zelmora"));
    setAccessibleName(tr("Acerca de Zelmora"));

    auto* picture = Named(new QLabel(this), "zelmoraPicture", "Zelmora");
    picture->setPixmap(ZelmoraPicture(64));
    auto* version =
        Named(new QLabel("Zelmora Version 1.0", this), "versionLabel", "Zelmora Version 1.0");
    auto* ok = Named(new QPushButton(tr("Aceptar"), this), "okButton", tr("Aceptar"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(version, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    setLayout(row);
    setFixedSize(sizeHint());
}
