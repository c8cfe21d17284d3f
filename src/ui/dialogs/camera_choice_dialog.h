#pragma once
// "Elegir cámara": the capture devices with the frame sizes each offers; the
// user picks one size of one device. Modal, GUI thread; the caller owns the
// device list, which must outlive the dialog.

#include "media/capture_devices.h"

#include <QCoreApplication>
#include <QDialog>

#include <vector>

class QTreeWidget;

class CCameraChoiceDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(CCameraChoiceDialog)

  public:
    CCameraChoiceDialog(const std::vector<CaptureDevice>& devices, QWidget* parent = nullptr);

    // After OK: the chosen device and its mode, or null when no size is
    // selected.
    const CaptureDevice* Device() const;
    const CaptureMode* Mode() const;
    // Refuses (with a message) until a size is selected.
    void accept() override;

  private:

    const std::vector<CaptureDevice>& m_devices;
    QTreeWidget* m_pList = nullptr;
};
