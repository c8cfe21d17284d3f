#pragma once
// Takes drags of local files for the widgets and windows it watches and
// hands the dropped paths on. The editor view is a native window of its
// own, which drags reach apart from the main window, so both are watched.
// GUI thread.

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;

class CFileDropTarget : public QObject
{
    Q_OBJECT
  public:
    using DropHandler = std::function<void(const QStringList& paths)>;
    CFileDropTarget(DropHandler onDrop, QObject* parent);
    void Watch(QObject* target);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DropHandler m_onDrop;
};

// The local files a drag carries; empty when it carries anything else too.
QStringList DraggedLocalFiles(const QMimeData* mime);
