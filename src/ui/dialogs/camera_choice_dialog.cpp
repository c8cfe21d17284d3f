#include "ui/dialogs/camera_choice_dialog.h"

#include "ui/dialogs/dialog_controls.h"
#include "project/user_messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
constexpr int kListWidthPx = 420;
constexpr int kListHeightPx = 260;
// Each size row keeps its device's and mode's index.
constexpr int kDeviceRole = Qt::UserRole;
constexpr int kModeRole = Qt::UserRole + 1;

QString RatesText(const CaptureMode& mode)
{
    QStringList rates;
    for (const FrameRate& rate : mode.rates)
        rates << QString::number(rate.Value(), 'g', 4);
    return rates.join(", ") + " fps";
}
} // namespace

CCameraChoiceDialog::CCameraChoiceDialog(const std::vector<CaptureDevice>& devices,
                                         QWidget* parent)
    : QDialog(parent), m_devices(devices)
{
    setObjectName(QStringLiteral("cameraChoiceDialog"));
    setWindowTitle(tr("Elegir cámara"));
    const QString listText = tr("Cámaras y tamaños");
    m_pList = Named(new QTreeWidget(this), "cameraList", listText);
    m_pList->setHeaderLabels({tr("Cámara / tamaño"), tr("Imágenes por segundo")});
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pList->setMinimumSize(kListWidthPx, kListHeightPx);
    QTreeWidgetItem* first = nullptr;
    for (size_t d = 0; d < devices.size(); ++d)
    {
        auto* device = new QTreeWidgetItem(
            m_pList, {QString::fromStdString(devices[d].name + " (" + devices[d].path + ")")});
        device->setFlags(Qt::ItemIsEnabled);
        const CaptureMode* preferred = DefaultCaptureMode(devices[d]);
        for (size_t m = 0; m < devices[d].modes.size(); ++m)
        {
            const CaptureMode& mode = devices[d].modes[m];
            auto* row = new QTreeWidgetItem(
                device, {QStringLiteral("%1 x %2%3")
                             .arg(mode.width)
                             .arg(mode.height)
                             .arg(mode.compressed ? QStringLiteral(" (JPEG)") : QString()),
                         RatesText(mode)});
            row->setData(0, kDeviceRole, static_cast<int>(d));
            row->setData(0, kModeRole, static_cast<int>(m));
            if (!first && &mode == preferred)
                first = row;
        }
    }
    m_pList->expandAll();
    if (first)
        m_pList->setCurrentItem(first);

    auto* fields = new QVBoxLayout;
    fields->addWidget(NewLabel(listText, "cameraListLabel", m_pList, this));
    fields->addWidget(m_pList);
    LayOutBesideOkCancel(this, fields);
}

const CaptureDevice* CCameraChoiceDialog::Device() const
{
    const QTreeWidgetItem* row = m_pList->currentItem();
    if (!row || !row->data(0, kDeviceRole).isValid())
        return nullptr;
    return &m_devices[row->data(0, kDeviceRole).toInt()];
}

const CaptureMode* CCameraChoiceDialog::Mode() const
{
    const CaptureDevice* device = Device();
    return device ? &device->modes[m_pList->currentItem()->data(0, kModeRole).toInt()] : nullptr;
}

void CCameraChoiceDialog::accept()
{
    if (!Mode())
    {
        ShowMessage(tr("Elija un tamaño de una cámara.").toStdString(), windowTitle().toStdString(),
                    MessageIcon::Exclamation);
        m_pList->setFocus();
        return;
    }
    QDialog::accept();
}
